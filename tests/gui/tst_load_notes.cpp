// SPDX-License-Identifier: GPL-2.0-or-later
// The box that tells the user what could not be loaded, over a real window
// started from a damaged copy of the program folder: it comes after the
// first frame, names file and record, leaves the event loop running, and
// gathers the notes of one step (start-up, applying the options) in one box.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSurfaceFormat>
#include <QtTest>
#include <map>

#include "app/mapka.h"
#include "app/options_host.h"
#include "app/stage.h"
#include "gl/context_format.h"
#include "settings/qt/options_dialog.h"
#include "settings/qt/qsettings_store.h"
#include "tests/gui/gui_test_support.h"
#include "tests/damaged_inputs/damage.h"
#include "ui/ui_text.h"

using namespace caelora;
using test::ModalAnswer;
using test::passEventLoop;
using test::storeFile;
using damage::Damage;
using damage::FolderCopy;

namespace {

const std::string kData = CAELORA_SOURCE_DATA_DIR;
const QString kEnglishLead =
    QStringLiteral("These parts of the chart could not be loaded; the rest of the chart is shown:");


void storeValues(const std::map<std::string, std::string>& values) {
  QSettingsStore store;
  for (const auto& [key, text] : values) store.save(key, text);
  store.flush();
}

QList<QMessageBox*> messageBoxes(const QWidget& window) {
  return window.findChildren<QMessageBox*>();
}

// Shows the window and waits for its first frame and for the event loop to
// have passed a few times after it, so that a box due would be up.
void showAndSettle(Mapka& window) {
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QTRY_VERIFY(window.vykresleno());
  passEventLoop();
}

}  // namespace

