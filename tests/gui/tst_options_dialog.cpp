// SPDX-License-Identifier: GPL-2.0-or-later
// The options dialog over a real window: what it shows, which layers OK
// records again, the store it writes, the latitude check on leaving the box,
// the live language switch and Cancel, a close by the window frame, staying
// on top, and a program folder without any figure or language file.
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSurfaceFormat>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <set>

#include "app/chart_clock.h"
#include "app/grab_region.h"
#include "app/mapka.h"
#include "app/options_host.h"
#include "app/save_dialog.h"
#include "app/stage.h"
#include "gl/context_format.h"
#include "settings/qt/options_dialog.h"
#include "settings/qt/qsettings_store.h"
#include "tests/gui/gui_test_support.h"
#include "ui/ui_text.h"

using namespace caelora;
using test::BoxCatcher;
using test::storeFile;

namespace {

const std::string kDataDir = CAELORA_BUILD_DATA_DIR;
const std::string kEnglish = kDataDir + "/english.lng";
const std::string kCzech = kDataDir + "/czech.lng";
const char* const kKeys[] = {"SMapCMode", "SMapLMode",  "SMapNMode",  "SMapMMode",  "SMapILMode",
                             "SMapIMMode", "SMapIPMode", "SMapDaily", "SMapRaDec", "SMapEclip",
                             "SMapTopMost", "SMapFLang", "SMapFLines", "SMapLat", "SMapHzGrid", "SMapBounds",
                             "SMapStarLim", "SMapPrnLim", "SMapPlanets", "SMapMessier", "SMapMesLim", "SMapLon",
                             "SMapZone"};


QByteArray storeSnapshot() {
  QFile f(storeFile());
  if (!f.open(QIODevice::ReadOnly)) return QByteArrayLiteral("<no store>");
  return f.readAll();
}

std::set<Layer> recordedLayers(Mapka& window) {
  std::set<Layer> layers;
  for (const auto& entry : window.scene().takePending()) layers.insert(entry.first);
  return layers;
}

template <typename T>
T* control(QWidget& dialog, const char* name) {
  T* found = dialog.findChild<T*>(QLatin1String(name));
  if (!found) qFatal("no control %s", name);
  return found;
}

// The text of the button that accepts the export's save dialog.
QString saveButtonText() {
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  prepareSaveDialog(dialog, QStringLiteral("PDF|*.pdf"), QStringLiteral("Save"));
  return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->text();
}

}  // namespace

