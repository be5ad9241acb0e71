// SPDX-License-Identifier: GPL-2.0-or-later
// caelora-export as a process: the PNG it writes under a real X server and
// OpenGL, the settings options, and how it refuses a bad command line.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSurfaceFormat>
#include <QTemporaryDir>
#include <QtTest>

#include "gl/context_format.h"

namespace {

struct Run {
  int exitCode = -1;
  QString errors;
};

// The exporter with a settings store of its own, empty.
Run runExporter(const QStringList& args) {
  static const QTemporaryDir store;
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), store.path());
  p.setProcessEnvironment(env);
  p.start(QStringLiteral(CAELORA_EXPORT_EXE), args);
  Run r;
  if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) return r;
  r.exitCode = p.exitCode();
  r.errors = QString::fromLocal8Bit(p.readAllStandardError());
  return r;
}

int countNot(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xffffff) != colour;
  return n;
}

}  // namespace

class TestExportPng : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QSurfaceFormat::setDefaultFormat(caelora::chartSurfaceFormat()); }

 private slots:
  void initTestCase() { QVERIFY(dir_.isValid()); }

  void writesTheChartAtTheAskedSize() {
    const QString out = dir_.filePath(QStringLiteral("chart.png"));
    const Run r = runExporter({"--png", out, "--size", "256"});
    QCOMPARE(r.exitCode, 0);
    const QImage chart(out);
    QCOMPARE(chart.size(), QSize(256, 256));
    // The mask's blue at the top corner, the window's black sky near the centre.
    QVERIFY(chart.pixelColor(3, 3).blue() > 150);
    QCOMPARE(chart.pixelColor(3, 3).red(), 0);
  }

  void settingsOptionsChangeThePicture() {
    const QString plain = dir_.filePath(QStringLiteral("plain.png"));
    const QString grey = dir_.filePath(QStringLiteral("scheme2.png"));
    const QString bare = dir_.filePath(QStringLiteral("bare.png"));
    const QString turned = dir_.filePath(QStringLiteral("turned.png"));
    QCOMPARE(runExporter({"--png", plain, "--size", "200"}).exitCode, 0);
    QCOMPARE(runExporter({"--png", grey, "--size", "200", "--colour-scheme", "2"}).exitCode, 0);
    QCOMPARE(runExporter({"--png", bare, "--size", "200", "--no-mask", "--no-lines", "--no-names",
                          "--no-milky-way"})
                 .exitCode,
             0);
    QCOMPARE(runExporter({"--png", turned, "--size", "200", "--angle", "90"}).exitCode, 0);

    const QColor greyCorner = QImage(grey).pixelColor(3, 3);
    QVERIFY(greyCorner.red() == greyCorner.blue() && greyCorner.red() > 150);

    // Without the mask only the disc's layers: stars (and the date ring) on black.
    const QImage stars(bare);
    QCOMPARE(stars.pixel(3, 3) & 0xffffff, QRgb(0));
    const int lit = countNot(stars, 0x000000);
    QVERIFY2(lit > 500 && lit < 200 * 200 / 2, qPrintable(QString::number(lit)));

    // Turning changes the sky inside the window, not the mask's corner.
    const QImage a(plain), b(turned);
    QCOMPARE(b.pixel(3, 3), a.pixel(3, 3));
    QVERIFY(a != b);
  }

  void badCommandLinesEndWithStatusTwo_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no output") << QStringList{"--latitude", "40"};
    QTest::newRow("latitude off the chart") << QStringList{"--png", "x.png", "--latitude", "12"};
    QTest::newRow("unknown option") << QStringList{"--png", "x.png", "--stars"};
    QTest::newRow("scheme out of range") << QStringList{"--png", "x.png", "--colour-scheme", "7"};
    QTest::newRow("missing value") << QStringList{"--png", "x.png", "--size"};
    QTest::newRow("unknown zone") << QStringList{"--png", "x.png", "--time-zone", "Europe/Atlantis"};
    QTest::newRow("skipped zone time") << QStringList{"--png", "x.png", "--longitude", "14.4", "--time-zone",
                                                      "Europe/Prague", "--time", "2026-03-29T02:30"};
    QTest::newRow("time without a place") << QStringList{"--png", "x.png", "--now"};
    // Arguments shorter than an option, and the empty name of an unset variable.
    for (const char* arg : {"x", "", "-", "="}) QTest::newRow(arg) << QStringList{arg};
    QTest::newRow("document and empty") << QStringList{"a.pdf", ""};
    QTest::newRow("picture and dash") << QStringList{"--png", "x.png", "-"};
    QTest::newRow("empty language") << QStringList{"--png", "x.png", "--language", ""};
    QTest::newRow("empty figures") << QStringList{"--png", "x.png", "--figures", ""};
    QTest::newRow("two pictures") << QStringList{"--png", "x.png", "--png", "y.png"};
  }
  void badCommandLinesEndWithStatusTwo() {
    QFETCH(QStringList, args);
    const Run r = runExporter(args);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.errors.trimmed().count(QLatin1Char('\n')), 0);
    QVERIFY(!r.errors.trimmed().isEmpty());
    QVERIFY(!QFile::exists(QStringLiteral("x.png")));
  }

  // The message says why, as the document's does.
  void anUnwritableTargetIsAnErrorWithItsReason_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no folder") << dir_.filePath(QStringLiteral("no/such/folder/c.png"))
                               << QStringLiteral("does not exist");
    QTest::newRow("a folder") << dir_.path() << QStringLiteral("a folder of that name is in the way");
    QTest::newRow("in a file") << QStringLiteral("/etc/hostname/c.png") << QStringLiteral("Not a directory");
  }
  void anUnwritableTargetIsAnErrorWithItsReason() {
    QFETCH(QString, target);
    QFETCH(QString, reason);
    const Run r = runExporter({"--png", target, "--size", "64"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.errors.contains(QStringLiteral("Cannot write \"") + target + QStringLiteral("\": ")) &&
                 r.errors.contains(reason),
             qPrintable(r.errors));
  }

 private:
  QTemporaryDir dir_;
};

QTEST_MAIN(TestExportPng)
#include "tst_export_png.moc"
