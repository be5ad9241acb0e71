// SPDX-License-Identifier: GPL-2.0-or-later
// The user's choices, their defaults and their stored text forms.
// Read once at start-up, changed only by the options dialog, written in one
// place (saveSettings).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace caelora {

// The four looks of the chart on screen, stored as "SMapCMode" 0 to 3.
enum class ScreenScheme : std::uint8_t {
  Colour = 0,        // coloured stars and layers on a black sky, a blue mask
  WhiteOnBlack = 1,  // white stars, grey layers on black
  BlackOnWhite = 2,  // black on a white sky, for printing a screenshot
  Red = 3,           // red on black, which keeps the eyes dark-adapted
};
constexpr int kScreenSchemes = 4;

// The faintest magnitude the star catalogue holds, the brightest limit a
// user may choose, and the faintest a printed dot is given for.
constexpr double kCatalogueLimit = 6.5;
constexpr double kBrightestLimit = 2.0;
constexpr double kFaintestPrintLimit = 6.0;
constexpr double kFaintestMessierLimit = 10.0;

struct Settings {
  ScreenScheme colourScheme = ScreenScheme::Colour;  // "SMapCMode"
  bool showLines = true;          // "SMapLMode"
  bool showNames = true;          // "SMapNMode"
  bool showMilkyWay = true;       // "SMapMMode"
  std::uint8_t lineIntensity = 5;      // "SMapILMode", 0..10
  std::uint8_t milkyWayIntensity = 5;  // "SMapIMMode", 0..10
  std::uint8_t nameSize = 1;           // "SMapIPMode", 0..2
  bool dailyScale = false;        // "SMapDaily"
  bool showGrid = false;          // "SMapRaDec"
  bool showEcliptic = false;      // "SMapEclip"
  bool alwaysOnTop = true;        // "SMapTopMost"
  std::string languageFile;       // "SMapFLang", full path
  std::string linesFile;          // "SMapFLines", full path
  std::int16_t latitude = 50;     // "SMapLat", whole degrees, north positive
  bool showHorizonGrid = false;   // "SMapHzGrid": altitude and azimuth on the window
  bool showBoundaries = false;    // "SMapBounds": the constellation boundaries
  double starLimit = 6.1;         // "SMapStarLim": faintest magnitude on screen, 2.0 .. kCatalogueLimit
  double printStarLimit = 5.0;    // "SMapPrnLim": faintest magnitude in print, 2.0 .. 6.0
  bool showPlanets = false;       // "SMapPlanets": the Sun, the Moon and the planets of the chart's time
  bool showMessier = false;       // "SMapMessier": the Messier objects
  double messierLimit = 8.0;      // "SMapMesLim": faintest Messier object, 2.0 .. 10.0
  // The place, for setting the chart to a time: none until one is given.
  std::optional<double> longitude;  // "SMapLon", degrees east, -180..180 in tenths
  std::string timeZone;             // "SMapZone", an IANA name; empty: local mean time

  bool operator==(const Settings& other) const;  // every value equal
  bool operator!=(const Settings& other) const { return !(*this == other); }
};

// The per-user store: text values by key, application "Caelora", section
// "Startup". The platform edge implements it on QSettings.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> get(const std::string& key) const = 0;
  virtual void save(const std::string& key, const std::string& text) = 0;
};

// Defaults for a program whose data files lie in `programFolder`.
Settings defaultSettings(const std::string& programFolder);

// Reads the keys in their fixed order. A missing key takes its
// default; a stored text that does not convert leaves the value at 0, false
// or empty and the other keys are still read. A latitude that the chart
// cannot draw (0, or beyond 25..80 north or south) is brought to the nearest
// drawable one.
Settings loadSettings(const SettingsStore& store, const std::string& programFolder);

// Writes all keys in their fixed order, changed or not.
void saveSettings(SettingsStore& store, const Settings& settings);

// Stored text forms.
std::string booleanText(bool value);  // "True" / "False"
std::optional<bool> parseBoolean(const std::string& text);
std::optional<long> parseWholeNumber(const std::string& text, long lo, long hi);
// A longitude, degrees east: a decimal number from -180 to 180 rounded to a
// tenth; "" gives none.
std::optional<double> parseLongitude(const std::string& text);
std::string longitudeText(const std::optional<double>& longitude);
// A star limit: a magnitude from `lo` to `hi` rounded to a tenth, or none.
std::optional<double> parseMagnitude(const std::string& text, double lo, double hi);
std::string magnitudeText(double magnitude);

}  // namespace caelora
