// SPDX-License-Identifier: GPL-2.0-or-later
// While the disc is dragged, frames turn an image of the disc instead of
// drawing it again. Such a frame must look like the exact frame at the same
// angle, keep the mask exactly, follow a change of options, and give way to
// the exact frame when the turn ends.
#include <QSignalSpy>
#include <QSurfaceFormat>
#include <QtTest>
#include <cstdlib>

#include "chart/chart_scene.h"
#include "app/stage.h"
#include "gl/context_format.h"

using namespace caelora;

namespace {

constexpr int kSide = 400;

struct Difference {
  int pixels = 0;         // that differ at all
  double blockMean = 0;   // mean absolute difference of the brightness of 16 x 16 blocks
};

// Pixel for pixel, and block for block: a star or a stroke a pixel away
// makes the first count, but the second only sees what is drawn where.
Difference difference(const QImage& a, const QImage& b) {
  constexpr int kBlock = 16;
  Difference d;
  double sum = 0;
  int blocks = 0;
  for (int by = 0; by + kBlock <= a.height(); by += kBlock) {
    for (int bx = 0; bx + kBlock <= a.width(); bx += kBlock) {
      long blockA = 0, blockB = 0;
      for (int y = by; y < by + kBlock; ++y) {
        for (int x = bx; x < bx + kBlock; ++x) {
          const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
          d.pixels += (p & 0xffffff) != (q & 0xffffff);
          blockA += qRed(p) + qGreen(p) + qBlue(p);
          blockB += qRed(q) + qGreen(q) + qBlue(q);
        }
      }
      sum += std::abs(blockA - blockB) / (3.0 * kBlock * kBlock);
      ++blocks;
    }
  }
  d.blockMean = sum / blocks;
  return d;
}

Settings everyLayer() {
  Settings s = defaultSettings(CAELORA_BUILD_DATA_DIR);
  s.showLines = s.showNames = s.showMilkyWay = true;
  s.showGrid = s.showEcliptic = s.dailyScale = true;
  return s;
}

class TurningStage {
 public:
  explicit TurningStage(const Settings& settings)
      : scene_(settings, CAELORA_BUILD_DATA_DIR), stage_(scene_, steps_), frames_(&stage_, &Stage::painted) {
    scene_.loadAtStartup(steps_);
    // A turn ends where the test says, never by a rest of the hand.
    stage_.setRestDelay(std::nullopt);
    stage_.resize(kSide, kSide);
    stage_.show();
  }
  bool ready() {
    return QTest::qWaitForWindowExposed(&stage_) && QTest::qWaitFor([&] { return frames_.count() > 0; }) &&
           steps_.errors().empty();
  }
  QImage exactAt(double angle) {
    stage_.settle();
    stage_.setDiscAngle(angle);
    return stage_.grabFramebuffer();
  }
  QImage turnedTo(double angle) {
    stage_.turnDisc(angle);
    return stage_.grabFramebuffer();
  }
  Stage& stage() { return stage_; }
  ChartScene& scene() { return scene_; }
  StepRunner& steps() { return steps_; }

 private:
  StepRunner steps_;
  ChartScene scene_;
  Stage stage_;
  QSignalSpy frames_;
};

}  // namespace

