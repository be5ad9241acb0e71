// SPDX-License-Identifier: GPL-2.0-or-later
// The message box that tells the user which parts of the chart could not be
// loaded. It is window-modal but does not block: the chart keeps drawing
// behind it, and notes made while it is open are added to it.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>

class QWidget;

namespace caelora {

// What the box says: the lead sentence, then the first `shownAtMost` notes
// one per line, each after a bullet. When there are more, a last line `moreLine` (its "%1" is
// the number of notes left out) follows them, and every note goes into
// `details`; otherwise `details` is empty.
struct LoadNotesText {
  QString text;
  QString details;
};
LoadNotesText composeLoadNotes(const QString& lead, const QStringList& notes,
                               const QString& moreLine, int shownAtMost = 12);

class LoadNotesBox {
 public:
  explicit LoadNotesBox(QWidget& window) : window_(window) {}

  // Opens the box over the window with `notes`, or adds those it does not
  // list yet to the box that is open. The box stays until the user closes it.
  void show(const QStringList& notes, const QString& title, const QString& lead,
            const QString& moreLine);

  // The box while it is open, else null.
  QMessageBox* box() const { return box_; }

 private:
  QWidget& window_;
  QPointer<QMessageBox> box_;
  QStringList listed_;  // every note the open box lists
};

}  // namespace caelora
