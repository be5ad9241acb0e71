// SPDX-License-Identifier: GPL-2.0-or-later
// The chart surface `Stage`: an OpenGL widget that compiles the scene's
// recordings into display lists and draws each frame through the shared
// frame routine.
#pragma once

#include <QOpenGLWidget>
#include <QTimer>
#include <chrono>
#include <optional>

#include "chart/chart_scene.h"
#include "chart/step_runner.h"
#include "gl/turning_frames.h"

namespace caelora {

class Stage : public QOpenGLWidget {
  Q_OBJECT

 public:
  Stage(ChartScene& scene, StepRunner& steps, QWidget* parent = nullptr);
  ~Stage() override;

  // DiscAngle: the turn of the star disc in degrees, counter-clockwise.
  double discAngle() const { return discAngle_; }
  void setDiscAngle(double degrees);

  // The readout drawn over the mask (list 11), compiled at the next frame;
  // an empty recording draws none.
  void setReadout(DisplayList recording);

  // A step of a drag: the frames until settle() (or a rest of the hand)
  // turn an image of the disc drawn at the first of them, which is quicker
  // than drawing the disc again and nearly as sharp.
  void turnDisc(double degrees);
  // The turn has ended: the next frame is drawn exactly again.
  void settle();
  bool turning() const { return turning_; }

  // How long a held disc rests before settle() comes by itself: kRestDelay
  // unless set; none leaves the end of every turn to the caller.
  static constexpr std::chrono::milliseconds kRestDelay{150};
  void setRestDelay(std::optional<std::chrono::milliseconds> delay);

  // Shut-down: frees the display lists while the context still lives.
  void releaseContext();

 signals:
  // After each frame has been drawn.
  void painted();
  // The disc angle has changed, by whatever turned it.
  void discAngleChanged(double degrees);

 protected:
  void initializeGL() override;
  void resizeGL(int w, int h) override;
  void paintGL() override;

 private:
  void dropLists();
  void drawReadoutOver();

  ChartScene& scene_;
  StepRunner& steps_;
  double discAngle_ = 0;
  bool compiledOnce_ = false;
  bool released_ = false;
  bool turning_ = false;
  DisplayList readout_;           // kept for a new context
  bool readoutPending_ = false;   // not compiled yet
  std::optional<std::chrono::milliseconds> restDelay_ = kRestDelay;
  QTimer settleTimer_;
  TurningFrames turningFrames_;
};

// The fixed message of a context that cannot draw the chart; ends the
// program once it is dismissed.
[[noreturn]] void reportContextFailure();

}  // namespace caelora