class TestOptionsDialog : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QSurfaceFormat::setDefaultFormat(chartSurfaceFormat()); }

 private slots:
  void initTestCase() {
    QVERIFY2(test::usesOwnSettingsStore(), test::kOwnStoreNeeded);
    QFile::remove(storeFile());
    window_ = std::make_unique<Mapka>(kDataDir);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QTRY_VERIFY(window_->vykresleno());
    host_ = makeOptionsHost(*window_);
  }
  void cleanupTestCase() {
    host_.reset();
    window_.reset();
    QFile::remove(storeFile());
  }
  void init() {
    // Whatever an earlier test recorded is compiled before this one looks.
    window_->stage()->update();
    QTRY_VERIFY(window_->scene().takePending().empty());
  }

  void showsTheSettingsInForce() {
    OptionsDialog dialog(*host_, window_.get());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
    auto* schemes = control<QComboBox>(dialog, "cmbSchema");
    QCOMPARE(schemes->count(), 4);
    QCOMPARE(schemes->itemText(0), QStringLiteral("Colour on black"));
    QCOMPARE(schemes->currentIndex(), 0);
    QCOMPARE(control<QComboBox>(dialog, "cmbHem")->currentText(), QStringLiteral("North"));
    QCOMPARE(control<QLineEdit>(dialog, "txtDeg")->text(), QStringLiteral("50"));
    QCOMPARE(control<QLabel>(dialog, "lblConLinesFile")->text(), QStringLiteral("Figure set:"));
    QVERIFY(control<QCheckBox>(dialog, "chkLines")->isChecked());
    QVERIFY(!control<QCheckBox>(dialog, "chkRaDec")->isChecked());
    QCOMPARE(control<QSlider>(dialog, "SliderLines")->value(), 5);
    QCOMPARE(control<QSlider>(dialog, "SliderPop")->maximum(), 2);
    QCOMPARE(control<QComboBox>(dialog, "cmbLang")->currentText(), QStringLiteral("english"));
    QCOMPARE(control<QComboBox>(dialog, "cmbConLines")->currentText(), QStringLiteral("default"));
    QVERIFY(control<QComboBox>(dialog, "cmbConLines")->findText(QStringLiteral("rey")) >= 0);
    // Each slider's frame follows its box.
    auto* lines = control<QCheckBox>(dialog, "chkLines");
    lines->setChecked(false);
    QVERIFY(!control<QWidget>(dialog, "frameLines")->isEnabled());
    QVERIFY(!control<QWidget>(dialog, "SliderLines")->isEnabled());
    lines->setChecked(true);
    QVERIFY(control<QWidget>(dialog, "SliderLines")->isEnabled());
    // Kept on top by default, so the dialog is too, centred on the screen.
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(std::abs(dialog.geometry().center().x() - screen.center().x()) <= 1);
  }

  void okWithoutChangesRebuildsOnlyTheFiguresAndSavesEveryKey() {
    QCOMPARE(storeSnapshot(), QByteArrayLiteral("<no store>"));
    const Settings before = window_->scene().settings();
    OptionsDialog dialog(*host_, window_.get());
    QVERIFY(dialog.get_options());
    QCOMPARE(recordedLayers(*window_), std::set<Layer>{Layer::Figures});
    QCOMPARE(window_->scene().settings(), before);
    QSettingsStore store;
    for (const char* key : kKeys) QVERIFY2(store.get(key).has_value(), key);
    QCOMPARE(QString::fromStdString(*store.get("SMapLMode")), QStringLiteral("True"));
    QCOMPARE(QString::fromStdString(*store.get("SMapRaDec")), QStringLiteral("False"));
    QCOMPARE(QString::fromStdString(*store.get("SMapLat")), QStringLiteral("50"));
    dialog.accept();
    QVERIFY(!window_->vykresleno());  // the menu's handler draws again
  }

  void changeOfHemisphereRebuildsWhatTheHorizonTouches() {
    {
      OptionsDialog dialog(*host_, window_.get());
      control<QComboBox>(dialog, "cmbHem")->setCurrentIndex(1);
      QVERIFY(dialog.get_options());
    }
    QCOMPARE(int(window_->scene().settings().latitude), -50);
    QCOMPARE(recordedLayers(*window_),
             (std::set<Layer>{Layer::WindowShape, Layer::Mask, Layer::DateScale, Layer::Names,
                              Layer::Stars, Layer::MilkyWay, Layer::Figures}));
    QCOMPARE(window_->grabRegion(),
             buildGrabRegion(-50, window_->stageWidth(), window_->stageHeight()));
    QCOMPARE(QString::fromStdString(*QSettingsStore().get("SMapLat")), QStringLiteral("-50"));
    // A southern latitude shows as its size with the south entry.
    OptionsDialog again(*host_, window_.get());
    QCOMPARE(control<QComboBox>(again, "cmbHem")->currentIndex(), 1);
    QCOMPARE(control<QLineEdit>(again, "txtDeg")->text(), QStringLiteral("50"));
    control<QComboBox>(again, "cmbHem")->setCurrentIndex(0);
    QVERIFY(again.get_options());
    QCOMPARE(int(window_->scene().settings().latitude), 50);
  }

  // The layers beyond the first ones: switched on, they are recorded, and
  // the star limits are stored in tenths.
  void moreLayersAndStarLimitsAreRecordedAndStored() {
    {
      OptionsDialog dialog(*host_, window_.get());
      control<QCheckBox>(dialog, "chkHorizonGrid")->setChecked(true);
      control<QCheckBox>(dialog, "chkBoundaries")->setChecked(true);
      control<QDoubleSpinBox>(dialog, "spinStarLimit")->setValue(6.5);
      control<QDoubleSpinBox>(dialog, "spinPrintLimit")->setValue(4.0);
      QVERIFY(dialog.get_options());
    }
    const std::set<Layer> recorded = recordedLayers(*window_);
    for (Layer layer : {Layer::HorizonGrid, Layer::Boundaries, Layer::Stars}) QVERIFY(recorded.count(layer));
    QSettingsStore store;
    QCOMPARE(QString::fromStdString(*store.get("SMapHzGrid")), QStringLiteral("True"));
    QCOMPARE(QString::fromStdString(*store.get("SMapStarLim")), QStringLiteral("6.5"));
    QCOMPARE(QString::fromStdString(*store.get("SMapPrnLim")), QStringLiteral("4.0"));
    OptionsDialog again(*host_, window_.get());
    QCOMPARE(control<QDoubleSpinBox>(again, "spinStarLimit")->value(), 6.5);
    control<QCheckBox>(again, "chkHorizonGrid")->setChecked(false);
    control<QCheckBox>(again, "chkBoundaries")->setChecked(false);
    control<QDoubleSpinBox>(again, "spinStarLimit")->setValue(6.1);
    control<QDoubleSpinBox>(again, "spinPrintLimit")->setValue(5.0);
    QVERIFY(again.get_options());
  }

  void latitudeWithADecimalCommaIsAccepted() {
    OptionsDialog dialog(*host_, window_.get());
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    BoxCatcher boxes;
    auto* degrees = control<QLineEdit>(dialog, "txtDeg");
    degrees->setFocus(Qt::TabFocusReason);
    degrees->setText(QStringLiteral("48,5"));
    control<QCheckBox>(dialog, "chkDaily")->setFocus(Qt::TabFocusReason);
    // The check sets the text before any warning, in the same pass.
    QTRY_COMPARE(degrees->text(), QStringLiteral("48.5"));
    QVERIFY(boxes.texts.isEmpty());
    QTest::mouseClick(control<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(int(window_->scene().settings().latitude), 48);  // halves to even
    OptionsDialog back(*host_, window_.get());
    control<QLineEdit>(back, "txtDeg")->setText(QStringLiteral("50"));
    QVERIFY(back.get_options());
  }

  void latitudesOutsideTheRangeAreRefusedAndKeepTheFocus() {
    OptionsDialog dialog(*host_, window_.get());
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* degrees = control<QLineEdit>(dialog, "txtDeg");
    const QString refusal = guiQString(kEnglish, 1062);
    for (const QString& typed : {QStringLiteral("20"), QStringLiteral("85"), QStringLiteral("x")}) {
      // Without a window manager nothing hands the activation back to the
      // dialog after a message box has gone.
      dialog.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&dialog));
      BoxCatcher boxes;
      degrees->setFocus(Qt::TabFocusReason);
      degrees->setText(typed);
      control<QCheckBox>(dialog, "chkDaily")->setFocus(Qt::TabFocusReason);
      QTRY_COMPARE(boxes.texts.size(), 1);
      QCOMPARE(boxes.texts.first(), refusal);
      QCOMPARE(boxes.titles.first(), QStringLiteral("Caelora"));
      QCOMPARE(boxes.icons.first(), QMessageBox::Warning);
      QTRY_COMPARE(dialog.focusWidget(), degrees);
      QCOMPARE(degrees->text(), typed == QStringLiteral("x") ? QStringLiteral("0") : typed);
      // OK cannot be reached with the text refused.
      QTest::mouseClick(control<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
      QTRY_VERIFY(boxes.texts.size() >= 2);
      QVERIFY(dialog.isVisible());
      QTRY_COMPARE(dialog.focusWidget(), degrees);
      QVERIFY(!dialog.get_options());
    }
    QCOMPARE(int(window_->scene().settings().latitude), 50);
  }

  void languageSwitchRelabelsAtOnceAndCancelRestoresIt() {
    const QByteArray stored = storeSnapshot();
    OptionsDialog dialog(*host_, window_.get());
    auto* schemes = control<QComboBox>(dialog, "cmbSchema");
    schemes->setCurrentIndex(2);
    auto* languages = control<QComboBox>(dialog, "cmbLang");
    languages->setCurrentIndex(languages->findText(QStringLiteral("czech")));
    QCOMPARE(dialog.windowTitle(), guiQString(kCzech, 1001));
    QCOMPARE(schemes->itemText(0), guiQString(kCzech, 1012));
    QVERIFY(schemes->itemText(0) != QStringLiteral("Colour on black"));
    QCOMPARE(control<QGroupBox>(dialog, "framePlace")->title(), langQString(kCzech, "Place_And_Time", "Place", ""));
    QCOMPARE(control<QComboBox>(dialog, "cmbZone")->currentText(),
             langQString(kCzech, "Place_And_Time", "LocalMeanTime", ""));
    // The lists show the stored scheme and hemisphere again.
    QCOMPARE(schemes->currentIndex(), 0);
    QCOMPARE(dialog.languageFile(), kCzech);
    QTest::mouseClick(control<QPushButton>(dialog, "cmdStorno"), Qt::LeftButton);
    QCOMPARE(window_->scene().settings().languageFile, kEnglish);
    QCOMPARE(window_->windowTitle(), QStringLiteral("Caelora"));
    QCOMPARE(storeSnapshot(), stored);
    QVERIFY(recordedLayers(*window_).empty());
  }

  void languageSwitchConfirmedRelabelsTheWindow() {
    OptionsDialog dialog(*host_, window_.get());
    auto* languages = control<QComboBox>(dialog, "cmbLang");
    languages->setCurrentIndex(languages->findText(QStringLiteral("czech")));
    QVERIFY(dialog.get_options());
    QCOMPARE(window_->scene().settings().languageFile, kCzech);
    QCOMPARE(QString::fromStdString(*QSettingsStore().get("SMapFLang")),
             QString::fromStdString(kCzech));
    // Names, the date scale and the mask carry words: all recorded again.
    const std::set<Layer> layers = recordedLayers(*window_);
    for (Layer layer : {Layer::Names, Layer::DateScale, Layer::Mask, Layer::WindowShape})
      QVERIFY2(layers.count(layer) == 1, layerName(layer));
    // Qt's own texts follow: the save dialog and the message boxes in Czech.
    QCOMPARE(saveButtonText(), QString::fromUtf8("&Uložit"));
    QCOMPARE(QMessageBox::tr("Show Details..."), QString::fromUtf8("Ukázat podrobnosti..."));
    OptionsDialog back(*host_, window_.get());
    back.show();
    QVERIFY(QTest::qWaitForWindowExposed(&back));
    const int czechWidth = back.width();
    auto* list = control<QComboBox>(back, "cmbLang");
    QCOMPARE(back.windowTitle(), guiQString(kCzech, 1001));
    list->setCurrentIndex(list->findText(QStringLiteral("english")));
    // As wide as the English texts need, as a dialog opened in English is.
    QVERIFY(back.width() != czechWidth);
    QVERIFY(back.get_options());
    QCOMPARE(window_->scene().settings().languageFile, kEnglish);
    OptionsDialog english(*host_, window_.get());
    english.show();
    QVERIFY(QTest::qWaitForWindowExposed(&english));
    QTRY_COMPARE(back.width(), english.width());
    QCOMPARE(saveButtonText(), QStringLiteral("&Save"));
  }

  void closingByTheWindowFrameIsACancel() {
    const QByteArray stored = storeSnapshot();
    const Settings before = window_->scene().settings();
    OptionsDialog dialog(*host_, window_.get());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* sets = control<QComboBox>(dialog, "cmbConLines");
    sets->setCurrentIndex(sets->findText(QStringLiteral("rey")));
    QCOMPARE(dialog.linesFile(), kDataDir + "/rey.con");
    auto* languages = control<QComboBox>(dialog, "cmbLang");
    languages->setCurrentIndex(languages->findText(QStringLiteral("czech")));
    window_->kreslix();
    QTRY_VERIFY(window_->vykresleno());
    dialog.close();
    QCOMPARE(window_->scene().settings(), before);
    QCOMPARE(storeSnapshot(), stored);
    QVERIFY(!window_->vykresleno());
    QVERIFY(recordedLayers(*window_).empty());
  }

  void stayingOnTopFollowsTheOption() {
    QVERIFY(window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QPoint place = window_->pos();
    {
      OptionsDialog dialog(*host_, window_.get());
      control<QCheckBox>(dialog, "chkTopMost")->setChecked(false);
      QVERIFY(dialog.get_options());
    }
    QVERIFY(!window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->pos(), place);
    QCOMPARE(QString::fromStdString(*QSettingsStore().get("SMapTopMost")), QStringLiteral("False"));
    // The chart is still drawn in the window as it now is.
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->markUndrawn();
    window_->kreslix();
    QTRY_VERIFY(window_->vykresleno());
    OptionsDialog dialog(*host_, window_.get());
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    control<QCheckBox>(dialog, "chkTopMost")->setChecked(true);
    QVERIFY(dialog.get_options());
    QVERIFY(window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  }

  void aCityFillsThePlaceAndOkStoresIt() {
    OptionsDialog dialog(*host_, window_.get());
    auto* cities = control<QComboBox>(dialog, "cmbCity");
    cities->setCurrentIndex(cities->findText(QStringLiteral("Sydney")));
    QCOMPARE(control<QLineEdit>(dialog, "txtDeg")->text() + control<QComboBox>(dialog, "cmbHem")->currentText(),
             QStringLiteral("34South"));
    QCOMPARE(control<QLineEdit>(dialog, "txtLon")->text() + control<QComboBox>(dialog, "cmbLonSide")->currentText(),
             QStringLiteral("151.2East"));
    QCOMPARE(control<QComboBox>(dialog, "cmbZone")->currentText(), QStringLiteral("Australia/Sydney"));
    QVERIFY(dialog.get_options());
    QCOMPARE(int(window_->scene().settings().latitude), -34);
    QCOMPARE(QString::fromStdString(*QSettingsStore().get("SMapLon")), QStringLiteral("151.2"));
    QCOMPARE(window_->chartClock()->place().longitudeDeg, 151.2);
    // Opened again it shows the city; New York lies west. Singapore, at
    // 1 N, is refused as such a latitude is, and the place stays.
    OptionsDialog again(*host_, window_.get());
    cities = control<QComboBox>(again, "cmbCity");
    QCOMPARE(cities->currentText(), QStringLiteral("Sydney"));
    cities->setCurrentIndex(cities->findText(QStringLiteral("New York")));
    BoxCatcher boxes;
    cities->setCurrentIndex(cities->findText(QStringLiteral("Singapore")));
    QCOMPARE(boxes.texts, QStringList{guiQString(kEnglish, 1062)});
    QCOMPARE(cities->currentText(), QStringLiteral("New York"));
    QVERIFY(again.get_options());
    QCOMPARE(int(window_->scene().settings().latitude), 41);
    QCOMPARE(window_->scene().settings().longitude.value_or(0), -74.0);
  }

  void typedPlace() {
    QCOMPARE(typedLongitude(" 14,44 ", false).degreesEast.value_or(0), 14.4);
    QCOMPARE(typedLongitude("21.9", true).degreesEast.value_or(0), -21.9);
    QVERIFY(typedLongitude("", true).accepted && !typedLongitude("", true).degreesEast);
    for (const char* refused : {"180.1", "-14", "14E"}) QVERIFY2(!typedLongitude(refused, false).accepted, refused);
    // An unknown zone is refused; the first entry is none, as is no longitude.
    OptionsDialog dialog(*host_, window_.get());
    auto* zones = control<QComboBox>(dialog, "cmbZone");
    zones->setEditText(QStringLiteral("Europe/Atlantis"));
    QVERIFY(!dialog.get_options());
    zones->setCurrentIndex(0);
    control<QLineEdit>(dialog, "txtLon")->clear();
    QVERIFY(dialog.get_options());
    QVERIFY(!window_->scene().settings().longitude && window_->scene().settings().timeZone.empty());
  }

  void folderWithoutFigureOrLanguageFilesStillOpensTheOptions() {
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const QByteArray stored = storeSnapshot();
    QFile::remove(storeFile());
    BoxCatcher boxes;
    bool listsEmpty = false;
    auto closer = std::make_unique<test::ModalAnswer>([&](QWidget* modal) {
      auto* options = qobject_cast<OptionsDialog*>(modal);
      if (!options) return;
      listsEmpty = control<QComboBox>(*options, "cmbConLines")->count() == 0 &&
                   control<QComboBox>(*options, "cmbLang")->count() == 0;
      QTest::mouseClick(control<QPushButton>(*options, "cmdOK"), Qt::LeftButton);
    });
    const std::string folder = QDir(empty.path()).absolutePath().toStdString();
    Mapka window(folder);
    closer.reset();
    QCOMPARE(boxes.texts.size(), 1);  // the missing figure file
    QVERIFY(listsEmpty);
    QCOMPARE(window.scene().settings().linesFile, folder + "/default.con");
    QFile f(storeFile());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(stored);
  }

 private:
  std::unique_ptr<Mapka> window_;
  std::unique_ptr<OptionsHost> host_;
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_options_dialog.moc"
