// SPDX-License-Identifier: GPL-2.0-or-later
// The corner menu in a real window: its place through resizes, the hover
// highlight with the mouse held for the menu, the header row that does
// nothing, each command's dialog (answered as it comes up), the redraw after the
// options; and the about box: centred, on top, its title and its links.
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSurfaceFormat>
#include <QtTest>

#include "app/about_dialog.h"
#include "app/corner_menu.h"
#include "app/mapka.h"
#include "app/options_host.h"
#include "app/stage.h"
#include "gl/context_format.h"
#include "settings/qt/options_dialog.h"
#include "settings/qt/qsettings_store.h"
#include "tests/gui/gui_test_support.h"
#include "tests/test_support.h"
#include "ui/whole_pixels.h"

using namespace caelora;
using test::ModalAnswer;

namespace {

const std::string kDataDir = CAELORA_BUILD_DATA_DIR;

QRgb rgb(int r, int g, int b) { return qRgb(r, g, b) & 0xffffff; }

// Five rows of 3.75 % of the height, ending 2 % above the window's bottom.
QRect expectedMenu(const QSize& client) {
  return {roundHalfEven(client.width() * 0.02), roundHalfEven(client.height() * 0.7925),
          roundHalfEven(client.width() * 0.2), roundHalfEven(client.height() * 0.1875)};
}

// The middle of a menu row.
QPoint rowMiddle(const CornerMenu& menu, int row) {
  return {menu.width() / 2, menu.height() * (2 * row + 1) / 10};
}

QRgb rowColour(CornerMenu& menu, int row) {
  // Near the right end of the row, clear of its text.
  return menu.grab().toImage().pixel(menu.width() - 3, rowMiddle(menu, row).y()) & 0xffffff;
}

}  // namespace

// Keeps the addresses that the desktop was asked to open.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  Q_INVOKABLE void open(const QUrl& url) { urls.append(url); }
  QList<QUrl> urls;
};

