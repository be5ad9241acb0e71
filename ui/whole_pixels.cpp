// SPDX-License-Identifier: GPL-2.0-or-later
// Centring a window on the screen.
#include "ui/whole_pixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace caelora {

void centreOnScreen(QWidget& window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  window.move(area.x() + roundHalfEven((area.width() - window.width()) / 2.0),
              area.y() + roundHalfEven((area.height() - window.height()) / 2.0));
}

}  // namespace caelora
