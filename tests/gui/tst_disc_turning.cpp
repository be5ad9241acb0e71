// SPDX-License-Identifier: GPL-2.0-or-later
// Turning the star disc with the mouse in a real window: where a press takes
// hold, a drag once round the centre, the right button, the pointer shapes,
// the pixels that turn and those that stay; and the square window with its
// grab region through resizes.
#include <QFile>
#include <QSignalSpy>
#include <QSurfaceFormat>
#include <QtTest>
#include <cmath>

#include "app/grab_region.h"
#include "app/disc_drag.h"
#include "app/mapka.h"
#include "app/stage.h"
#include "gl/context_format.h"
#include "settings/qt/qsettings_store.h"
#include "tests/gui/gui_test_support.h"
#include "sky/geometry.h"

using namespace caelora;

namespace {

const std::string kDataDir = CAELORA_BUILD_DATA_DIR;

// A point of the disc (rim radius 1, y upward) in pixels of the stage.
QPoint onDisc(const Stage& stage, double angleDeg, double radius) {
  const double a = angleDeg * kDegreesToRadians;
  return {static_cast<int>(std::lround(stage.width() * (radius * std::cos(a) + 1) / 2)),
          static_cast<int>(std::lround(stage.height() * (1 - radius * std::sin(a)) / 2))};
}

// Near the zenith: the mean of the horizon window's outline.
QPoint windowMiddle(const Mapka& window) {
  const auto points = horizonWindowPolygon(50, window.stageWidth(), window.stageHeight());
  double x = 0, y = 0;
  for (const StagePoint& p : points) x += p.x, y += p.y;
  return {static_cast<int>(x / points.size()), static_cast<int>(y / points.size())};
}

// Drags from `from` round the stage centre by `turnDeg` (counter-clockwise
// when positive) in steps of 10 degrees, keeping the distance from the centre.
void dragRound(Stage* stage, QPoint from, double turnDeg) {
  const QPointF centre(stage->width() / 2.0, stage->height() / 2.0);
  const double r = std::hypot(from.x() - centre.x(), from.y() - centre.y());
  const double start = std::atan2(centre.y() - from.y(), from.x() - centre.x());
  const int steps = static_cast<int>(std::lround(std::fabs(turnDeg) / 10));
  for (int i = 1; i <= steps; ++i) {
    const double a = start + (turnDeg * i / steps) * kDegreesToRadians;
    QTest::mouseMove(stage, QPoint(static_cast<int>(std::lround(centre.x() + r * std::cos(a))),
                                   static_cast<int>(std::lround(centre.y() - r * std::sin(a)))));
  }
}

// The pointer rests at `p` before a press; the stage has seen it there.
void hover(Mapka& window, QPoint p) {
  test::moveNow(window.stage(), p);
  QCOMPARE(window.grip()->handShown(), window.grabRegion().contains(p));
}

bool sameImage(const QImage& a, const QImage& b, const QRect& area) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
  return true;
}

}  // namespace

