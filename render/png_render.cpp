// SPDX-License-Identifier: GPL-2.0-or-later
// Offscreen rendering of the chart.
#include "render/png_render.h"

#include <QBuffer>
#include <QImageWriter>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <qopengl.h>  // the GL 1.1 calls, after Qt's own GL headers
#include <stdexcept>

#include "gl/context_format.h"
#include "gl/frame.h"
#include "gl/list_compiler.h"
#include "pdf/pdf_error.h"
#include "pdf/replacing_file.h"

namespace caelora {

QImage renderChart(ChartScene& scene, int sizePx, double discAngleDeg, bool useMask,
                   StepRunner& steps) {
  QOffscreenSurface surface;
  surface.setFormat(chartSurfaceFormat());
  surface.create();
  QOpenGLContext context;
  context.setFormat(chartSurfaceFormat());
  if (!context.create() || !canDrawChart(context) || !context.makeCurrent(&surface))
    throw std::runtime_error(kContextErrorText);

  QOpenGLFramebufferObjectFormat format;
  format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
  format.setInternalTextureFormat(GL_RGB8);  // opaque: the clear alpha is 0
  QImage image;
  {
    QOpenGLFramebufferObject fbo(sizePx, sizePx, format);
    if (!fbo.isValid() || !fbo.bind()) throw std::runtime_error("no offscreen framebuffer");
    scene.compilePending(compileList);
    DrawInit(scene.settings().colourScheme);
    setViewport(sizePx, sizePx);
    drawChartFrame(frameLayers(scene.settings()), discAngleDeg,
                   [&] {
                     if (scene.recordMaskIfNeeded(steps)) scene.compilePending(compileList);
                   },
                   useMask);
    glFinish();
    image = fbo.toImage();
    deleteChartLists();
  }
  context.doneCurrent();
  return image;
}

void writePng(const QImage& image, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter encoder(&buffer, "png");
  if (!encoder.write(image))
    throw PdfError("Cannot write \"" + path + "\": " + encoder.errorString().toStdString());
  ReplacingFile file(path);
  file.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  file.commit();
}

}  // namespace caelora
