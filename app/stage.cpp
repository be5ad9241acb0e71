// SPDX-License-Identifier: GPL-2.0-or-later
// The chart widget: context check, list compilation, viewport and frames.
#include "app/stage.h"

#include <QMessageBox>
#include <QOpenGLContext>
#include <cstdlib>
#include <utility>

#include "gl/context_format.h"
#include "gl/frame.h"
#include "gl/list_compiler.h"

namespace caelora {

void reportContextFailure() {
  QMessageBox::critical(nullptr, QString::fromLatin1(kContextErrorTitle),
                        QString::fromLatin1(kContextErrorText));
  std::exit(EXIT_FAILURE);
}

Stage::Stage(ChartScene& scene, StepRunner& steps, QWidget* parent)
    : QOpenGLWidget(parent), scene_(scene), steps_(steps) {
  setFormat(chartSurfaceFormat());
  // Frames of a turn redraw only the horizon window over the last frame.
  setUpdateBehavior(QOpenGLWidget::PartialUpdate);
  // A hand that rests while it holds the disc sees the exact picture too.
  settleTimer_.setSingleShot(true);
  connect(&settleTimer_, &QTimer::timeout, this, &Stage::settle);
}

Stage::~Stage() { releaseContext(); }

void Stage::setDiscAngle(double degrees) {
  if (degrees == discAngle_) return;
  discAngle_ = degrees;
  update();
  emit discAngleChanged(degrees);
}

void Stage::setReadout(DisplayList recording) {
  readout_ = std::move(recording);
  readoutPending_ = true;
  update();
}

void Stage::setRestDelay(std::optional<std::chrono::milliseconds> delay) {
  restDelay_ = delay;
  if (!restDelay_) settleTimer_.stop();
}

void Stage::turnDisc(double degrees) {
  turning_ = true;
  if (restDelay_) settleTimer_.start(*restDelay_);
  setDiscAngle(degrees);
}

void Stage::settle() {
  settleTimer_.stop();
  if (!turning_) return;
  turning_ = false;
  update();
}

void Stage::initializeGL() {
  if (!canDrawChart(*context())) reportContextFailure();
  // Moved to another top-level window: a new context without our lists.
  if (compiledOnce_) scene_.reloadAll(steps_);
  compiledOnce_ = true;
  released_ = false;
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &Stage::dropLists,
          Qt::UniqueConnection);
  scene_.compilePending(compileList);
  readoutPending_ = !readout_.empty();
  DrawInit(scene_.settings().colourScheme);
}

void Stage::resizeGL(int w, int h) {
  const qreal ratio = devicePixelRatioF();
  setViewport(static_cast<int>(w * ratio), static_cast<int>(h * ratio));
}

void Stage::paintGL() {
  // Recordings made since the last frame (the options dialog) land first.
  scene_.compilePending(compileList);
  const auto buildMaskIfNeeded = [this] {
    if (scene_.recordMaskIfNeeded(steps_)) scene_.compilePending(compileList);
  };
  const FrameLayers layers = frameLayers(scene_.settings());
  if (turning_) {
    turningFrames_.draw(layers, discAngle_, buildMaskIfNeeded, listsGeneration());
  } else {
    drawChartFrame(layers, discAngle_, buildMaskIfNeeded);
    turningFrames_.exactFrameDrawn(layers, listsGeneration());
  }
  drawReadoutOver();
  emit painted();
}

void Stage::drawReadoutOver() {
  if (readoutPending_) {
    compileList(kReadoutList, readout_);
    readoutPending_ = false;
  }
  // A kept frame of a turn still shows the readout drawn before.
  if (turning_) turningFrames_.restoreMask(readoutBox());
  drawReadout();
}

void Stage::dropLists() {
  if (released_ || !context()) return;
  makeCurrent();
  deleteChartLists();
  turningFrames_.release();
  doneCurrent();
  released_ = true;
}

void Stage::releaseContext() { dropLists(); }

}  // namespace caelora
