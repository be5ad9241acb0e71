// SPDX-License-Identifier: GPL-2.0-or-later
// The main window under a real X server and OpenGL: start-up from the
// settings store, the first frame's background, the report of a missing
// figure file, and a store left alone at closing.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QSignalSpy>
#include <QSurfaceFormat>
#include <QtTest>
#include <map>
#include <memory>

#include "app/mapka.h"
#include "app/stage.h"
#include "gl/context_format.h"
#include "settings/qt/qsettings_store.h"
#include "tests/gui/gui_test_support.h"
#include "sky/chart_geometry.h"

using namespace caelora;
using test::BoxCatcher;
using test::storeFile;

namespace {

const std::string kDataDir = CAELORA_BUILD_DATA_DIR;


QByteArray storeSnapshot() {
  QFile f(storeFile());
  if (!f.open(QIODevice::ReadOnly)) return QByteArrayLiteral("<no store>");
  return f.readAll();
}

void storeValues(const std::map<std::string, std::string>& values) {
  QSettingsStore store;
  for (const auto& [key, text] : values) store.save(key, text);
  store.flush();
}

// The colour that most pixels of a small square share: a star or a line
// crossing the square does not change it.
QRgb dominantColour(const QImage& image, QPoint centre, int half = 6) {
  std::map<QRgb, int> counts;
  for (int y = centre.y() - half; y <= centre.y() + half; ++y)
    for (int x = centre.x() - half; x <= centre.x() + half; ++x)
      ++counts[image.pixel(x, y) & 0xffffff];
  return std::max_element(counts.begin(), counts.end(),
                          [](auto& a, auto& b) { return a.second < b.second; })
      ->first;
}

// A point well inside the horizon window, near the zenith: the mean of the
// horizon outline of the latitude, in pixels of a w x h stage.
QPoint insideHorizonWindow(int latitude, int w, int h) {
  const auto outline = HorizonOutline(latitude);
  double sx = 0, sy = 0;
  for (int i = 0; i < 120; ++i) {
    sx += outline[2 * i];
    sy += outline[2 * i + 1];
  }
  const double x = sx / 120, y = sy / 120;
  return {static_cast<int>((1 + x) / 2 * w), static_cast<int>((1 - y) / 2 * h)};
}

}  // namespace

class TestMapka : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QSurfaceFormat::setDefaultFormat(chartSurfaceFormat()); }

 private slots:
  void initTestCase() {
    // Never touch the store of the user who runs the tests.
    QVERIFY2(test::usesOwnSettingsStore(), test::kOwnStoreNeeded);
    QVERIFY(QFileInfo::exists(QString::fromStdString(kDataDir + "/yale.dat")));
  }
  void init() { QFile::remove(storeFile()); }
  void cleanupTestCase() { QFile::remove(storeFile()); }

  void emptyStoreStartsWithDefaultsOnBlack() {
    BoxCatcher boxes(true);
    Mapka window(kDataDir);
    QCOMPARE(window.scene().settings(), defaultSettings(kDataDir));
    QCOMPARE(window.windowTitle(), QStringLiteral("Caelora"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.vykresleno());
    QVERIFY(boxes.texts.isEmpty());

    // Square, on top, centred on the screen.
    QCOMPARE(window.stage()->size(), QSize(392, 392));
    QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(window.pos(), QPoint((screen.width() - 392) / 2, (screen.height() - 392) / 2));

    const QImage frame = window.stage()->grabFramebuffer();
    QCOMPARE(frame.size(), QSize(392, 392));
    QCOMPARE(dominantColour(frame, insideHorizonWindow(50, 392, 392)), QRgb(0x000000));
    // Outside the window shape the mask: blue, darker towards the bottom.
    const QColor top = frame.pixelColor(4, 4), bottom = frame.pixelColor(4, 387);
    QCOMPARE(top.red() + top.green() + bottom.red() + bottom.green(), 0);
    QVERIFY2(top.blue() > 180 && bottom.blue() < 60 && bottom.blue() > 15,
             qPrintable(QStringLiteral("%1 %2").arg(top.name(), bottom.name())));
  }

  void schemeTwoHasWhiteBackground() {
    storeValues({{"SMapCMode", "2"}});
    Mapka window(kDataDir);
    QCOMPARE(int(window.scene().settings().colourScheme), 2);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.vykresleno());
    const QImage frame = window.stage()->grabFramebuffer();
    QCOMPARE(dominantColour(frame, insideHorizonWindow(50, 392, 392)), QRgb(0xffffff));
    const QColor top = frame.pixelColor(4, 4);
    QVERIFY2(top.red() == top.green() && top.green() == top.blue() && top.red() > 150 &&
                 top.red() < 215,
             qPrintable(top.name()));  // the grey mask
  }

  void southernChartFollowsItsOwnHorizon() {
    storeValues({{"SMapLat", "-35"}, {"SMapTopMost", "False"}});
    Mapka window(kDataDir);
    QCOMPARE(int(window.scene().settings().latitude), -35);
    QVERIFY(!(window.windowFlags() & Qt::WindowStaysOnTopHint));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.vykresleno());
    const QImage frame = window.stage()->grabFramebuffer();
    QCOMPARE(dominantColour(frame, insideHorizonWindow(-35, 392, 392)), QRgb(0x000000));
  }

  void closingLeavesTheStoreUnchanged() {
    {
      Mapka window(kDataDir);
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      QTRY_VERIFY(window.vykresleno());
      window.close();
    }
    QCOMPARE(storeSnapshot(), QByteArrayLiteral("<no store>"));

    storeValues({{"SMapCMode", "3"}, {"SMapLMode", "false"}, {"SMapLat", "-35"}});
    const QByteArray before = storeSnapshot();
    {
      Mapka window(kDataDir);
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      QTRY_VERIFY(window.vykresleno());
      window.close();
    }
    QCOMPARE(storeSnapshot(), before);
  }

  void missingFigureFileIsReportedAndStartUpGoesOn() {
    const std::string missing = kDataDir + "/no-such-set.con";
    storeValues({{"SMapFLines", missing}, {"SMapTopMost", "False"}});
    BoxCatcher boxes(true);
    Mapka window(kDataDir);
    QCOMPARE(boxes.texts.size(), 1);
    // Both come up in the middle of the screen, the window not being there yet.
    const QPoint middle = window.screen()->geometry().center();
    for (const QRect& place : boxes.places)
      QVERIFY2((place.center() - middle).manhattanLength() <= 2,
               qPrintable(QStringLiteral("at %1, %2").arg(place.x()).arg(place.y())));
    QCOMPARE(boxes.titles.first(), QStringLiteral("Caelora"));
    QVERIFY2(boxes.texts.first().contains(QString::fromStdString(missing)),
             qPrintable(boxes.texts.first()));
    // Then the options, to choose another set.
    QCOMPARE(boxes.dialogs, QStringList{QStringLiteral("frmOptions")});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.vykresleno());
  }

  void narrowingRedrawsFromTheResize() {
    storeValues({{"SMapTopMost", "False"}});
    Mapka window(kDataDir);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.vykresleno());
    QSignalSpy frames(window.stage(), &Stage::painted);
    window.resize(300, 300);
    QTRY_VERIFY(frames.count() >= 1);
    QCOMPARE(window.stageWidth(), 300);
    QCOMPARE(window.stage()->size(), QSize(300, 300));
    const QImage frame = window.stage()->grabFramebuffer();
    QCOMPARE(frame.size(), QSize(300, 300));
  }
};

QTEST_MAIN(TestMapka)
#include "tst_mapka.moc"
