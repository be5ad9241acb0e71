// SPDX-License-Identifier: GPL-2.0-or-later
// The options dialog `frmOptions`: every stored choice of the user, from the
// colour scheme and the latitude to the language and the figure set. OK hands
// the new values to the program, which rebuilds what they make stale and
// saves them; Cancel, or closing the dialog any other way, changes nothing.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "settings/settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace caelora {

// What the dialog needs of the running program.
class OptionsHost {
 public:
  virtual ~OptionsHost() = default;
  // The values in force.
  virtual Settings currentSettings() const = 0;
  // The folder that holds the "*.lng" and "*.con" files.
  virtual std::string programFolder() const = 0;
  // Puts the UI texts of `languageFile` into `form` and its controls.
  virtual void localize(QWidget* form, const std::string& languageFile) = 0;
  // The confirmed values take effect: the chart records again exactly the
  // layers they make stale, the window follows (texts, grab region, staying
  // on top), and all the values are saved.
  virtual void applyOptions(const Settings& next) = 0;
  // The dialog has closed, whichever way: the chart is to be drawn again.
  virtual void optionsClosed() = 0;
};

// The number at the start of a latitude text, "," read as "."; 0 when the
// text does not start with a number.
double leadingNumber(const QString& text);

// Whether a typed latitude (degrees, no sign) lies within 25..80.
bool latitudeAccepted(double degrees);

class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit OptionsDialog(OptionsHost& host, QWidget* parent = nullptr);

  // Applies the dialog: the values of the controls, the language and figure
  // files picked in the lists, handed to the program. Refused (false, nothing
  // applied) while the latitude text is out of range.
  bool get_options();

  // The language and figure files as picked so far.
  const std::string& languageFile() const { return working_.languageFile; }
  const std::string& linesFile() const { return working_.linesFile; }

  void done(int result) override;

 private:
  void buildControls();
  void load();
  void refreshTexts();
  void fillFileList(QComboBox* list, const QString& extension, const std::string& current);
  void languagePicked(int index);
  void fitToTexts();
  void linesPicked(int index);
  // Reads, rewrites and checks the latitude text; warns and keeps the focus
  // in it when refused.
  bool validateLatitude();
  void latitudeLostFocus();
  void confirm();
  bool eventFilter(QObject* watched, QEvent* event) override;
  QString uiString(int key) const;

  OptionsHost& host_;
  // The values as they were when the dialog opened, with the language and
  // figure files as picked since.
  Settings working_;
  bool warningShown_ = false;

  QGroupBox* frameSchema_ = nullptr;
  QComboBox* cmbSchema_ = nullptr;
  QLabel* lblLatitude_ = nullptr;
  QLineEdit* txtDeg_ = nullptr;
  QComboBox* cmbHem_ = nullptr;
  QCheckBox* chkLines_ = nullptr;
  QGroupBox* frameLines_ = nullptr;
  QSlider* sliderLines_ = nullptr;
  QCheckBox* chkMW_ = nullptr;
  QGroupBox* frameMilky_ = nullptr;
  QSlider* sliderMW_ = nullptr;
  QCheckBox* chkNazvy_ = nullptr;
  QGroupBox* framePopisky_ = nullptr;
  QSlider* sliderPop_ = nullptr;
  QCheckBox* chkDaily_ = nullptr;
  QCheckBox* chkRaDec_ = nullptr;
  QCheckBox* chkEclip_ = nullptr;
  QCheckBox* chkTopMost_ = nullptr;
  QLabel* lblLang_ = nullptr;
  QComboBox* cmbLang_ = nullptr;
  QLabel* lblConLinesFile_ = nullptr;
  QComboBox* cmbConLines_ = nullptr;
};

}  // namespace caelora
