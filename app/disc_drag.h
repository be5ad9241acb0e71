// SPDX-License-Identifier: GPL-2.0-or-later
// Turning the star disc with the mouse on the chart surface. A left press
// inside the grab region takes hold of the disc; every move turns it by the
// change of the pointer's angle about the stage centre and draws one frame;
// the release lets go.
#pragma once

#include <QObject>

class QMouseEvent;

namespace caelora {

class Mapka;

// The angle of the pointer at stage pixel (x, y) about the centre of a
// w x h stage, degrees counter-clockwise from the right-hand horizontal,
// 0 up to 360 (y of the stage runs downward). Single precision, as the
// disc has always been turned.
double pointerAngleDeg(double x, double y, int stageWidth, int stageHeight);

// How far the disc turns when the pointer goes from one angle to the next
// (degrees): the shorter way round, so that crossing the right-hand
// horizontal is a small step like any other and a drag once round the centre
// turns the disc by a whole 360 degrees.
double turnStep(double fromDeg, double toDeg);

// The mouse handling of the stage of `window` (installed as an event filter
// on it): reads the window's grab region, turns its DiscAngle, draws with its
// kreslix. The disc angle is never reduced to 0..360.
class DiscGrip : public QObject {
  Q_OBJECT

 public:
  explicit DiscGrip(Mapka& window);

  bool dragging() const { return dragging_; }
  // Whether the stage shows a hand (inside the grab region) rather than the
  // arrow, and which hand it shows.
  bool handShown() const { return handShown_; }
  bool closedHand() const { return closedHand_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void press(const QMouseEvent& e);
  void move(const QMouseEvent& e);
  void release(const QMouseEvent& e);
  bool insideGrabRegion(const QMouseEvent& e) const;
  double angleAt(const QMouseEvent& e) const;
  void showPointer();

  Mapka& window_;
  bool dragging_ = false;
  double dragAngle_ = 0;
  bool handShown_ = false;
  bool closedHand_ = false;
};

}  // namespace caelora
