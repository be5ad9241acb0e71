// SPDX-License-Identifier: GPL-2.0-or-later
// A long session in one window: the disc dragged through 10,000 frames and
// the options applied 1,000 times through the options dialog's link to the
// window. Neither may leave memory, OpenGL display lists or textures behind:
// the resident size and the number of live lists and textures must stay
// where they were after a warm-up that ran the same steps.
#include <GL/gl.h>
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSurfaceFormat>
#include <QtTest>
#include <fstream>
#include <functional>
#include <memory>

#include "app/mapka.h"
#include "app/options_host.h"
#include "app/stage.h"
#include "gl/context_format.h"
#include "settings/qt/options_dialog.h"
#include "settings/qt/qsettings_store.h"
#include "tests/gui/gui_test_support.h"

using namespace caelora;

namespace {

const std::string kDataDir = CAELORA_BUILD_DATA_DIR;
constexpr int kSide = 120;
// Resident memory that may come and go between two measurements: allocator
// pools, Qt's and Mesa's caches. A leak of 1 KB per option change or 100
// bytes per frame exceeds it.
constexpr long kSlackBytes = 1 << 20;

// Free heap memory is handed back first, so that what remains is what the
// program holds.
long residentBytes() {
  malloc_trim(0);
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

// Names 1..2000 that name a display list, or a texture, in the stage's
// context.
struct LiveObjects {
  int lists = 0;
  int textures = 0;
};

LiveObjects liveObjects(Stage& stage) {
  stage.makeCurrent();
  LiveObjects live;
  for (GLuint n = 1; n <= 2000; ++n) {
    live.lists += glIsList(n) ? 1 : 0;
    live.textures += glIsTexture(n) ? 1 : 0;
  }
  stage.doneCurrent();
  return live;
}

// The two sets of options the session switches between. Every change makes
// the figures, names, date scale, grid and ecliptic stale; every tenth
// also moves the latitude, which records every layer and the mask again.
Settings optionsFor(const Settings& base, int round) {
  Settings s = base;
  const bool odd = round % 2 == 1;
  s.showGrid = s.showEcliptic = odd;
  s.dailyScale = odd;
  s.lineIntensity = odd ? 9 : 4;
  s.nameSize = odd ? 2 : 1;
  s.alwaysOnTop = false;
  if (round % 10 == 9) s.latitude = static_cast<std::int16_t>(s.latitude == 50 ? -35 : 50);
  return s;
}

class Session {
 public:
  Session() : host_(makeOptionsHost(window_)) {
    // A counter, not a QSignalSpy: the spy keeps every emission.
    QObject::connect(window_.stage(), &Stage::painted, [this] { ++frames_; });
    // Each turn ends with its settle(), never by a rest of the hand.
    window_.stage()->setRestDelay(std::nullopt);
    window_.resize(kSide, kSide);
    window_.show();
  }

  bool firstFrame() {
    return QTest::qWaitForWindowExposed(&window_) && QTest::qWaitFor([&] { return window_.vykresleno(); });
  }

  // Steps of one drag, as the hand gives them, and the exact frame after.
  bool turn(int steps) {
    for (int i = 0; i < steps; ++i) {
      angle_ += 0.7;
      if (!drawn([&] { window_.stage()->turnDisc(angle_); })) return false;
    }
    return drawn([&] { window_.stage()->settle(); });
  }

  // As the dialog's OK does, then its closing; the next frame compiles
  // what was recorded again.
  bool applyOptions(int rounds) {
    for (int i = 0; i < rounds; ++i) {
      const Settings next = optionsFor(window_.scene().settings(), round_++);
      if (!drawn([&] {
            host_->applyOptions(next);
            host_->optionsClosed();
            window_.stage()->update();
          }))
        return false;
    }
    return window_.steps().errors().empty();
  }

  Stage& stage() { return *window_.stage(); }
  int frames() const { return frames_; }

 private:
  bool drawn(const std::function<void()>& change) {
    const int before = frames_;
    change();
    // Not QTest::qWaitFor, which sleeps 10 ms between its looks.
    QElapsedTimer clock;
    clock.start();
    while (frames_ == before && clock.elapsed() < 5000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return frames_ > before;
  }

  Mapka window_{kDataDir};
  std::unique_ptr<OptionsHost> host_;
  int frames_ = 0;
  double angle_ = 0;
  int round_ = 0;
};

}  // namespace

class TestLongSession : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QSurfaceFormat::setDefaultFormat(chartSurfaceFormat()); }

 private slots:
  void initTestCase() {
    QVERIFY2(test::usesOwnSettingsStore(), test::kOwnStoreNeeded);
    test::startWithOrdinaryWindow();
  }
  void cleanupTestCase() { QFile::remove(test::storeFile()); }

  void turningAndApplyingOptionsLeaveNothingBehind() {
    Session session;
    QVERIFY(session.firstFrame());
    // Warm-up: the same steps, so that caches and pools reach their size.
    // Mesa's and the allocator's take a few hundred option changes: after
    // 40 the resident size still rose by up to 1.4 MB over the next 1,000,
    // after 300 by 50 KB at most, and not more after 3,000.
    QVERIFY(session.applyOptions(300));
    QVERIFY(session.turn(500));
    const long memoryBefore = residentBytes();
    const LiveObjects before = liveObjects(session.stage());
    QVERIFY2(before.lists >= 8, qPrintable(QString::number(before.lists)));

    QVERIFY(session.turn(10000));
    const long afterTurning = residentBytes();
    const LiveObjects turned = liveObjects(session.stage());
    QVERIFY(session.applyOptions(1000));
    QVERIFY(session.turn(10));  // with the options drawn once more
    const long afterOptions = residentBytes();
    const LiveObjects applied = liveObjects(session.stage());

    qInfo("resident: %ld KB before, %+ld KB after 10,000 frames, %+ld KB after 1,000 option "
          "changes; %d lists, %d textures; %d frames",
          memoryBefore / 1024, (afterTurning - memoryBefore) / 1024,
          (afterOptions - memoryBefore) / 1024, before.lists, before.textures, session.frames());
    QCOMPARE(turned.lists, before.lists);
    QCOMPARE(turned.textures, before.textures);
    QCOMPARE(applied.lists, before.lists);
    QCOMPARE(applied.textures, before.textures);
    QVERIFY2(afterTurning - memoryBefore <= kSlackBytes, "memory grows while the disc turns");
    QVERIFY2(afterOptions - memoryBefore <= kSlackBytes, "memory grows as options are applied");
  }
};

QTEST_MAIN(TestLongSession)
#include "tst_long_session.moc"
