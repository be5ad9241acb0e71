// SPDX-License-Identifier: GPL-2.0-or-later
// frmExport: the export dialog. The user picks one of the two colour
// schemes of the document and presses "Ok"; the dialog asks for a file,
// writes the two-page PDF and offers to open it.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "settings/settings.h"
#include "export/colours.h"

class QRadioButton;
class QPushButton;

namespace caelora {

class frmExport : public QDialog {
  Q_OBJECT

 public:
  // The chart of `settings` with the data files of `programFolder`.
  frmExport(Settings settings, std::string programFolder, QWidget* parent = nullptr);

  // Shows the dialog modal until the user cancels or an export has
  // finished; a failed export brings it back modal. A cancelled file choice
  // brings it back without modality: run() returns with the dialog open, and
  // its "Ok" and "Storno" go on from there.
  void run();

  // The dialog deletes itself once it is done (shown from the menu, it may
  // outlive the call that opened it).
  void setDeleteWhenDone(bool on) { deleteWhenDone_ = on; }

  // Where an export takes the chart's settings from when it starts (those
  // given to the constructor unless replaced): open without modality, the
  // dialog sees the options change.
  using SettingsSource = std::function<Settings()>;
  void setSettingsSource(SettingsSource source) { settingsSource_ = std::move(source); }

  void done(int result) override;

  // The export colour scheme: the highest option set (standard when none is).
  ExportScheme exportScheme() const;

  // How the file name is asked for; showSaveDialog unless replaced.
  using FileChooser = std::function<QString(QWidget* owner)>;
  void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

  // The message of the last failed export, empty after a success.
  const QString& lastError() const { return lastError_; }

 private:
  void buildForm();
  void placeCentredOnTop();
  // What one attempt after "Ok" came to.
  enum class Outcome { Written, NoFile, Failed };
  Outcome exportChosen();
  // exportChosen, and the dialog shown again without modality when no file
  // was chosen.
  Outcome afterOk();
  void finishIfClosed();
  bool writeDocument(const QString& path);
  void offerToOpen(const QString& path);
  QString text(int key) const;

  Settings settings_;
  std::string programFolder_;
  FileChooser chooseFile_;
  SettingsSource settingsSource_;
  QRadioButton* opt_[2] = {nullptr, nullptr};
  QPushButton* cmdExport_ = nullptr;
  QPushButton* cmdStorno_ = nullptr;
  QString lastError_;
  bool modalRun_ = false;  // exec() waits for the dialog
  bool deleteWhenDone_ = false;
};

}  // namespace caelora
