// SPDX-License-Identifier: GPL-2.0-or-later
// The export dialog: the two schemes, the file choice, writing the document
// and the offer to open it.
#include "app/export_dialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>
#include <exception>

#include "app/localize_form.h"
#include "chart/milky_way_outlines.h"
#include "app/save_dialog.h"
#include "export/export_pdf.h"
#include "ui/ui_text.h"
#include "ui/whole_pixels.h"

namespace caelora {
namespace {

void setTag(QWidget* widget, int key) { widget->setProperty("tag", QString::number(key)); }

// The busy pointer for as long as the export runs, set back however it ends.
class BusyPointer {
 public:
  BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace

frmExport::frmExport(Settings settings, std::string programFolder, QWidget* parent)
    : QDialog(parent), settings_(std::move(settings)), programFolder_(std::move(programFolder)) {
  chooseFile_ = [this](QWidget* owner) {
    return showSaveDialog(owner, text(2022) + QStringLiteral(" (*.pdf)|*.pdf"), text(2020), QString(),
                          QString());
  };
  buildForm();
  localizeForm(this, settings_.languageFile);
  adjustSize();
  placeCentredOnTop();
}

void frmExport::buildForm() {
  setObjectName(QStringLiteral("frmExport"));
  setTag(this, 2001);
  auto* frame = new QGroupBox(this);
  frame->setObjectName(QStringLiteral("Frame1"));
  setTag(frame, 2010);
  auto* options = new QVBoxLayout(frame);
  for (int i = 0; i < 2; ++i) {
    opt_[i] = new QRadioButton(frame);
    opt_[i]->setObjectName(QStringLiteral("Opt%1").arg(i));
    setTag(opt_[i], i == 0 ? 2012 : 2014);
    options->addWidget(opt_[i]);
  }
  opt_[0]->setChecked(true);
  cmdExport_ = new QPushButton(this);
  cmdExport_->setObjectName(QStringLiteral("cmdExport"));
  setTag(cmdExport_, 200);
  cmdExport_->setDefault(true);
  cmdStorno_ = new QPushButton(this);
  cmdStorno_->setObjectName(QStringLiteral("cmdStorno"));
  setTag(cmdStorno_, 202);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdExport_);
  buttons->addWidget(cmdStorno_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addLayout(buttons);
  connect(cmdExport_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdStorno_, &QPushButton::clicked, this, &QDialog::reject);
}

void frmExport::placeCentredOnTop() {
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  centreOnScreen(*this);
}

QString frmExport::text(int key) const { return guiQString(settings_.languageFile, key); }

ExportScheme frmExport::exportScheme() const {
  return opt_[1]->isChecked() ? ExportScheme::Inverse : ExportScheme::Standard;
}

void frmExport::run() {
  // "Ok" accepts, which hides the dialog; a failed export shows it again.
  for (;;) {
    modalRun_ = true;
    const int result = exec();
    modalRun_ = false;
    if (result != QDialog::Accepted || afterOk() != Outcome::Failed) break;
  }
  finishIfClosed();
}

void frmExport::done(int result) {
  QDialog::done(result);
  if (modalRun_) return;  // run() goes on when exec() returns
  // Open without modality: its buttons end here.
  if (result == QDialog::Accepted && afterOk() == Outcome::Failed) {
    run();
    return;
  }
  finishIfClosed();
}

frmExport::Outcome frmExport::afterOk() {
  const Outcome outcome = exportChosen();
  if (outcome == Outcome::NoFile) show();  // back, but without modality
  return outcome;
}

void frmExport::finishIfClosed() {
  if (deleteWhenDone_ && !isVisible()) deleteLater();
}

frmExport::Outcome frmExport::exportChosen() {
  const QString path = chooseFile_(parentWidget());
  if (path.isEmpty()) return Outcome::NoFile;
  QCoreApplication::processEvents();  // let the chart repaint after the dialogs close
  if (!writeDocument(path)) {
    QMessageBox::warning(parentWidget(), QString(), lastError_);
    return Outcome::Failed;
  }
  offerToOpen(path);
  return Outcome::Written;
}

bool frmExport::writeDocument(const QString& path) {
  BusyPointer busy;
  try {
    exportPDF(settingsSource_ ? settingsSource_() : settings_, programFolder_, loadMilkyWayOutlines(), exportScheme(),
              QFile::encodeName(path).toStdString());
    lastError_.clear();
    return true;
  } catch (const std::exception& e) {
    lastError_ = messageQString(settings_.languageFile, messageOf(e));
    return false;
  }
}

void frmExport::offerToOpen(const QString& path) {
  const QString question = text(2030) + QLatin1Char(' ') + path + QLatin1Char(' ') + text(2032) +
                           QLatin1Char('\n') + text(2034);
  const auto answer = QMessageBox::question(parentWidget(), text(101), question,
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  if (answer != QMessageBox::Yes) return;
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    QMessageBox::critical(parentWidget(), text(101), text(2036));
  }
}

}  // namespace caelora
