// SPDX-License-Identifier: GPL-2.0-or-later
// The export dialog on real widgets: its localised texts, "Ok" through the
// real save dialog to a finished document, "Storno", a cancelled file choice
// that leaves it open without modality, and a failed export that shows its
// message, brings the dialog back modal and leaves nothing behind.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/export_dialog.h"
#include "app/save_dialog.h"
#include "settings/settings.h"

using namespace caelora;

namespace {

const std::string kData = CAELORA_BUILD_DATA_DIR;

Settings chartSettings() {
  Settings s = defaultSettings(kData);
  s.languageFile = kData + "/english.lng";
  s.linesFile = kData + "/default.con";
  return s;
}

// Waits (while the modal loops run) for a modal widget of type T and hands
// it to `act` once. Returns a flag that tells whether it was seen.
template <typename T>
std::shared_ptr<bool> whenModal(std::function<void(T*)> act) {
  auto seen = std::make_shared<bool>(false);
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, [timer, act, seen] {
    if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget()); w != nullptr && w->isVisible()) {
      timer->stop();
      timer->deleteLater();
      *seen = true;
      act(w);
    }
  });
  timer->start(20);
  return seen;
}

QPushButton* button(QMessageBox* box, QMessageBox::StandardButton which) {
  return qobject_cast<QPushButton*>(box->button(which));
}

QPushButton* button(QWidget* dialog, const char* name) {
  return dialog->findChild<QPushButton*>(QLatin1String(name));
}

QString slurp(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

}  // namespace

class TstExportDialog : public QObject {
  Q_OBJECT

 private slots:
  void textsComeFromTheLanguageFile() {
    frmExport dialog(chartSettings(), kData);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Export to PDF"));
    QCOMPARE(dialog.findChild<QRadioButton*>(QStringLiteral("Opt1"))->text(),
             QStringLiteral("Inverse (white background, saves ink)"));
    QVERIFY(!button(&dialog, "cmdExport")->text().isEmpty());
    QVERIFY(!button(&dialog, "cmdStorno")->text().isEmpty());
    QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(dialog.exportScheme() == ExportScheme::Standard);
    dialog.findChild<QRadioButton*>(QStringLiteral("Opt1"))->setChecked(true);
    QVERIFY(dialog.exportScheme() == ExportScheme::Inverse);
  }

  void filterTakesThePatternOnce() {
    QCOMPARE(qtNameFilter(QStringLiteral("PDF documents (*.pdf)|*.pdf")), QStringLiteral("PDF documents (*.pdf)"));
    QCOMPARE(qtNameFilter(QStringLiteral("PDF documents (*.pdf)|*.pdf|")), QStringLiteral("PDF documents (*.pdf)"));
    QCOMPARE(qtNameFilter(QStringLiteral("Charts|*.pdf|All|*")), QStringLiteral("Charts (*.pdf);;All (*)"));
  }

  // "Ok", the real save dialog given a name without extension, the document
  // written, and "No" to the question to open it.
  void okWritesTheDocumentThroughTheSaveDialog() {
    QTemporaryDir dir;
    frmExport dialog(chartSettings(), kData);
    whenModal<frmExport>([](frmExport* d) { button(d, "cmdExport")->click(); });
    const auto saveSeen = whenModal<QFileDialog>([&dir](QFileDialog* fd) {
      fd->setOption(QFileDialog::DontUseNativeDialog, true);
      // Typed into the name box: selectFile would leave it alone once it has
      // the focus, which comes whenever the window system gives it.
      fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(dir.filePath(QStringLiteral("chart")));
      static_cast<QDialog*>(fd)->accept();  // as the Save button does
    });
    QString question;
    const auto questionSeen = whenModal<QMessageBox>([&question](QMessageBox* box) {
      question = box->text();
      QCOMPARE(box->defaultButton(), button(box, QMessageBox::No));
      button(box, QMessageBox::No)->click();
    });
    dialog.run();
    QVERIFY(*saveSeen);
    QVERIFY(*questionSeen);
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    QVERIFY2(QFile::exists(pdf), qPrintable(QDir(dir.path()).entryList().join(' ')));
    QVERIFY(question.contains(QDir::toNativeSeparators(pdf)));
    QVERIFY(question.contains(QStringLiteral("Do you want to open it now?")));
    QVERIFY(slurp(pdf).startsWith(QStringLiteral("%PDF-1.2\r")));
    QVERIFY(slurp(pdf).endsWith(QStringLiteral("%%EOF\r")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("chart.pdf")});
    QVERIFY(dialog.lastError().isEmpty());
    QVERIFY(!QGuiApplication::overrideCursor());  // the busy pointer is set back
  }

  void stornoWritesNothing() {
    frmExport dialog(chartSettings(), kData);
    bool asked = false;
    dialog.setFileChooser([&asked](QWidget*) {
      asked = true;
      return QString();
    });
    whenModal<frmExport>([](frmExport* d) { button(d, "cmdStorno")->click(); });
    dialog.run();
    QVERIFY(!asked);
  }

  // A cancelled file choice: run() returns with the dialog open and not
  // modal; its "Ok" asks again and exports the chart as it is by then.
  void cancelledFileChoiceBringsItBackWithoutModality() {
    QTemporaryDir dir;
    frmExport dialog(chartSettings(), kData);
    int asked = 0;
    QString answer;
    dialog.setFileChooser([&](QWidget*) {
      ++asked;
      return answer;
    });
    whenModal<frmExport>([](frmExport* d) { button(d, "cmdExport")->click(); });
    dialog.run();
    QCOMPARE(asked, 1);
    QVERIFY(dialog.isVisible());
    QVERIFY(!QApplication::activeModalWidget());

    dialog.setSettingsSource([] {
      Settings southern = chartSettings();
      southern.latitude = -35;
      return southern;
    });
    answer = dir.filePath(QStringLiteral("chart.pdf"));
    whenModal<QMessageBox>([](QMessageBox* box) { button(box, QMessageBox::No)->click(); });
    button(&dialog, "cmdExport")->click();
    QCOMPARE(asked, 2);
    QVERIFY(!dialog.isVisible());
    // The document's subject (a UTF-16 text in hexadecimal) names the south.
    QString south;
    for (QChar c : QStringLiteral("South)"))
      south += QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    QVERIFY2(slurp(answer).contains(south), "the export took the new settings");
  }

  // The target's folder cannot take the file: the message names it, the
  // dialog comes back, and no file is left.
  void failedExportShowsTheErrorAndComesBack() {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("missing/chart.pdf"));
    frmExport dialog(chartSettings(), kData);
    dialog.setFileChooser([&target](QWidget*) { return target; });
    whenModal<frmExport>([](frmExport* d) { button(d, "cmdExport")->click(); });
    QString message;
    whenModal<QMessageBox>([&message](QMessageBox* box) {
      message = box->text();
      // After the message the dialog is shown again: cancel it this time.
      whenModal<frmExport>([](frmExport* d) { button(d, "cmdStorno")->click(); });
      box->button(QMessageBox::Ok)->click();
    });
    dialog.run();
    QVERIFY2(message.contains(target), qPrintable(message));
    QCOMPARE(dialog.lastError(), message);
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    QVERIFY(!QGuiApplication::overrideCursor());
  }
};

QTEST_MAIN(TstExportDialog)
#include "tst_export_dialog.moc"
