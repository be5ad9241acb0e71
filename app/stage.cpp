// The chart widget: context check, list compilation, viewport and frames.
#include "app/stage.h"

#include <QMessageBox>
#include <QOpenGLContext>
#include <cstdlib>

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
}

Stage::~Stage() { releaseContext(); }

void Stage::setDiscAngle(double degrees) {
  if (degrees == discAngle_) return;
  discAngle_ = degrees;
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
  scene_.compilePending();
  DrawInit(scene_.settings().colourScheme);
}

void Stage::resizeGL(int w, int h) {
  const qreal ratio = devicePixelRatioF();
  setViewport(static_cast<int>(w * ratio), static_cast<int>(h * ratio));
}

void Stage::paintGL() {
  // Recordings made since the last frame (the options dialog) land first.
  scene_.compilePending();
  drawChartFrame(frameLayers(scene_.settings()), discAngle_,
                 [this] {
                   if (scene_.recordMaskIfNeeded(steps_)) scene_.compilePending();
                 });
  emit painted();
}

void Stage::dropLists() {
  if (released_ || !context()) return;
  makeCurrent();
  deleteChartLists();
  doneCurrent();
  released_ = true;
}

void Stage::releaseContext() { dropLists(); }

}  // namespace caelora
