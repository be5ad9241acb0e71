// SPDX-License-Identifier: GPL-2.0-or-later
// Surface format of the chart and the check of the context we were given.
#include "gl/context_format.h"

#include <QOpenGLContext>

namespace caelora {

QSurfaceFormat chartSurfaceFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  format.setRedBufferSize(8);
  format.setGreenBufferSize(8);
  format.setBlueBufferSize(8);
  format.setAlphaBufferSize(0);  // 24 colour bits; the clear alpha of 0 must not make the chart transparent
  format.setDepthBufferSize(24);
  format.setStencilBufferSize(8);
  format.setSamples(0);
  return format;
}

bool canDrawChart(const QOpenGLContext& context) {
  if (!context.isValid() || context.isOpenGLES()) return false;
  return context.format().profile() != QSurfaceFormat::CoreProfile;
}

}  // namespace caelora
