// SPDX-License-Identifier: GPL-2.0-or-later
// A recording compiled into a display list must draw what the recording says
// when replayed command by command: exactly, where its points have sizes of
// whole eighths of a pixel and do not overlap, and nearly so for the stars,
// whose sizes the compiler rounds to gather them into a few primitives.
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>
#include <QtTest>
#include <qopengl.h>

#include "gl/context_format.h"
#include "gl/frame.h"
#include "gl/list_compiler.h"
#include "settings/settings.h"
#include "sky/chart_setup.h"
#include "sky/point_batches.h"
#include "sky/stars.h"

using namespace caelora;

namespace {

constexpr int kSize = 300;

// The recording replayed in immediate mode, one command after another.
void replay(const DisplayList& list) {
  static const GLenum primitives[] = {GL_POINTS, GL_LINES, GL_LINE_LOOP, GL_LINE_STRIP,
                                      GL_TRIANGLES, GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN,
                                      GL_QUADS, GL_POLYGON};
  static const GLenum capabilities[] = {GL_POINT_SMOOTH, GL_LINE_SMOOTH, GL_POLYGON_SMOOTH};
  for (const GlCommand& c : list.commands()) {
    switch (c.op) {
      case GlCommand::Op::Color: glColor3f(c.a, c.b, c.c); break;
      case GlCommand::Op::PointSize: glPointSize(c.a); break;
      case GlCommand::Op::LineWidth: glLineWidth(c.a); break;
      case GlCommand::Op::Begin: glBegin(primitives[int(c.primitive)]); break;
      case GlCommand::Op::Vertex: glVertex2f(c.a, c.b); break;
      case GlCommand::Op::End: glEnd(); break;
      case GlCommand::Op::Enable: glEnable(capabilities[int(c.capability)]); break;
      case GlCommand::Op::Disable: glDisable(capabilities[int(c.capability)]); break;
      case GlCommand::Op::PushMatrix: glPushMatrix(); break;
      case GlCommand::Op::PopMatrix: glPopMatrix(); break;
      case GlCommand::Op::Rotate: glRotatef(c.a, 0, 0, 1); break;
      case GlCommand::Op::Translate: glTranslatef(c.a, c.b, 0); break;
    }
  }
}

DisplayList mixedRecording() {
  DisplayList l;
  l.pointSize(3);
  l.color(1, 0, 0);
  l.begin(Primitive::Points); l.vertex(-0.5f, 0.5f); l.end();
  l.color(0, 1, 0);                      // colour only: one primitive
  l.begin(Primitive::Points); l.vertex(-0.4f, 0.5f); l.end();
  l.pointSize(3);                        // the same size again
  l.begin(Primitive::Points); l.vertex(-0.3f, 0.5f); l.end();
  l.pointSize(6);                        // a new size ends the batch
  l.begin(Primitive::Points); l.vertex(-0.2f, 0.5f); l.end();
  l.pointSize(1.5f);
  l.color(0, 0, 1);
  l.pointSize(6);                        // replaced before anything is drawn
  l.begin(Primitive::Points); l.vertex(-0.1f, 0.5f); l.end();
  l.enable(Capability::LineSmooth);      // state change: no batch across it
  l.begin(Primitive::Points); l.vertex(0.0f, 0.5f); l.end();
  l.pointSize(2.5f);
  l.begin(Primitive::Points); l.vertex(0.1f, 0.5f); l.vertex(0.2f, 0.5f); l.end();
  l.lineWidth(2);
  l.begin(Primitive::LineStrip); l.vertex(-0.8f, -0.8f); l.vertex(0.8f, -0.6f); l.vertex(0.2f, 0.1f); l.end();
  l.pushMatrix();
  l.rotate(30);
  l.translate(0.2f, -0.1f);
  l.color(1, 1, 0);
  l.begin(Primitive::Triangles); l.vertex(0, 0); l.vertex(0.3f, 0); l.vertex(0, 0.3f); l.end();
  l.begin(Primitive::Points); l.vertex(0.5f, 0.5f); l.end();
  l.popMatrix();
  l.begin(Primitive::Points); l.vertex(0.6f, -0.2f); l.end();
  l.disable(Capability::LineSmooth);
  return l;
}

}  // namespace