class TestDiscTurning : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QSurfaceFormat::setDefaultFormat(chartSurfaceFormat()); }

 private slots:
  void initTestCase() {
    QVERIFY2(test::usesOwnSettingsStore(), test::kOwnStoreNeeded);
    test::startWithOrdinaryWindow();
    window_ = std::make_unique<Mapka>(kDataDir);
    // Every turn here ends where the test says, never by a rest of the hand.
    window_->stage()->setRestDelay(std::nullopt);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QTRY_VERIFY(window_->vykresleno());
  }
  void cleanupTestCase() {
    window_.reset();
    QFile::remove(QSettingsStore().fileName());
  }
  void init() {
    // No drag left over from the test before.
    QTest::mouseRelease(window_->stage(), Qt::LeftButton, {}, QPoint(1, 1));
    hover(*window_, QPoint(1, 1));
  }

  void pointerShowsAHandOnlyInsideTheGrabRegion() {
    Stage* stage = window_->stage();
    QTest::mouseMove(stage, windowMiddle(*window_));
    QTRY_VERIFY(window_->grip()->handShown());
    QCOMPARE(stage->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(stage->cursor().hotSpot(), QPoint(15, 15));
    QCOMPARE(stage->cursor().bitmap().size(), QSize(32, 32));
    QTest::mouseMove(stage, onDisc(*stage, 270, 0.95));  // the lowest part of the rim
    QTRY_VERIFY(!window_->grip()->handShown());
    QCOMPARE(stage->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(stage, onDisc(*stage, 90, 0.95));  // the upper rim band
    QTRY_VERIFY(window_->grip()->handShown());
    QCOMPARE(stage->cursor().shape(), Qt::BitmapCursor);
  }

  void pressOnTheMaskOrTheLowestRimDoesNotTurn() {
    Stage* stage = window_->stage();
    const double before = stage->discAngle();
    for (QPoint p : {onDisc(*stage, 270, 0.95), onDisc(*stage, 90, 0.86), QPoint(3, 3)}) {
      hover(*window_, p);
      QTest::mousePress(stage, Qt::LeftButton, {}, p);
      QVERIFY(!window_->grip()->dragging());
      dragRound(stage, p, 90);
      QTest::mouseRelease(stage, Qt::LeftButton, {}, p);
    }
    QCOMPARE(stage->discAngle(), before);
  }

  void dragOnceRoundTheCentreTurnsAWholeCircle() {
    Stage* stage = window_->stage();
    const QPoint from = onDisc(*stage, 90, 0.95);
    const double before = stage->discAngle();
    hover(*window_, from);
    QTest::mousePress(stage, Qt::LeftButton, {}, from);
    QVERIFY(window_->grip()->dragging());
    QVERIFY(window_->grip()->closedHand());
    dragRound(stage, from, 360);
    QTest::mouseRelease(stage, Qt::LeftButton, {}, from);
    QVERIFY(!window_->grip()->dragging());
    QVERIFY(!window_->grip()->closedHand());
    QVERIFY2(std::fabs(stage->discAngle() - before - 360) < 1e-6,
             qPrintable(QString::number(stage->discAngle() - before)));

    // Clockwise from the horizon window: minus a whole circle, never reduced.
    const QPoint inside = windowMiddle(*window_);
    hover(*window_, inside);
    QTest::mousePress(stage, Qt::LeftButton, {}, inside);
    dragRound(stage, inside, -720);
    QTest::mouseRelease(stage, Qt::LeftButton, {}, inside);
    QVERIFY2(std::fabs(stage->discAngle() - before + 360) < 1e-6,
             qPrintable(QString::number(stage->discAngle() - before)));
  }

  void rightButtonDoesNotDrag() {
    Stage* stage = window_->stage();
    const QPoint from = onDisc(*stage, 90, 0.95);
    const double before = stage->discAngle();
    hover(*window_, from);
    QTest::mousePress(stage, Qt::RightButton, {}, from);
    QVERIFY(!window_->grip()->dragging());
    dragRound(stage, from, 90);
    QTest::mouseRelease(stage, Qt::RightButton, {}, from);
    QCOMPARE(stage->discAngle(), before);
    QVERIFY(!window_->grip()->closedHand());
  }

  void eachMoveDrawsOneFrameThatTurnsOnlyTheDisc() {
    Stage* stage = window_->stage();
    QTRY_VERIFY(window_->vykresleno());
    const QImage before = stage->grabFramebuffer();
    const QPoint from = onDisc(*stage, 90, 0.95);
    hover(*window_, from);
    QTest::mousePress(stage, Qt::LeftButton, {}, from);
    QSignalSpy frames(stage, &Stage::painted);
    const QPoint to = onDisc(*stage, 135, 0.95);
    QTest::mouseMove(stage, to);
    QTRY_COMPARE(frames.count(), 1);
    test::passEventLoop();
    QCOMPARE(frames.count(), 1);
    QTest::mouseRelease(stage, Qt::LeftButton, {}, to);
    const QImage after = stage->grabFramebuffer();
    // Inside the horizon window the sky has moved; the mask round the top
    // of the window (between it and the rim band) has not.
    const QPoint middle = windowMiddle(*window_);
    QVERIFY(!sameImage(before, after, QRect(middle - QPoint(30, 30), QSize(61, 61))));
    const QPoint mask = onDisc(*stage, 90, 0.84);
    QVERIFY(sameImage(before, after, QRect(mask - QPoint(3, 2), QSize(7, 5))));
  }

  void resizeKeepsTheWindowSquareAndOneGrabRegion() {
    window_->resize(500, 430);
    QTRY_COMPARE(window_->size(), QSize(500, 500));
    QTRY_COMPARE(window_->grabRegion(), buildGrabRegion(50, 500, 500));
    window_->resize(300, 300);
    QTRY_COMPARE(window_->grabRegion(), buildGrabRegion(50, 300, 300));
    // Never wider than the screen is high.
    const int screenHeight = window_->screen()->geometry().height();
    window_->resize(screenHeight + 100, screenHeight + 100);
    QTRY_VERIFY(window_->width() <= screenHeight);
    QTRY_COMPARE(window_->height(), window_->width());
    window_->resize(392, 392);
    QTRY_COMPARE(window_->stageWidth(), 392);
  }

 private:
  std::unique_ptr<Mapka> window_;
};

QTEST_MAIN(TestDiscTurning)
#include "tst_disc_turning.moc"