class TestLoadNotes : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QSurfaceFormat::setDefaultFormat(chartSurfaceFormat()); }

 private slots:
  void initTestCase() {
    QVERIFY2(test::usesOwnSettingsStore(), test::kOwnStoreNeeded);
  }
  void init() { QFile::remove(storeFile()); }
  void cleanupTestCase() { QFile::remove(storeFile()); }

  void damagedCatalogueIsNamedAfterTheFirstFrameWithoutBlocking() {
    FolderCopy folder(kData, "notes_stars");
    damage::applyDamage(folder.path(), "yale.dat", Damage::TooFewFields);
    Mapka window(folder.path().string());
    // Nothing is said before the window is on the screen.
    passEventLoop();
    QVERIFY(!window.loadNotesBox());
    showAndSettle(window);

    QMessageBox* box = window.loadNotesBox();
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QCOMPARE(messageBoxes(window).size(), 1);
    QCOMPARE(box->windowModality(), Qt::WindowModal);
    QCOMPARE(box->icon(), QMessageBox::Warning);
    QCOMPARE(box->windowTitle(), window.windowTitle());
    const QStringList lines = box->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.first(), guiQString(folder.file("english.lng"), 307));
    QVERIFY2(box->text().contains(QString::fromStdString(folder.file("yale.dat") + ", record 100")),
             qPrintable(box->text()));
    QVERIFY(box->detailedText().isEmpty());

    // The event loop runs on behind the box: the chart still draws.
    QSignalSpy frames(window.stage(), &Stage::painted);
    window.kreslix();
    QTRY_VERIFY(frames.count() >= 1);
    QCOMPARE(messageBoxes(window).size(), 1);
    box->accept();
    QTRY_VERIFY(!window.loadNotesBox());
  }

  void underACzechProgramTheNotesAreCzech() {
    FolderCopy folder(kData, "notes_czech");
    damage::applyDamage(folder.path(), "yale.dat", Damage::TooFewFields);
    storeValues({{"SMapFLang", folder.file("czech.lng")}});
    Mapka window(folder.path().string());
    showAndSettle(window);
    QMessageBox* box = window.loadNotesBox();
    QVERIFY(box);
    QVERIFY(box->text().startsWith(guiQString(folder.file("czech.lng"), 307)));
    const QString note = QString::fromUtf8("hvězdy: ") + QString::fromStdString(folder.file("yale.dat")) +
                         QString::fromUtf8(", záznam 100: chybí pole");
    QVERIFY2(box->text().contains(note), qPrintable(box->text()));
  }

  void soundDataAndAMissingFigureFileGiveNoNotesBox() {
    {
      Mapka window(kData);
      showAndSettle(window);
      QVERIFY(window.steps().errors().empty());
      QVERIFY(messageBoxes(window).isEmpty());
    }
    // A missing figure file has its own message and the options; the note
    // of the figure layer that follows is not told a second time.
    FolderCopy folder(kData, "notes_no_figures");
    storeValues({{"SMapFLines", folder.file("no-such-set.con")}});
    QStringList answered;
    ModalAnswer answer([&](QWidget* modal) {
      answered << modal->objectName();
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    });
    Mapka window(folder.path().string());
    QCOMPARE(answered.size(), 2);  // the message, then the options
    QVERIFY(!window.steps().errors().empty());
    showAndSettle(window);
    QCOMPARE(answered.size(), 2);
    QVERIFY(messageBoxes(window).isEmpty());
  }

  void withoutItsLanguageFileTheBoxSpeaksEnglish() {
    FolderCopy folder(kData, "notes_no_language");
    damage::applyDamage(folder.path(), "english.lng", Damage::Missing);
    Mapka window(folder.path().string());
    showAndSettle(window);
    QMessageBox* box = window.loadNotesBox();
    QVERIFY(box);
    QCOMPARE(box->windowTitle(), QStringLiteral("Caelora"));
    QVERIFY2(box->text().startsWith(kEnglishLead + QLatin1Char('\n')), qPrintable(box->text()));
    QVERIFY(box->text().contains(QString::fromStdString(folder.file("english.lng"))));
  }

  void applyingOptionsOverDamagedFilesShowsOneBox() {
    FolderCopy folder(kData, "notes_apply");
    Mapka window(folder.path().string());
    showAndSettle(window);
    QVERIFY(!window.loadNotesBox());

    // Damaged while the program runs; a new latitude records every layer.
    damage::applyDamage(folder.path(), "yale.dat", Damage::HugeNumber);
    damage::applyDamage(folder.path(), "Cons.txt", Damage::TooFewFields);
    bool applied = false;
    {
      ModalAnswer answer([&](QWidget* modal) {
        auto* options = qobject_cast<OptionsDialog*>(modal);
        if (!options || applied) return;
        options->findChild<QLineEdit*>(QStringLiteral("txtDeg"))->setText(QStringLiteral("40"));
        applied = true;
        QTest::mouseClick(options->findChild<QPushButton*>(QStringLiteral("cmdOK")),
                          Qt::LeftButton);
      });
      showOptionsDialog(window);
    }
    QVERIFY(applied);
    QCOMPARE(int(window.scene().settings().latitude), 40);

    QTRY_VERIFY(window.loadNotesBox());
    passEventLoop();
    QCOMPARE(messageBoxes(window).size(), 1);
    const QString text = window.loadNotesBox()->text();
    QVERIFY2(text.contains(QString::fromStdString(folder.file("yale.dat") + ", record 100")),
             qPrintable(text));
    QVERIFY2(text.contains(QString::fromStdString(folder.file("Cons.txt") + ", record 40")),
             qPrintable(text));
  }

  // A figure path of 10 MB from a damaged store: the box shows its start and
  // end, Show Details a few kilobytes of it, and neither lays out megabytes.
  void aHugeNoteIsShortenedInTheBox() {
    const QString path = QStringLiteral("/home/user/") + QString(10'000'000, QLatin1Char('x')) +
                         QStringLiteral(".con");
    const QString huge = QStringLiteral("constellation figures: ") + path + QStringLiteral(": does not exist");
    const LoadNotesText text = composeLoadNotes(kEnglishLead, {huge, QStringLiteral("stars: b")},
                                                QStringLiteral("and %1 more"));
    QVERIFY(text.text.size() < 1000);
    QVERIFY(text.text.contains(QStringLiteral("\u2022 constellation figures: /home/user/xxx")));
    QVERIFY(text.text.contains(QStringLiteral("xxx.con: does not exist\n\u2022 stars: b")));
    QVERIFY(text.details.size() < 10000);
    QVERIFY(text.details.endsWith(QStringLiteral(".con: does not exist\nstars: b")));
  }

  void notesOfALaterStepJoinTheOpenBox() {
    QWidget window;
    window.resize(300, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    LoadNotesBox notes(window);
    QStringList first;
    for (int i = 1; i <= 10; ++i) first << QStringLiteral("stars: yale.dat, record %1: bad").arg(i);
    notes.show(first, QStringLiteral("Caelora"), kEnglishLead, QStringLiteral("and %1 more"));
    QMessageBox* box = notes.box();
    QVERIFY(box && box->isVisible());
    QVERIFY(box->detailedText().isEmpty());

    // Two of these are listed already; thirteen in all, twelve shown.
    const QStringList later = {first[8], first[9], QStringLiteral("mask: a"),
                               QStringLiteral("grid: b"), QStringLiteral("ecliptic: c")};
    notes.show(later, QStringLiteral("Caelora"), kEnglishLead, QStringLiteral("and %1 more"));
    QCOMPARE(notes.box(), box);
    QCOMPARE(window.findChildren<QMessageBox*>().size(), 1);
    const QStringList lines = box->text().split(QLatin1Char('\n'));
    QVERIFY2(lines.contains(QStringLiteral("\u2022 grid: b")) &&
                 !box->text().contains(QStringLiteral("ecliptic: c")),
             qPrintable(box->text()));
    QCOMPARE(lines.last(), QStringLiteral("and 1 more"));
    QCOMPARE(box->detailedText().split(QLatin1Char('\n')).size(), 13);
    QVERIFY(box->detailedText().endsWith(QStringLiteral("ecliptic: c")));

    // Once closed, the next notes open a box of their own.
    box->accept();
    QTRY_VERIFY(!notes.box());
    notes.show({first[0]}, QStringLiteral("Caelora"), kEnglishLead, QStringLiteral("and %1 more"));
    QVERIFY(notes.box() && notes.box()->isVisible());
    QCOMPARE(notes.box()->text().count(QStringLiteral("record")), 1);
  }
};

QTEST_MAIN(TestLoadNotes)
#include "tst_load_notes.moc"