class TestListCompiler : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QSurfaceFormat::setDefaultFormat(chartSurfaceFormat()); }

 private slots:
  void initTestCase() {
    surface_.setFormat(chartSurfaceFormat());
    surface_.create();
    context_.setFormat(chartSurfaceFormat());
    QVERIFY(context_.create());
    QVERIFY(canDrawChart(context_));
    QVERIFY(context_.makeCurrent(&surface_));
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    format.setInternalTextureFormat(GL_RGB8);
    fbo_ = std::make_unique<QOpenGLFramebufferObject>(kSize, kSize, format);
    QVERIFY(fbo_->bind());
  }
  void cleanupTestCase() {
    fbo_.reset();
    context_.doneCurrent();
  }

  // The chart's format brings a context with display lists; a core profile,
  // in which they would draw nothing, is refused.
  void onlyALegacyContextCanDrawTheChart() {
    QVERIFY(context_.format().profile() != QSurfaceFormat::CoreProfile);
    QCOMPARE(context_.format().stencilBufferSize() >= 1, true);
    QSurfaceFormat core = chartSurfaceFormat();
    core.setProfile(QSurfaceFormat::CoreProfile);
    core.setVersion(3, 3);
    QOpenGLContext coreContext;
    coreContext.setFormat(core);
    if (!coreContext.create()) QSKIP("no core profile context on this machine");
    QCOMPARE(coreContext.format().profile(), QSurfaceFormat::CoreProfile);
    QVERIFY(!canDrawChart(coreContext));
    QVERIFY(context_.makeCurrent(&surface_));
  }

  void compiledListDrawsWhatTheRecordingSays_data() {
    QTest::addColumn<int>("scheme");
    QTest::addColumn<bool>("stars");
    QTest::newRow("mixed commands") << 0 << false;
    QTest::newRow("stars, scheme 0") << 0 << true;
    QTest::newRow("stars, scheme 2") << 2 << true;
  }
  void compiledListDrawsWhatTheRecordingSays() {
    QFETCH(int, scheme);
    QFETCH(bool, stars);
    DisplayList recording = mixedRecording();
    if (stars) {
      ChartSetup setup;
      setup.settings = defaultSettings(CAELORA_SOURCE_DATA_DIR);
      setup.settings.colourScheme = static_cast<ScreenScheme>(scheme);
      setup.programFolder = CAELORA_SOURCE_DATA_DIR;
      recording = LoadStars(setup);
    }
    const QImage direct = draw(scheme, [&] { replay(recording); });
    compileList(kStarsList, recording);
    const QImage compiled = draw(scheme, [] { glCallList(kStarsList); });
    deleteChartLists();
    const DisplayList batched = batchPointsBySize(recording);
    const QImage batchedDirect = draw(scheme, [&] { replay(batched); });

    QCOMPARE(compiled.size(), direct.size());
    QVERIFY(compiled == batchedDirect);
    // Something was drawn at all.
    const QRgb background = direct.pixel(0, 0);
    int drawn = 0, changed = 0;
    long light = 0, lightCompiled = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        drawn += direct.pixel(x, y) != background;
        changed += direct.pixel(x, y) != compiled.pixel(x, y);
        light += qGray(direct.pixel(x, y));
        lightCompiled += qGray(compiled.pixel(x, y));
      }
    }
    QVERIFY2(drawn > (stars ? 1000 : 100), qPrintable(QString::number(drawn)));
    if (!stars) {
      QVERIFY(compiled == direct);
      return;
    }
    // Rounded sizes change the edges of some stars by a shade, not where
    // stars are nor how much light they give.
    QVERIFY2(changed < drawn / 4, qPrintable(QString("%1 of %2").arg(changed).arg(drawn)));
    QVERIFY2(std::abs(lightCompiled - light) < light / 50,
             qPrintable(QString("%1 against %2").arg(lightCompiled).arg(light)));
  }

 private:
  template <typename Draw>
  QImage draw(int scheme, Draw&& drawing) {
    DrawInit(static_cast<ScreenScheme>(scheme));
    setViewport(kSize, kSize);
    glDisable(GL_STENCIL_TEST);
    glPointSize(1);
    glLineWidth(1);
    glColor3f(1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    drawing();
    glFinish();
    return fbo_->toImage();
  }

  QOffscreenSurface surface_;
  QOpenGLContext context_;
  std::unique_ptr<QOpenGLFramebufferObject> fbo_;
};

QTEST_MAIN(TestListCompiler)
#include "tst_list_compiler.moc"
