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

  // Shows the dialog until the user cancels or an export has finished: a
  // cancelled file choice or a failed export brings it back.
  void run();

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
  // One attempt after "Ok": true when the dialog is done.
  bool exportChosen();
  bool writeDocument(const QString& path);
  void offerToOpen(const QString& path);
  QString text(int key) const;

  Settings settings_;
  std::string programFolder_;
  FileChooser chooseFile_;
  QRadioButton* opt_[2] = {nullptr, nullptr};
  QPushButton* cmdExport_ = nullptr;
  QPushButton* cmdStorno_ = nullptr;
  QString lastError_;
};

}  // namespace caelora
