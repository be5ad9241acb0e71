// SPDX-License-Identifier: GPL-2.0-or-later
// The options dialog `frmOptions`: every stored choice of the user, from the
// colour scheme and the latitude to the language and the figure set. OK hands
// the new values to the program, which rebuilds what they make stale and
// saves them; Cancel, or closing the dialog any other way, changes nothing.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "settings/cities.h"
#include "settings/settings.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
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

// A longitude as typed: degrees 0..180 without a sign ("," read as "."),
// east or west, to a tenth. An empty text is none (`accepted` with no
// value); anything else that is not such a number is refused.
struct TypedLongitude {
  bool accepted = false;
  std::optional<double> degreesEast;
};
TypedLongitude typedLongitude(const QString& text, bool west);

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
  // The place: the city list, the longitude and the time zone.
  QGroupBox* buildPlace();
  void refreshPlaceTexts();
  void loadPlace();
  void cityPicked(int index);
  void showPlace(const std::optional<double>& longitude, const std::string& zone);
  std::optional<std::string> typedZone() const;
  // Checks the longitude and the zone as OK does; warns and puts the focus
  // in the first that is refused.
  bool validatePlace();
  QString placeText(const char* key, const char* english) const;
  // The layers beyond the first ones: the horizon grid, the boundaries, the
  // planets and the Messier objects, and how faint the stars go.
  QGroupBox* buildMoreLayers();
  void refreshMoreLayersTexts();
  QString layersText(const char* key, const char* english) const;

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
  QGroupBox* framePlace_ = nullptr;
  QLabel* lblCity_ = nullptr;
  QComboBox* cmbCity_ = nullptr;
  QLabel* lblLon_ = nullptr;
  QLineEdit* txtLon_ = nullptr;
  QComboBox* cmbLonSide_ = nullptr;
  QLabel* lblZone_ = nullptr;
  QComboBox* cmbZone_ = nullptr;
  QGroupBox* frameMore_ = nullptr;
  QCheckBox* chkHorizonGrid_ = nullptr;
  QCheckBox* chkBoundaries_ = nullptr;
  QCheckBox* chkPlanets_ = nullptr;
  QCheckBox* chkMessier_ = nullptr;
  QLabel* lblStarLimit_ = nullptr;
  QDoubleSpinBox* spinStarLimit_ = nullptr;
  QLabel* lblPrintLimit_ = nullptr;
  QDoubleSpinBox* spinPrintLimit_ = nullptr;
  QLabel* lblMessierLimit_ = nullptr;
  QDoubleSpinBox* spinMessierLimit_ = nullptr;
  std::vector<City> cities_;  // entry i + 1 of cmbCity_
  int cityShown_ = 0;         // the entry before the last pick
};

}  // namespace caelora
