// SPDX-License-Identifier: GPL-2.0-or-later
// The chart surface on its own: a stage moved into another window gets a new
// OpenGL context, holding none of the chart's lists, and must draw the same
// chart there.
#include <QSignalSpy>
#include <QSurfaceFormat>
#include <QVBoxLayout>
#include <QtTest>

#include "chart/chart_scene.h"
#include "app/stage.h"
#include "gl/context_format.h"

using namespace caelora;

class TestStage : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QSurfaceFormat::setDefaultFormat(chartSurfaceFormat()); }

 private slots:
  void aMovedStageRecompilesItsLists() {
    StepRunner steps;
    ChartScene scene(defaultSettings(CAELORA_BUILD_DATA_DIR), CAELORA_BUILD_DATA_DIR);
    scene.loadAtStartup(steps);
    QVERIFY2(steps.errors().empty(), steps.errors().empty() ? "" : steps.errors()[0].c_str());

    QWidget first, second;
    auto* stage = new Stage(scene, steps, &first);
    QSignalSpy frames(stage, &Stage::painted);
    stage->setFixedSize(300, 300);
    first.show();
    QVERIFY(QTest::qWaitForWindowExposed(&first));
    QTRY_VERIFY(frames.count() >= 1);
    const QImage before = stage->grabFramebuffer();

    stage->setParent(&second);
    second.show();
    stage->show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QTRY_VERIFY(frames.count() >= 2);
    const QImage after = stage->grabFramebuffer();

    QCOMPARE(after.size(), before.size());
    QVERIFY(after == before);
    // The chart is there: the mask's blue at the top, not just a cleared frame.
    QVERIFY2(before.pixelColor(4, 4).blue() > 150, qPrintable(before.pixelColor(4, 4).name()));
    QVERIFY(steps.errors().empty());
    delete stage;
  }

  void turningTheDiscTurnsOnlyTheDisc() {
    StepRunner steps;
    ChartScene scene(defaultSettings(CAELORA_BUILD_DATA_DIR), CAELORA_BUILD_DATA_DIR);
    scene.loadAtStartup(steps);
    Stage stage(scene, steps);
    QSignalSpy frames(&stage, &Stage::painted);
    stage.resize(300, 300);
    stage.show();
    QVERIFY(QTest::qWaitForWindowExposed(&stage));
    QTRY_VERIFY(frames.count() >= 1);
    const QImage still = stage.grabFramebuffer();
    stage.setDiscAngle(90);
    QTRY_VERIFY(frames.count() >= 2);
    const QImage turned = stage.grabFramebuffer();
    // The mask does not turn: its top corner stays; the sky inside changes.
    QCOMPARE(turned.pixel(4, 4), still.pixel(4, 4));
    QCOMPARE(turned.pixel(295, 295), still.pixel(295, 295));
    QVERIFY(turned != still);
    stage.setDiscAngle(0);
    QTRY_VERIFY(frames.count() >= 3);
    QVERIFY(stage.grabFramebuffer() == still);
  }
};

QTEST_MAIN(TestStage)
#include "tst_stage.moc"
