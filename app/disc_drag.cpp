// SPDX-License-Identifier: GPL-2.0-or-later
// The drag of the star disc: the pointer's angle about the stage centre and
// the turn it gives.
#include "app/disc_drag.h"

#include <QEvent>
#include <QMouseEvent>

#include "app/hand_cursors.h"
#include "app/mapka.h"
#include "app/stage.h"
#include "sky/geometry.h"
#include "ui/whole_pixels.h"

namespace caelora {

double pointerAngleDeg(double x, double y, int stageWidth, int stageHeight) {
  const float dx = static_cast<float>(x - stageWidth / 2.0);
  const float dy = static_cast<float>(y - stageHeight / 2.0);
  return static_cast<double>(PolarAngle(dx, dy)) * kRadiansToDegrees;
}

double turnStep(double fromDeg, double toDeg) {
  double step = toDeg - fromDeg;
  if (step > 180) step -= 360;
  if (step <= -180) step += 360;
  return step;
}

DiscGrip::DiscGrip(Mapka& window) : QObject(&window), window_(window) {
  Stage* stage = window_.stage();
  stage->setMouseTracking(true);
  stage->installEventFilter(this);
  showPointer();
}

bool DiscGrip::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_.stage()) {
    switch (event->type()) {
      case QEvent::MouseButtonPress: press(static_cast<QMouseEvent&>(*event)); break;
      case QEvent::MouseMove: move(static_cast<QMouseEvent&>(*event)); break;
      case QEvent::MouseButtonRelease: release(static_cast<QMouseEvent&>(*event)); break;
      default: break;
    }
  }
  return QObject::eventFilter(watched, event);
}

bool DiscGrip::insideGrabRegion(const QMouseEvent& e) const {
  const QPointF p = e.position();
  const QPoint pixel(roundHalfEven(p.x()), roundHalfEven(p.y()));
  return window_.grabRegion().contains(pixel);
}

double DiscGrip::angleAt(const QMouseEvent& e) const {
  const Stage* stage = window_.stage();
  return pointerAngleDeg(e.position().x(), e.position().y(), stage->width(), stage->height());
}

void DiscGrip::press(const QMouseEvent& e) {
  // The pointer shape says whether the last move was inside the region; a
  // press that comes without a move before it is tested where it happens.
  if (e.button() != Qt::LeftButton || dragging_) return;
  if (!insideGrabRegion(e)) return;
  dragging_ = true;
  handShown_ = true;
  closedHand_ = true;
  dragAngle_ = angleAt(e);
  showPointer();
}

void DiscGrip::move(const QMouseEvent& e) {
  if (dragging_) {
    const double a = angleAt(e);
    Stage* stage = window_.stage();
    stage->turnDisc(stage->discAngle() + turnStep(dragAngle_, a));
    dragAngle_ = a;
    window_.kreslix();
    return;
  }
  const bool inside = insideGrabRegion(e);
  if (inside != handShown_) {
    handShown_ = inside;
    showPointer();
  }
}

void DiscGrip::release(const QMouseEvent& e) {
  if (e.button() == Qt::LeftButton && dragging_) {
    dragging_ = false;
    window_.stage()->settle();
  }
  if (closedHand_) {
    closedHand_ = false;
    showPointer();
  }
}

void DiscGrip::showPointer() {
  Stage* stage = window_.stage();
  if (!handShown_)
    stage->setCursor(Qt::ArrowCursor);
  else
    stage->setCursor(closedHand_ ? closedHandCursor() : openHandCursor());
}

}  // namespace caelora