class TestTurningFrames : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QSurfaceFormat::setDefaultFormat(chartSurfaceFormat()); }

 private slots:
  void aTurningFrameLooksLikeTheExactOne_data() {
    QTest::addColumn<int>("latitude");
    QTest::addColumn<int>("scheme");
    QTest::newRow("50 N, scheme 0") << 50 << 0;
    QTest::newRow("35 S, white paper") << -35 << 2;
  }
  void aTurningFrameLooksLikeTheExactOne() {
    QFETCH(int, latitude);
    QFETCH(int, scheme);
    Settings settings = everyLayer();
    settings.latitude = static_cast<std::int16_t>(latitude);
    settings.colourScheme = static_cast<ScreenScheme>(scheme);
    TurningStage t(settings);
    QVERIFY(t.ready());
    const QImage exact0 = t.exactAt(0);
    // The first frame of a turn draws the images at its own angle.
    QVERIFY(t.turnedTo(0.5) == t.exactAt(0.5));
    t.turnedTo(0.5);
    QVERIFY(t.stage().turning());
    for (double angle : {7.3, 41.0, 123.4, 300.0}) {
      const QImage turned = t.turnedTo(angle);
      const QImage exact = t.exactAt(angle);
      const Difference fromExact = difference(turned, exact);
      const Difference fromStill = difference(turned, exact0);
      if (qEnvironmentVariableIsSet("CAELORA_KEEP_IMAGES")) {
        turned.save(QString("turned-%1-%2.png").arg(latitude).arg(angle));
        exact.save(QString("exact-%1-%2.png").arg(latitude).arg(angle));
      }
      // The mask and the rim are the same pixels; within the window stars
      // and strokes may lie a pixel away, no more.
      QVERIFY2(fromExact.pixels < kSide * kSide / 2, qPrintable(QString::number(fromExact.pixels)));
      QVERIFY2(fromExact.blockMean < 0.25 * fromStill.blockMean,
               qPrintable(QString("%1 against %2").arg(fromExact.blockMean).arg(fromStill.blockMean)));
      t.turnedTo(angle);  // back into the turn for the next angle
    }
  }

  void theTurnEndsWithTheExactFrame() {
    TurningStage t(everyLayer());
    QVERIFY(t.ready());
    const QImage exact = t.exactAt(63);
    // A rest that has passed by the next pass of the event loop.
    t.stage().setRestDelay(std::chrono::milliseconds(0));
    t.turnedTo(10);
    t.turnedTo(63);
    QVERIFY(t.stage().turning());
    // The resting hand: the pause ends the turn by itself.
    QTRY_VERIFY(!t.stage().turning());
    QVERIFY(t.stage().grabFramebuffer() == exact);
  }

  // Options applied during a turn (or between two) change the lists: the
  // next turning frame draws from new images, not from the old ones.
  void aChangeOfOptionsIsSeenWhileTurning() {
    TurningStage t(everyLayer());
    QVERIFY(t.ready());
    t.turnedTo(5);
    t.turnedTo(20);
    Settings next = t.scene().settings();
    next.showMilkyWay = false;
    next.showGrid = false;
    next.colourScheme = ScreenScheme::WhiteOnBlack;
    t.scene().applySettings(next, t.steps());
    const QImage turned = t.turnedTo(40);
    const QImage exactNew = t.exactAt(40);
    QVERIFY2(t.steps().errors().empty(), t.steps().errors().empty() ? "" : t.steps().errors()[0].c_str());
    next.showMilkyWay = true;
    next.showGrid = true;
    next.colourScheme = ScreenScheme::Colour;
    t.scene().applySettings(next, t.steps());
    const QImage exactOld = t.exactAt(40);
    QVERIFY(difference(turned, exactNew).blockMean < 0.25 * difference(turned, exactOld).blockMean);
  }

  void aResizeIsSeenWhileTurning() {
    TurningStage t(everyLayer());
    QVERIFY(t.ready());
    t.turnedTo(5);
    t.turnedTo(15);
    t.stage().resize(kSide + 100, kSide + 100);
    QTRY_COMPARE(t.stage().grabFramebuffer().width(), kSide + 100);
    const QImage turned = t.turnedTo(30);
    QCOMPARE(turned.size(), QSize(kSide + 100, kSide + 100));
    const QImage exact = t.exactAt(30);
    QVERIFY(difference(turned, exact).pixels < (kSide + 100) * (kSide + 100) / 2);
  }
};

QTEST_MAIN(TestTurningFrames)
#include "tst_turning_frames.moc"
