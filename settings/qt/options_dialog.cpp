// SPDX-License-Identifier: GPL-2.0-or-later
// The options dialog: its controls, the lists of language and figure files,
// the latitude check and the hand-over of the confirmed values.
#include "settings/qt/options_dialog.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>
#include <iterator>
#include <utility>

#include "ui/ui_text.h"
#include "ui/whole_pixels.h"

namespace caelora {

namespace {

constexpr double kMinLatitude = 25;
constexpr double kMaxLatitude = 80;

// The colour schemes 0..3 and the two hemispheres, by their UI texts.
constexpr int kSchemeKeys[] = {1012, 1014, 1016, 1018};
constexpr int kNorthKey = 520;
constexpr int kSouthKey = 524;
constexpr int kProgramNameKey = 101;
constexpr int kLatitudeRefusedKey = 1062;
// The texts of the place, in their own section of the language file.
constexpr const char* kPlaceSection = "Place_And_Time";
constexpr int kWestEntry = 1;

// The property that holds a control's UI-text key.
void tag(QObject* control, int key) { control->setProperty("tag", QString::number(key)); }

QLabel* taggedLabel(int key, const char* name) {
  auto* label = new QLabel;
  label->setObjectName(QLatin1String(name));
  tag(label, key);
  return label;
}

QCheckBox* taggedCheckBox(int key, const char* name) {
  auto* box = new QCheckBox;
  box->setObjectName(QLatin1String(name));
  tag(box, key);
  return box;
}

// A frame with a slider between its two end labels.
QGroupBox* sliderFrame(int frameKey, int lowKey, int highKey, int maximum, const char* frameName,
                       const char* sliderName, const char* labelName, QSlider** slider) {
  auto* frame = new QGroupBox;
  frame->setObjectName(QLatin1String(frameName));
  tag(frame, frameKey);
  *slider = new QSlider(Qt::Horizontal);
  (*slider)->setObjectName(QLatin1String(sliderName));
  (*slider)->setRange(0, maximum);
  (*slider)->setPageStep(1);
  (*slider)->setTickPosition(QSlider::TicksBelow);
  (*slider)->setTickInterval(1);
  auto* row = new QHBoxLayout(frame);
  row->addWidget(taggedLabel(lowKey, (std::string(labelName) + "0").c_str()));
  row->addWidget(*slider, 1);
  row->addWidget(taggedLabel(highKey, (std::string(labelName) + "1").c_str()));
  return frame;
}

QComboBox* dropDown(const char* name) {
  auto* list = new QComboBox;
  list->setObjectName(QLatin1String(name));
  list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return list;
}

// Every zone Qt knows, read once: the list is long and never changes.
const QList<QByteArray>& knownZones() {
  static const QList<QByteArray> zones = QTimeZone::availableTimeZoneIds();
  return zones;
}

// A list that fits its entries keeps the least width of the widest entries
// it ever held; a change of style makes it measure the ones it holds now.
void measureAgain(QComboBox* list) {
  QEvent styleChange(QEvent::StyleChange);
  QCoreApplication::sendEvent(list, &styleChange);
}

// The same file, however the two paths are written; letter case is ignored
// as the file names of the lists have always been compared.
bool sameFile(const std::string& a, const std::string& b) {
  const QString pa = QFileInfo(QString::fromStdString(a)).absoluteFilePath();
  const QString pb = QFileInfo(QString::fromStdString(b)).absoluteFilePath();
  return pa.compare(pb, Qt::CaseInsensitive) == 0;
}

}  // namespace

double leadingNumber(const QString& text) {
  QString t = text;
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  int i = 0;
  while (i < t.size() && (t.at(i) == QLatin1Char(' ') || t.at(i) == QLatin1Char('\t'))) ++i;
  const int start = i;
  if (i < t.size() && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-'))) ++i;
  const auto isDigit = [&](int k) {
    return k < t.size() && t.at(k) >= QLatin1Char('0') && t.at(k) <= QLatin1Char('9');
  };
  int digits = 0;
  while (isDigit(i)) ++i, ++digits;
  if (i < t.size() && t.at(i) == QLatin1Char('.')) {
    ++i;
    while (isDigit(i)) ++i, ++digits;
  }
  if (digits == 0) return 0;
  // An exponent counts only when digits follow it.
  if (i < t.size() && (t.at(i) == QLatin1Char('e') || t.at(i) == QLatin1Char('E'))) {
    int j = i + 1;
    if (j < t.size() && (t.at(j) == QLatin1Char('+') || t.at(j) == QLatin1Char('-'))) ++j;
    if (isDigit(j)) {
      while (isDigit(j)) ++j;
      i = j;
    }
  }
  bool ok = false;
  const double value = t.mid(start, i - start).toDouble(&ok);
  return ok && std::isfinite(value) ? value : 0;
}

bool latitudeAccepted(double degrees) {
  return degrees >= kMinLatitude && degrees <= kMaxLatitude;
}

TypedLongitude typedLongitude(const QString& text, bool west) {
  QString t = text.trimmed();
  if (t.isEmpty()) return {true, std::nullopt};
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  // The side is the list's: a sign of its own would say it twice.
  if (t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-'))) return {};
  const std::optional<double> degrees = parseLongitude(t.toStdString());
  if (!degrees) return {};
  return {true, west && *degrees != 0 ? -*degrees : *degrees};
}

OptionsDialog::OptionsDialog(OptionsHost& host, QWidget* parent)
    : QDialog(parent), host_(host), working_(host.currentSettings()) {
  setObjectName(QStringLiteral("frmOptions"));
  tag(this, 1001);
  setModal(true);
  buildControls();
  load();
}

void OptionsDialog::buildControls() {
  frameSchema_ = new QGroupBox;
  frameSchema_->setObjectName(QStringLiteral("frameSchema"));
  tag(frameSchema_, 1010);
  cmbSchema_ = dropDown("cmbSchema");
  (new QVBoxLayout(frameSchema_))->addWidget(cmbSchema_);

  lblLatitude_ = taggedLabel(1060, "lblLatitude");
  txtDeg_ = new QLineEdit;
  txtDeg_->setObjectName(QStringLiteral("txtDeg"));
  txtDeg_->setMaxLength(8);
  txtDeg_->setFixedWidth(txtDeg_->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
  txtDeg_->installEventFilter(this);
  cmbHem_ = dropDown("cmbHem");
  auto* latitudeRow = new QHBoxLayout;
  latitudeRow->addWidget(lblLatitude_);
  latitudeRow->addWidget(txtDeg_);
  latitudeRow->addWidget(cmbHem_);
  latitudeRow->addStretch(1);

  chkLines_ = taggedCheckBox(1020, "chkLines");
  frameLines_ = sliderFrame(1022, 1024, 1026, 10, "frameLines", "SliderLines", "lblInt", &sliderLines_);
  chkMW_ = taggedCheckBox(1030, "chkMW");
  frameMilky_ = sliderFrame(1032, 1034, 1036, 10, "frameMilky", "SliderMW", "lblMW", &sliderMW_);
  chkNazvy_ = taggedCheckBox(1040, "chkNazvy");
  framePopisky_ = sliderFrame(1042, 1044, 1046, 2, "framePopisky", "SliderPop", "lblPop", &sliderPop_);
  // Each slider's frame follows its box.
  for (auto [box, frame] : {std::pair{chkLines_, frameLines_}, std::pair{chkMW_, frameMilky_},
                            std::pair{chkNazvy_, framePopisky_}}) {
    connect(box, &QCheckBox::toggled, frame, &QWidget::setEnabled);
  }

  chkDaily_ = taggedCheckBox(1050, "chkDaily");
  chkRaDec_ = taggedCheckBox(1052, "chkRaDec");
  chkEclip_ = taggedCheckBox(1054, "chkEclip");
  chkTopMost_ = taggedCheckBox(1090, "chkTopMost");

  lblLang_ = taggedLabel(1070, "lblLang");
  cmbLang_ = dropDown("cmbLang");
  lblConLinesFile_ = taggedLabel(1080, "lblConLinesFile");
  cmbConLines_ = dropDown("cmbConLines");
  connect(cmbLang_, &QComboBox::currentIndexChanged, this, &OptionsDialog::languagePicked);
  connect(cmbConLines_, &QComboBox::currentIndexChanged, this, &OptionsDialog::linesPicked);

  auto* left = new QVBoxLayout;
  left->addWidget(frameSchema_);
  left->addLayout(latitudeRow);
  for (QWidget* w : {static_cast<QWidget*>(chkLines_), static_cast<QWidget*>(frameLines_),
                     static_cast<QWidget*>(chkMW_), static_cast<QWidget*>(frameMilky_),
                     static_cast<QWidget*>(chkNazvy_), static_cast<QWidget*>(framePopisky_)})
    left->addWidget(w);
  left->addStretch(1);

  auto* right = new QVBoxLayout;
  for (QCheckBox* box : {chkDaily_, chkRaDec_, chkEclip_, chkTopMost_}) right->addWidget(box);
  right->addSpacing(12);
  auto* files = new QGridLayout;
  files->addWidget(lblLang_, 0, 0);
  files->addWidget(cmbLang_, 0, 1);
  files->addWidget(lblConLinesFile_, 1, 0);
  files->addWidget(cmbConLines_, 1, 1);
  right->addLayout(files);
  right->addSpacing(12);
  right->addWidget(buildPlace());
  right->addSpacing(12);
  right->addWidget(buildMoreLayers());
  right->addStretch(1);

  auto* ok = new QPushButton;
  ok->setObjectName(QStringLiteral("cmdOK"));
  tag(ok, 200);
  ok->setDefault(true);
  auto* cancel = new QPushButton;
  cancel->setObjectName(QStringLiteral("cmdStorno"));
  tag(cancel, 202);
  connect(ok, &QPushButton::clicked, this, &OptionsDialog::confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addSpacing(16);
  columns->addLayout(right, 1);
  auto* whole = new QVBoxLayout(this);
  whole->addLayout(columns);
  whole->addLayout(buttons);
}

QString OptionsDialog::uiString(int key) const {
  return guiQString(working_.languageFile, key);
}

QString OptionsDialog::placeText(const char* key, const char* english) const {
  return langQString(working_.languageFile, kPlaceSection, key, english);
}

QString OptionsDialog::layersText(const char* key, const char* english) const {
  return langQString(working_.languageFile, "Layers", key, english);
}

QGroupBox* OptionsDialog::buildMoreLayers() {
  frameMore_ = new QGroupBox;
  frameMore_->setObjectName(QStringLiteral("frameMore"));
  const auto box = [](const char* name) {
    auto* b = new QCheckBox;
    b->setObjectName(QLatin1String(name));
    return b;
  };
  const auto magnitude = [](const char* name, double faintest) {
    auto* spin = new QDoubleSpinBox;
    spin->setObjectName(QLatin1String(name));
    spin->setDecimals(1);
    spin->setSingleStep(0.1);
    spin->setRange(kBrightestLimit, faintest);
    return spin;
  };
  chkHorizonGrid_ = box("chkHorizonGrid");
  chkBoundaries_ = box("chkBoundaries");
  chkPlanets_ = box("chkPlanets");
  chkMessier_ = box("chkMessier");
  lblStarLimit_ = new QLabel;
  spinStarLimit_ = magnitude("spinStarLimit", kCatalogueLimit);
  lblPrintLimit_ = new QLabel;
  spinPrintLimit_ = magnitude("spinPrintLimit", kFaintestPrintLimit);
  lblMessierLimit_ = new QLabel;
  spinMessierLimit_ = magnitude("spinMessierLimit", kFaintestMessierLimit);
  connect(chkMessier_, &QCheckBox::toggled, spinMessierLimit_, &QWidget::setEnabled);
  auto* grid = new QGridLayout(frameMore_);
  int row = 0;
  for (QCheckBox* b : {chkHorizonGrid_, chkBoundaries_, chkPlanets_, chkMessier_}) grid->addWidget(b, row++, 0, 1, 2);
  for (auto [label, spin] : {std::pair{lblStarLimit_, spinStarLimit_}, std::pair{lblPrintLimit_, spinPrintLimit_},
                             std::pair{lblMessierLimit_, spinMessierLimit_}}) {
    grid->addWidget(label, row, 0);
    grid->addWidget(spin, row++, 1);
  }
  return frameMore_;
}

void OptionsDialog::refreshMoreLayersTexts() {
  frameMore_->setTitle(layersText("Title", "More of the sky"));
  chkHorizonGrid_->setText(layersText("HorizonGrid", "Altitude and azimuth grid"));
  chkBoundaries_->setText(layersText("Boundaries", "Constellation boundaries"));
  chkPlanets_->setText(layersText("Planets", "Sun, Moon and planets at the chart's time"));
  chkMessier_->setText(layersText("Messier", "Messier objects"));
  lblStarLimit_->setText(layersText("StarLimit", "Faintest stars on screen:"));
  lblPrintLimit_->setText(layersText("PrintStarLimit", "Faintest stars in print:"));
  lblMessierLimit_->setText(layersText("MessierLimit", "Faintest Messier objects:"));
}

QGroupBox* OptionsDialog::buildPlace() {
  framePlace_ = new QGroupBox;
  framePlace_->setObjectName(QStringLiteral("framePlace"));
  const auto label = [](const char* name) {
    auto* l = new QLabel;
    l->setObjectName(QLatin1String(name));
    return l;
  };
  lblCity_ = label("lblCity");
  cmbCity_ = dropDown("cmbCity");
  cmbCity_->setMaxVisibleItems(20);
  cmbCity_->addItem(QString());  // no city: the place as typed
  lblLon_ = label("lblLon");
  txtLon_ = new QLineEdit;
  txtLon_->setObjectName(QStringLiteral("txtLon"));
  txtLon_->setMaxLength(8);
  txtLon_->setFixedWidth(txtLon_->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
  cmbLonSide_ = dropDown("cmbLonSide");
  lblZone_ = label("lblZone");
  cmbZone_ = dropDown("cmbZone");
  cmbZone_->setEditable(true);
  cmbZone_->setInsertPolicy(QComboBox::NoInsert);
  cmbZone_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cmbZone_->setMinimumContentsLength(18);
  cmbZone_->addItem(QString(), QString());  // local mean time
  for (const QByteArray& zone : knownZones()) cmbZone_->addItem(QString::fromUtf8(zone), QString::fromUtf8(zone));
  connect(cmbCity_, &QComboBox::currentIndexChanged, this, &OptionsDialog::cityPicked);

  auto* longitude = new QHBoxLayout;
  longitude->addWidget(txtLon_);
  longitude->addWidget(cmbLonSide_);
  longitude->addStretch(1);
  auto* grid = new QGridLayout(framePlace_);
  grid->addWidget(lblCity_, 0, 0);
  grid->addWidget(cmbCity_, 0, 1);
  grid->addWidget(lblLon_, 1, 0);
  grid->addLayout(longitude, 1, 1);
  grid->addWidget(lblZone_, 2, 0);
  grid->addWidget(cmbZone_, 2, 1);
  return framePlace_;
}

void OptionsDialog::refreshPlaceTexts() {
  framePlace_->setTitle(placeText("Place", "Place and time"));
  lblCity_->setText(placeText("City", "City:"));
  lblLon_->setText(placeText("Longitude", "Longitude:"));
  lblZone_->setText(placeText("TimeZone", "Time zone:"));
  cmbCity_->setItemText(0, placeText("NoCity", "(choose a city)"));
  cmbZone_->setItemText(0, placeText("LocalMeanTime", "Local mean time"));
  // Unlike the lists above, the side keeps what was picked.
  const int side = std::max(cmbLonSide_->currentIndex(), 0);
  cmbLonSide_->clear();
  cmbLonSide_->addItem(placeText("East", "East"));
  cmbLonSide_->addItem(placeText("West", "West"));
  cmbLonSide_->setCurrentIndex(side);
}

// The list of cities (none when its file cannot be read: the place can
// still be typed), the place in force, and the city it is when it is one.
void OptionsDialog::loadPlace() {
  try {
    cities_ = loadCities(host_.programFolder());
  } catch (const std::exception&) {
    cities_.clear();
  }
  for (const City& city : cities_) cmbCity_->addItem(qStringFromCp1250(city.name));
  const std::optional<double> longitude = working_.longitude;
  showPlace(longitude, working_.timeZone);
  cityShown_ = 0;
  for (std::size_t i = 0; i < cities_.size() && longitude; ++i) {
    const City& city = cities_[i];
    if (city.zone == working_.timeZone && std::nearbyint(city.longitudeDeg * 10) / 10 == *longitude &&
        roundHalfEven(city.latitudeDeg) == working_.latitude)
      cityShown_ = static_cast<int>(i) + 1;
  }
  const QSignalBlocker quiet(cmbCity_);
  cmbCity_->setCurrentIndex(cityShown_);
}

void OptionsDialog::cityPicked(int index) {
  if (index <= 0 || index > static_cast<int>(cities_.size())) {
    cityShown_ = std::max(index, 0);
    return;
  }
  const City& city = cities_[static_cast<std::size_t>(index) - 1];
  const int degrees = roundHalfEven(std::fabs(city.latitudeDeg));
  if (!latitudeAccepted(degrees)) {
    // The chart cannot be drawn there: the place stays as it was.
    QMessageBox::warning(this, uiString(kProgramNameKey), uiString(kLatitudeRefusedKey));
    const QSignalBlocker quiet(cmbCity_);
    cmbCity_->setCurrentIndex(cityShown_);
    return;
  }
  cityShown_ = index;
  txtDeg_->setText(QString::number(degrees));
  cmbHem_->setCurrentIndex(city.latitudeDeg < 0 ? 1 : 0);
  showPlace(std::nearbyint(city.longitudeDeg * 10) / 10, city.zone);
}

void OptionsDialog::showPlace(const std::optional<double>& longitude, const std::string& zone) {
  txtLon_->setText(longitude ? QString::number(std::fabs(*longitude), 'f', 1) : QString());
  cmbLonSide_->setCurrentIndex(longitude && *longitude < 0 ? kWestEntry : 0);
  // A zone that the list lacks still shows, to be refused at OK.
  const int entry = cmbZone_->findData(QString::fromStdString(zone));
  if (entry >= 0)
    cmbZone_->setCurrentIndex(entry);
  else
    cmbZone_->setEditText(QString::fromStdString(zone));
}

std::optional<std::string> OptionsDialog::typedZone() const {
  const QString text = cmbZone_->currentText().trimmed();
  if (text.isEmpty() || text == cmbZone_->itemText(0)) return std::string();
  if (!QTimeZone::isTimeZoneIdAvailable(text.toUtf8())) return std::nullopt;
  return text.toStdString();
}

bool OptionsDialog::validatePlace() {
  if (!typedLongitude(txtLon_->text(), cmbLonSide_->currentIndex() == kWestEntry).accepted) {
    QMessageBox::warning(this, uiString(kProgramNameKey),
                         placeText("LongitudeRefused", "The longitude must be a number of degrees from 0 to 180."));
    txtLon_->setFocus(Qt::OtherFocusReason);
    txtLon_->selectAll();
    return false;
  }
  if (!typedZone()) {
    QMessageBox::warning(this, uiString(kProgramNameKey),
                         placeText("ZoneRefused", "This time zone is not known."));
    cmbZone_->setFocus(Qt::OtherFocusReason);
    return false;
  }
  return true;
}

void OptionsDialog::refreshTexts() {
  host_.localize(this, working_.languageFile);
  lblConLinesFile_->setText(lblConLinesFile_->text() + QLatin1Char(':'));
  // Both lists show the values in force, whatever was picked before.
  const Settings stored = host_.currentSettings();
  cmbSchema_->clear();
  for (int key : kSchemeKeys) cmbSchema_->addItem(uiString(key));
  cmbSchema_->setCurrentIndex(static_cast<int>(stored.colourScheme));
  cmbHem_->clear();
  cmbHem_->addItem(uiString(kNorthKey));
  cmbHem_->addItem(uiString(kSouthKey));
  cmbHem_->setCurrentIndex(stored.latitude > 0 ? 0 : 1);
  refreshPlaceTexts();
  refreshMoreLayersTexts();
  for (QComboBox* list : {cmbSchema_, cmbHem_, cmbLonSide_, cmbCity_, cmbZone_}) measureAgain(list);
}

void OptionsDialog::load() {
  refreshTexts();
  txtDeg_->setFixedHeight(cmbHem_->sizeHint().height());
  chkLines_->setChecked(working_.showLines);
  chkNazvy_->setChecked(working_.showNames);
  chkMW_->setChecked(working_.showMilkyWay);
  chkDaily_->setChecked(working_.dailyScale);
  chkRaDec_->setChecked(working_.showGrid);
  chkEclip_->setChecked(working_.showEcliptic);
  chkTopMost_->setChecked(working_.alwaysOnTop);
  chkHorizonGrid_->setChecked(working_.showHorizonGrid);
  chkBoundaries_->setChecked(working_.showBoundaries);
  chkPlanets_->setChecked(working_.showPlanets);
  chkMessier_->setChecked(working_.showMessier);
  spinMessierLimit_->setEnabled(working_.showMessier);
  spinStarLimit_->setValue(working_.starLimit);
  spinPrintLimit_->setValue(working_.printStarLimit);
  spinMessierLimit_->setValue(working_.messierLimit);
  frameLines_->setEnabled(working_.showLines);
  frameMilky_->setEnabled(working_.showMilkyWay);
  framePopisky_->setEnabled(working_.showNames);
  sliderLines_->setValue(working_.lineIntensity);
  sliderMW_->setValue(working_.milkyWayIntensity);
  sliderPop_->setValue(working_.nameSize);
  fillFileList(cmbConLines_, QStringLiteral("con"), working_.linesFile);
  fillFileList(cmbLang_, QStringLiteral("lng"), working_.languageFile);
  txtDeg_->setText(QString::number(std::abs(static_cast<int>(working_.latitude))));
  loadPlace();
  if (working_.alwaysOnTop) {
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    adjustSize();
    centreOnScreen(*this);
  }
}

// Every file of the program folder with the extension, in name order; the
// entry shows the name without the extension and holds the full path. The
// entry of `current` is selected, else the first one, and the selection
// counts as a pick. An empty folder leaves the list empty and the path alone.
void OptionsDialog::fillFileList(QComboBox* list, const QString& extension,
                                 const std::string& current) {
  const QDir folder(QString::fromStdString(host_.programFolder()));
  const QFileInfoList files =
      folder.entryInfoList({QStringLiteral("*.") + extension}, QDir::Files | QDir::Readable,
                           QDir::Name | QDir::IgnoreCase);
  int selected = -1;
  {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const QFileInfo& file : files) {
      const QString name = file.fileName().left(file.fileName().size() - extension.size() - 1);
      list->addItem(name, file.absoluteFilePath());
      if (selected < 0 && sameFile(file.absoluteFilePath().toStdString(), current))
        selected = list->count() - 1;
    }
    list->setCurrentIndex(-1);
  }
  if (list->count() == 0) return;
  list->setCurrentIndex(selected >= 0 ? selected : 0);
}

void OptionsDialog::languagePicked(int index) {
  if (index < 0) return;
  working_.languageFile = cmbLang_->itemData(index).toString().toStdString();
  refreshTexts();
  fitToTexts();
}

void OptionsDialog::fitToTexts() {
  // The texts of another language are longer or shorter: the dialog takes
  // the size they need, about the same middle.
  if (!isVisible()) return;
  const QPoint middle = geometry().center();
  layout()->activate();
  adjustSize();
  move(pos() + middle - geometry().center());
}

void OptionsDialog::linesPicked(int index) {
  if (index < 0) return;
  working_.linesFile = cmbConLines_->itemData(index).toString().toStdString();
}

bool OptionsDialog::validateLatitude() {
  const double value = leadingNumber(txtDeg_->text());
  txtDeg_->setText(QString::number(value));
  if (latitudeAccepted(value)) return true;
  if (!warningShown_) {
    warningShown_ = true;
    QMessageBox::warning(this, uiString(kProgramNameKey), uiString(kLatitudeRefusedKey));
    warningShown_ = false;
  }
  // Also while the dialog is not active yet: the box gets the focus as soon
  // as it is.
  txtDeg_->setFocus(Qt::OtherFocusReason);
  txtDeg_->selectAll();
  return false;
}

// Checked once the focus has settled elsewhere in the dialog, not while it
// is moving (a warning box cannot open in the middle of a focus change).
void OptionsDialog::latitudeLostFocus() {
  if (txtDeg_->hasFocus() || warningShown_ || !isVisible()) return;
  validateLatitude();
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtDeg_ && event->type() == QEvent::FocusOut) {
    // Losing the focus to another window (a message box, another program)
    // is no move within the dialog.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
      QTimer::singleShot(0, this, &OptionsDialog::latitudeLostFocus);
  }
  return QDialog::eventFilter(watched, event);
}

bool OptionsDialog::get_options() {
  if (!latitudeAccepted(leadingNumber(txtDeg_->text()))) return false;
  const TypedLongitude longitude = typedLongitude(txtLon_->text(), cmbLonSide_->currentIndex() == kWestEntry);
  const std::optional<std::string> zone = typedZone();
  if (!longitude.accepted || !zone) return false;
  Settings next = working_;
  next.longitude = longitude.degreesEast;
  next.timeZone = *zone;
  if (cmbSchema_->currentIndex() >= 0)
    next.colourScheme = static_cast<ScreenScheme>(cmbSchema_->currentIndex());
  const int degrees = roundHalfEven(leadingNumber(txtDeg_->text()));
  next.latitude = static_cast<std::int16_t>(cmbHem_->currentIndex() == 1 ? -degrees : degrees);
  next.showLines = chkLines_->isChecked();
  next.showNames = chkNazvy_->isChecked();
  next.showMilkyWay = chkMW_->isChecked();
  next.dailyScale = chkDaily_->isChecked();
  next.showGrid = chkRaDec_->isChecked();
  next.showEcliptic = chkEclip_->isChecked();
  next.alwaysOnTop = chkTopMost_->isChecked();
  next.showHorizonGrid = chkHorizonGrid_->isChecked();
  next.showBoundaries = chkBoundaries_->isChecked();
  next.showPlanets = chkPlanets_->isChecked();
  next.showMessier = chkMessier_->isChecked();
  // A tenth of a magnitude, as the settings keep them.
  next.starLimit = std::nearbyint(spinStarLimit_->value() * 10) / 10;
  next.printStarLimit = std::nearbyint(spinPrintLimit_->value() * 10) / 10;
  next.messierLimit = std::nearbyint(spinMessierLimit_->value() * 10) / 10;
  next.lineIntensity = static_cast<std::uint8_t>(sliderLines_->value());
  next.milkyWayIntensity = static_cast<std::uint8_t>(sliderMW_->value());
  next.nameSize = static_cast<std::uint8_t>(sliderPop_->value());
  host_.applyOptions(next);
  return true;
}

void OptionsDialog::confirm() {
  // Enter on the default button moves no focus, so the latitude is checked
  // here too: OK is never reached with a refused latitude.
  if (!validateLatitude() || !validatePlace()) return;
  if (get_options()) accept();
}

void OptionsDialog::done(int result) {
  // Closing by the window frame is a cancel: nothing picked in the lists
  // stays in force unless OK applied it.
  QDialog::done(result);
  host_.optionsClosed();
}

}  // namespace caelora
