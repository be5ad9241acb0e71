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

constexpr int kMostShownCharacters = 300;
constexpr int kMostDetailedCharacters = 4096;

// `text` as it is when it has at most `most` characters, else its start and
// its end (where a note names the file, and the record and what is wrong)
// with an ellipsis between them.
QString shortenedText(const QString& text, int most = kMostShownCharacters);

// What the box says: the lead sentence, then the first `shownAtMost` notes
// one per line, each after a bullet and cut to kMostShownCharacters. When
// there are more, a last line `moreLine` (its "%1" is the number of notes
// left out) follows them. When there are more, or one was cut, every note
// goes into `details` (cut only beyond kMostDetailedCharacters); otherwise
// `details` is empty. A path of megabytes would otherwise take the box
// minutes to lay out.
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
