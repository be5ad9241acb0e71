// SPDX-License-Identifier: GPL-2.0-or-later
// Shared by the window tests: each program runs with a settings store of its
// own under the XDG_CONFIG_HOME its CTest entry gives it, never the store of
// the user who runs the tests; modal dialogs answered as they come up; and
// steps of the event loop that wait on no clock.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QMouseEvent>
#include <QString>
#include <QTimer>
#include <QtGlobal>
#include <functional>
#include <utility>

#include "settings/qt/qsettings_store.h"

namespace caelora::test {

inline QString storeFile() { return QSettingsStore().fileName(); }

inline bool usesOwnSettingsStore() {
  const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
  return !home.isEmpty() && storeFile().startsWith(home);
}

constexpr const char* kOwnStoreNeeded = "XDG_CONFIG_HOME must point at a folder of the test's own";

// An empty store but for one setting: the window stays an ordinary one,
// not above every other, so the tests' own windows and events reach it.
inline void startWithOrdinaryWindow() {
  QFile::remove(storeFile());
  QSettingsStore store;
  store.save("SMapTopMost", "False");
  store.flush();
}

// Lets the event loop pass a few times: what the last step queued (a
// report, a repaint) has been delivered then, however slow the machine.
inline void passEventLoop() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// A move of the pointer with no button held, delivered at once. QTest's
// own moves the real pointer, whose event comes when the window system
// sends it.
inline void moveNow(QWidget* widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

// Hands every modal widget that comes up to `answer`, for as long as it
// lives; it looks every 20 ms, within modal loops too.
class ModalAnswer : public QObject {
 public:
  explicit ModalAnswer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
    connect(&timer_, &QTimer::timeout, this, [this] {
      if (QWidget* modal = QApplication::activeModalWidget()) answer_(modal);
    });
    timer_.start(20);
  }

 private:
  std::function<void(QWidget*)> answer_;
  QTimer timer_;
};

// Accepts every message box, keeping what it said; with `cancelDialogs`,
// cancels every other modal dialog too, keeping its name. Where each stood
// is kept too.
class BoxCatcher : public ModalAnswer {
 public:
  explicit BoxCatcher(bool cancelDialogs = false)
      : ModalAnswer([this, cancelDialogs](QWidget* modal) {
          places.append(modal->frameGeometry());
          if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            titles.append(box->windowTitle());
            texts.append(box->text());
            icons.append(box->icon());
            box->accept();
          } else if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && cancelDialogs) {
            dialogs.append(dialog->objectName());
            dialog->reject();
          }
        }) {}
  QStringList titles, texts, dialogs;
  QList<QMessageBox::Icon> icons;
  QList<QRect> places;  // of every modal widget answered, on the screen
};

}  // namespace caelora::test
