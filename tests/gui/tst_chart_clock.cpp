// The chart's clock in a real window on a clock the test sets: the turn it
// starts at, Now, the minutes, the keys, a drag, the readout and the place
// without a stored longitude.
#include <QFile>
#include <QSignalSpy>
#include <QSurfaceFormat>
#include <QtTest>
#include <cmath>

#include "app/chart_clock.h"
#include "app/corner_menu.h"
#include "app/mapka.h"
#include "app/options_host.h"
#include "app/stage.h"
#include "chart/time_zone.h"
#include "gl/context_format.h"
#include "gl/list_compiler.h"
#include "sky/geometry.h"
#include "tests/gui/gui_test_support.h"
#include "ui/ui_text.h"

using namespace caelora;

namespace {

const std::string kDataDir = CAELORA_BUILD_DATA_DIR;
const std::string kPrague = "Europe/Prague";
constexpr double kLon = 14.4;
const double kEvening = static_cast<double>(unixFromCivil({2026, 1, 15, 20, 0, 0}));  // 21:00 CET

double skyTurn(double t) { return discAngleFor(t, kLon, 50); }
QString readout(const ChartClock* clock) { return qStringFromCp1250(clock->readoutText()); }

}  // namespace

class TestChartClock : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QSurfaceFormat::setDefaultFormat(chartSurfaceFormat()); }

 private slots:
  void initTestCase() {
    QVERIFY2(test::usesOwnSettingsStore(), test::kOwnStoreNeeded);
    test::startWithOrdinaryWindow();
    QSettingsStore store;
    store.save("SMapLon", "14.4");
    store.save("SMapZone", kPrague);
    store.flush();
    window_ = std::make_unique<Mapka>(kDataDir);
    window_->stage()->setRestDelay(std::nullopt);
    clock_ = window_->chartClock();
    clock_->setWallClock([this] { return wall_; });
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QTRY_VERIFY(window_->vykresleno());
  }
  void init() { wall_ = kEvening; }
  void cleanupTestCase() {
    window_.reset();
    QFile::remove(QSettingsStore().fileName());
  }

  void startsUnturnedThenNowTurnsTheDiscAndTheMinutesFollowWithoutNewLists() {
    Stage* stage = window_->stage();
    // Unturned, the chart shows the clock's day in Prague.
    const double shown = clock_->shownInstant();
    QVERIFY(stage->discAngle() == 0 && std::fabs(std::remainder(skyTurn(shown), 360.0)) < 0.01);
    QVERIFY(shown >= kEvening - 21 * 3600 && shown < kEvening + 3 * 3600 && !clock_->following());
    QCOMPARE(clock_->readoutText(), chartTimeText(kPrague, kLon, shown, kDataDir + "/english.lng"));
    QSignalSpy frames(stage, &Stage::painted);
    const CornerMenu* menu = window_->picMenu();
    QTest::mouseClick(window_->picMenu(), Qt::LeftButton, {}, QPoint(menu->width() / 2, menu->rowHeight() * 9 / 2));
    QCOMPARE(stage->discAngle(), skyTurn(kEvening));
    QVERIFY(clock_->following() && clock_->minuteTimer().isActive());
    QCOMPARE(readout(clock_), QStringLiteral("15 Jan 2026 21:00 CET"));
    QTRY_VERIFY(frames.count() >= 1);
    const std::uint64_t lists = listsGeneration(), readouts = readoutCompilations();
    for (const double step : {60.0, 20.0}) {
      const double before = stage->discAngle();
      const int drawn = frames.count();
      wall_ += step;
      clock_->tick();
      QTRY_VERIFY(frames.count() > drawn);
      // The sky's own small turn, which the precession makes a little uneven.
      const double turn = std::remainder(skyTurn(wall_) - skyTurn(wall_ - step), 360.0);
      QVERIFY(std::fabs(stage->discAngle() - before - turn) < 1e-9);
      QVERIFY(std::fabs(turn - discTurnFor(step, 50)) < 0.01 * turn);
    }
    QCOMPARE(listsGeneration(), lists);
    QCOMPARE(readoutCompilations(), readouts + 1);  // 21:01 once; 21:01:20 reads the same
    QCOMPARE(readout(clock_), QStringLiteral("15 Jan 2026 21:01 CET"));
  }

  void keysTurnByTime() {
    Stage* stage = window_->stage();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    const struct { Qt::Key key; double seconds; const char* readout; } rows[] = {
        {Qt::Key_Left, -600, "20:50"}, {Qt::Key_Right, 600, "21:10"},      {Qt::Key_Down, -3600, "20:00"},
        {Qt::Key_Up, 3600, "22:00"},   {Qt::Key_PageDown, -86400, "14 Jan"}, {Qt::Key_PageUp, 86400, "16 Jan"}};
    for (const auto& row : rows) {
      QTest::keyClick(window_->windowHandle(), Qt::Key_Home);  // the window system's path
      QCOMPARE(stage->discAngle(), skyTurn(kEvening));
      QTest::keyClick(window_->windowHandle(), row.key);
      QVERIFY(!clock_->following() && !clock_->minuteTimer().isActive());
      QVERIFY(std::fabs(std::remainder(stage->discAngle() - skyTurn(kEvening + row.seconds), 360.0)) < 1e-9);  // that sky
      QCOMPARE(clock_->shownInstant(), kEvening + row.seconds);
      QVERIFY2(readout(clock_).contains(QLatin1String(row.readout)), row.readout);
      stage->settle();
    }
  }

  void aDragLetsTheClockGoAndItsFramesLetterTheTimeTheyShow() {
    Stage* stage = window_->stage();
    QSignalSpy frames(stage, &Stage::painted);
    clock_->now();
    stage->settle();
    const QImage still = stage->grabFramebuffer();
    // From the rim band at the top, clockwise in three steps of 15 degrees.
    const QPoint centre(stage->width() / 2, stage->height() / 2);
    test::moveNow(stage, QPoint(centre.x(), stage->height() / 40));
    QTest::mousePress(stage, Qt::LeftButton, {}, QPoint(centre.x(), stage->height() / 40));
    for (int i = 1; i <= 3; ++i) {
      const double a = (90 - 15 * i) * kDegreesToRadians, r = stage->width() * 0.475;
      const QPoint to = centre + QPoint(int(std::lround(r * std::cos(a))), -int(std::lround(r * std::sin(a))));
      QMouseEvent move(QEvent::MouseMove, to, stage->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(stage, &move);
      QTRY_COMPARE(frames.count(), i);
    }
    QVERIFY(!clock_->following());
    const QImage turning = stage->grabFramebuffer();
    QTest::mouseRelease(stage, Qt::LeftButton, {}, centre);
    const QImage exact = stage->grabFramebuffer();
    // About three hours earlier.
    const double shown = kEvening + (stage->discAngle() - skyTurn(kEvening)) / discTurnFor(1, 50);
    QVERIFY(shown < kEvening - 2.9 * 3600 && shown > kEvening - 3.1 * 3600);
    QVERIFY(std::fabs(clock_->shownInstant() - shown) < 1);
    QCOMPARE(clock_->readoutText(), chartTimeText(kPrague, kLon, shown, kDataDir + "/english.lng"));
    // Right of the lower right corner, all mask at 50 N: the text has
    // changed, and the kept frames of the turn show the last alone.
    const QRect corner(stage->width() * 3 / 4, stage->height() * 9 / 10, stage->width() / 4 - 1, stage->height() / 10);
    QVERIFY(still.copy(corner) != exact.copy(corner));
    QCOMPARE(turning.copy(corner), exact.copy(corner));
  }

  void readoutInTheLanguageAndZoneOfTheOptions() {
    const std::unique_ptr<OptionsHost> host = makeOptionsHost(*window_);
    Stage* stage = window_->stage();
    clock_->now();
    QVERIFY(clock_->pressKey(Qt::Key_Right));  // 21:10, no longer following
    Settings s = window_->scene().settings();
    s.languageFile = kDataDir + "/czech.lng";
    host->applyOptions(s);
    QCOMPARE(readout(clock_), QStringLiteral("15. ledna 2026 21:10 CET"));
    s.timeZone.clear();  // mean time at 14.4 E, 57.6 minutes ahead of UTC
    host->applyOptions(s);
    QCOMPARE(readout(clock_), QStringLiteral("15. ledna 2026 21:07 místní střední čas"));
    // A new place keeps the turn, and reads it there.
    const double angle = stage->discAngle();
    s.longitude = 15.0;
    s.languageFile = kDataDir + "/english.lng";
    host->applyOptions(s);
    QCOMPARE(stage->discAngle(), angle);
    QVERIFY(std::fabs(clock_->shownInstant() - (kEvening + 600 - 0.6 * 240 / kSiderealRate)) < 1);
    QCOMPARE(readout(clock_), QStringLiteral("15 Jan 2026 21:07 local mean time"));
  }

  void withoutALongitudeTheChartIsForTheMiddleOfAZone() {
    const QByteArray before = qgetenv("TZ");
    qputenv("TZ", "Asia/Kolkata");
    Settings s = defaultSettings(kDataDir);
    const double july = kEvening + 180 * 86400.0;  // the meridian of winter time all the same
    QCOMPARE(chartPlace(s, july).longitudeDeg, 82.5);
    QCOMPARE(chartPlace(s, july).zone, std::string());  // local mean time
    s.timeZone = "America/New_York";
    QCOMPARE(chartPlace(s, july).longitudeDeg, -75.0);
    QCOMPARE(chartPlace(s, july).zone, s.timeZone);
    qputenv("TZ", before);
  }

 private:
  std::unique_ptr<Mapka> window_;
  ChartClock* clock_ = nullptr;
  double wall_ = kEvening;
};

QTEST_MAIN(TestChartClock)
#include "tst_chart_clock.moc"