class TestCornerMenu : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QSurfaceFormat::setDefaultFormat(chartSurfaceFormat()); }

 private slots:
  void initTestCase() {
    QVERIFY2(test::usesOwnSettingsStore(), test::kOwnStoreNeeded);
    test::startWithOrdinaryWindow();
    window_ = std::make_unique<Mapka>(kDataDir);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QTRY_VERIFY(window_->vykresleno());
    menu_ = window_->picMenu();
    QVERIFY(menu_ && menu_->isVisible());
  }
  void cleanupTestCase() {
    window_.reset();
    QFile::remove(QSettingsStore().fileName());
  }

  void keepsItsCornerThroughResizes() {
    QCOMPARE(menu_->geometry(), expectedMenu(window_->size()));
    window_->resize(500, 500);
    QTRY_COMPARE(menu_->geometry(), expectedMenu(QSize(500, 500)));
    window_->resize(392, 392);
    QTRY_COMPARE(menu_->geometry(), expectedMenu(QSize(392, 392)));
  }

  void rowsHaveTheSchemeColours() {
    for (int scheme = 0; scheme < 4; ++scheme) {
      const MenuColours c = menuColours(static_cast<ScreenScheme>(scheme));
      for (const QColor& colour : {c.header, c.command, c.highlighted, c.text}) {
        if (scheme == 3) QVERIFY(colour.green() == 0 && colour.blue() == 0);
      }
      QVERIFY(c.highlighted != c.command);
    }
    menu_->setMenuHover(CornerMenu::kNoRow);
    QCOMPARE(rowColour(*menu_, 0), rgb(0, 0, 0));
    QCOMPARE(rowColour(*menu_, 2), rgb(128, 128, 128));
  }

  void hoverHighlightsCommandRowsButNeverTheHeader() {
    QTest::mouseMove(menu_, rowMiddle(*menu_, 2));
    QTRY_COMPARE(menu_->menuHover(), 2);
    QCOMPARE(QWidget::mouseGrabber(), menu_);
    QCOMPARE(rowColour(*menu_, 2), rgb(192, 192, 192));
    QCOMPARE(rowColour(*menu_, 1), rgb(128, 128, 128));
    // Over the header the highlight stays where it was.
    test::moveNow(menu_, rowMiddle(*menu_, 0));
    QCOMPARE(menu_->menuHover(), 2);
    QTest::mouseMove(menu_, rowMiddle(*menu_, 3));
    QTRY_COMPARE(menu_->menuHover(), 3);
    // Leaving the menu, onto the chart, lets the mouse go.
    QTest::mouseMove(window_->stage(), QPoint(200, 100));
    QTRY_COMPARE(menu_->menuHover(), 5);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QCOMPARE(rowColour(*menu_, 3), rgb(128, 128, 128));
  }

  void clickOnTheHeaderDoesNothing() {
    QTest::mouseMove(menu_, rowMiddle(*menu_, 1));
    QTRY_COMPARE(menu_->menuHover(), 1);
    // A command would take the highlight away and open its dialog.
    int opened = 0;
    ModalAnswer closer([&](QWidget* modal) {
      ++opened;
      modal->close();
    });
    QTest::mouseClick(menu_, Qt::LeftButton, {}, rowMiddle(*menu_, 0));
    QCOMPARE(opened, 0);
    QCOMPARE(menu_->menuHover(), 1);
    QTest::mouseMove(window_->stage(), QPoint(200, 100));
    QTRY_COMPARE(menu_->menuHover(), 5);
  }

  void aboutRowOpensTheAboutBoxCentredOnTop() {
    UrlCatcher urls;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &urls, "open");
    QString title;
    QPoint place;
    QSize size;
    bool onTop = false;
    QString dialogName;
    ModalAnswer answer([&](QWidget* modal) {
      dialogName = modal->objectName();
      title = modal->findChild<QLabel*>(QStringLiteral("lblTitle"))->text();
      place = modal->pos();
      size = modal->size();
      onTop = modal->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
      QTest::mouseClick(modal->findChild<QLabel*>(QStringLiteral("lblHome")), Qt::LeftButton);
      QTest::mouseClick(modal->findChild<QLabel*>(QStringLiteral("imgLogo")), Qt::LeftButton);
      QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    QTest::mouseClick(menu_, Qt::LeftButton, {}, rowMiddle(*menu_, 3));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

    QCOMPARE(dialogName, QStringLiteral("frmAbout"));
    QCOMPARE(title, QStringLiteral("Caelora v2.0"));
    QVERIFY(onTop);  // although the main window is not kept on top
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(place, QPoint(roundHalfEven((screen.width() - size.width()) / 2.0),
                           roundHalfEven((screen.height() - size.height()) / 2.0)));
    QCOMPARE(urls.urls, (QList<QUrl>{QUrl(AboutDialog::homePage()),
                                     QUrl(AboutDialog::logoAddress())}));
    QCOMPARE(menu_->menuHover(), 5);
    QVERIFY(!QApplication::activeModalWidget());
  }

  void aboutBoxHasItsGreyFrameRoundBlack() {
    AboutDialog about(window_->scene().settings().languageFile);
    const QImage image = about.grab().toImage();
    QCOMPARE(image.pixel(1, 1) & 0xffffff, rgb(128, 128, 128));
    QCOMPARE(image.pixel(image.width() - 2, image.height() / 2) & 0xffffff, rgb(128, 128, 128));
    QCOMPARE(image.pixel(4, 4) & 0xffffff, rgb(0, 0, 0));
    QCOMPARE(about.size(), QSize(389, 219));
  }

  void optionsRowOpensTheOptionsAndTheChartIsDrawnAgain() {
    QTRY_VERIFY(window_->vykresleno());
    QSignalSpy frames(window_->stage(), &Stage::painted);
    QString dialogName;
    ModalAnswer answer([&](QWidget* modal) {
      dialogName = modal->objectName();
      QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("cmdStorno")),
                        Qt::LeftButton);
    });
    QTest::mouseClick(menu_, Qt::LeftButton, {}, rowMiddle(*menu_, 1));
    QCOMPARE(dialogName, QStringLiteral("frmOptions"));
    // Closing the options cleared vykresleno; the menu's handler drew again.
    QTRY_VERIFY(frames.count() >= 1);
    QTRY_VERIFY(window_->vykresleno());
  }

  void exportRowOpensTheExportDialog() {
    QString dialogName;
    ModalAnswer answer([&](QWidget* modal) {
      dialogName = modal->objectName();
      QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("cmdStorno")), Qt::LeftButton);
    });
    QTest::mouseClick(menu_, Qt::LeftButton, {}, rowMiddle(*menu_, 2));
    QCOMPARE(dialogName, QStringLiteral("frmExport"));
    QCOMPARE(menu_->menuHover(), CornerMenu::kNoRow);
  }

  void everyLanguageEndsItsRowsBeforeTheMenusRightEdge() {
    Settings s = window_->scene().settings();
    for (const std::string& name : test::languageFiles()) {
      s.languageFile = kDataDir + "/" + name;
      makeOptionsHost(*window_)->applyOptions(s);
      const QImage menu = menu_->grab().toImage();
      for (int y = 0; y < menu.height(); ++y)
        QVERIFY2(menu.pixel(menu.width() - 3, y) == menu.pixel(menu.width() - 1, y), name.c_str());
    }
  }

 private:
  std::unique_ptr<Mapka> window_;
  CornerMenu* menu_ = nullptr;
};

QTEST_MAIN(TestCornerMenu)
#include "tst_corner_menu.moc"
