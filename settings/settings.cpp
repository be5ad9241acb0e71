// SPDX-License-Identifier: GPL-2.0-or-later
// The settings: defaults, reading and writing them through the
// per-user store, and the text forms the store keeps them in.
#include "settings/settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace caelora {
namespace {

constexpr int kMinLatitude = 25;
constexpr int kMaxLatitude = 80;
constexpr std::int16_t kDefaultLatitude = 50;
constexpr std::uint8_t kMostIntensity = 10;
constexpr std::uint8_t kMostNameSize = 2;

std::string trimmed(const std::string& text) {
  auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
  auto first = std::find_if_not(text.begin(), text.end(), blank);
  auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return first < last ? std::string(first, last) : std::string();
}

// Skips one leading '+': from_chars takes only '-', and a second sign after
// the first is no number.
const char* afterPlus(const char* first, const char* last) {
  if (first != last && *first == '+' && first + 1 != last && first[1] != '-') return first + 1;
  return first;
}

std::string lowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The stored text of `key`, or the default's text form when the key is absent.
std::string storedOr(const SettingsStore& store, const std::string& key,
                     const std::string& fallback) {
  std::optional<std::string> text = store.get(key);
  return text ? *text : fallback;
}

std::uint8_t readByte(const SettingsStore& store, const std::string& key,
                      std::uint8_t fallback, long hi = 255) {
  auto value = parseWholeNumber(storedOr(store, key, std::to_string(fallback)), 0, hi);
  return static_cast<std::uint8_t>(value.value_or(0));
}

// A level that reads as a byte but lies beyond its range (a hand-edited 255)
// comes to the nearest level the chart has, as the latitude does.
std::uint8_t readLevel(const SettingsStore& store, const std::string& key, std::uint8_t fallback,
                       std::uint8_t most) {
  return std::min(readByte(store, key, fallback), most);
}

bool readBoolean(const SettingsStore& store, const std::string& key, bool fallback) {
  return parseBoolean(storedOr(store, key, booleanText(fallback))).value_or(false);
}

std::string readPath(const SettingsStore& store, const std::string& key,
                     const std::string& fallback) {
  return storedOr(store, key, fallback);
}

// The horizon and the mask tables only exist for 25..80 degrees north or
// south; a latitude of 0 would even divide by zero. A damaged value (or one
// that did not convert and so became 0) is brought to the nearest drawable
// latitude on its own side of the equator; 0 has no side and takes the
// default.
std::int16_t drawableLatitude(long latitude) {
  if (latitude == 0) return kDefaultLatitude;
  const long magnitude = std::clamp(std::labs(latitude), long{kMinLatitude}, long{kMaxLatitude});
  return static_cast<std::int16_t>(latitude < 0 ? -magnitude : magnitude);
}

std::int16_t readLatitude(const SettingsStore& store, const std::string& key) {
  auto value = parseWholeNumber(storedOr(store, key, std::to_string(kDefaultLatitude)),
                                -32768, 32767);
  return drawableLatitude(value.value_or(0));
}

}  // namespace

bool Settings::operator==(const Settings& o) const {
  return colourScheme == o.colourScheme && showLines == o.showLines &&
         showNames == o.showNames && showMilkyWay == o.showMilkyWay &&
         lineIntensity == o.lineIntensity && milkyWayIntensity == o.milkyWayIntensity &&
         nameSize == o.nameSize && dailyScale == o.dailyScale && showGrid == o.showGrid &&
         showEcliptic == o.showEcliptic && alwaysOnTop == o.alwaysOnTop &&
         languageFile == o.languageFile && linesFile == o.linesFile && latitude == o.latitude &&
         longitude == o.longitude && timeZone == o.timeZone && showHorizonGrid == o.showHorizonGrid &&
         showBoundaries == o.showBoundaries && starLimit == o.starLimit && printStarLimit == o.printStarLimit &&
         showPlanets == o.showPlanets && showMessier == o.showMessier && messierLimit == o.messierLimit;
}

Settings defaultSettings(const std::string& programFolder) {
  Settings s;
  s.languageFile = programFolder + "/english.lng";
  s.linesFile = programFolder + "/default.con";
  return s;
}

Settings loadSettings(const SettingsStore& store, const std::string& programFolder) {
  const Settings d = defaultSettings(programFolder);
  Settings s;
  // Schemes beyond 3 have no background or star colours; such a stored
  // value is treated as one that does not convert.
  s.colourScheme = static_cast<ScreenScheme>(
      readByte(store, "SMapCMode", static_cast<std::uint8_t>(d.colourScheme), kScreenSchemes - 1));
  s.showLines = readBoolean(store, "SMapLMode", d.showLines);
  s.showNames = readBoolean(store, "SMapNMode", d.showNames);
  s.showMilkyWay = readBoolean(store, "SMapMMode", d.showMilkyWay);
  s.lineIntensity = readLevel(store, "SMapILMode", d.lineIntensity, kMostIntensity);
  s.milkyWayIntensity = readLevel(store, "SMapIMMode", d.milkyWayIntensity, kMostIntensity);
  s.nameSize = readLevel(store, "SMapIPMode", d.nameSize, kMostNameSize);
  s.dailyScale = readBoolean(store, "SMapDaily", d.dailyScale);
  s.showGrid = readBoolean(store, "SMapRaDec", d.showGrid);
  s.showEcliptic = readBoolean(store, "SMapEclip", d.showEcliptic);
  s.alwaysOnTop = readBoolean(store, "SMapTopMost", d.alwaysOnTop);
  s.languageFile = readPath(store, "SMapFLang", d.languageFile);
  s.linesFile = readPath(store, "SMapFLines", d.linesFile);
  s.latitude = readLatitude(store, "SMapLat");
  s.showHorizonGrid = readBoolean(store, "SMapHzGrid", d.showHorizonGrid);
  s.showBoundaries = readBoolean(store, "SMapBounds", d.showBoundaries);
  s.starLimit = parseMagnitude(storedOr(store, "SMapStarLim", magnitudeText(d.starLimit)), kBrightestLimit, kCatalogueLimit)
                    .value_or(d.starLimit);
  s.printStarLimit =
      parseMagnitude(storedOr(store, "SMapPrnLim", magnitudeText(d.printStarLimit)), kBrightestLimit, kFaintestPrintLimit)
          .value_or(d.printStarLimit);
  s.showPlanets = readBoolean(store, "SMapPlanets", d.showPlanets);
  s.showMessier = readBoolean(store, "SMapMessier", d.showMessier);
  s.messierLimit = parseMagnitude(storedOr(store, "SMapMesLim", magnitudeText(d.messierLimit)), kBrightestLimit,
                                  kFaintestMessierLimit)
                       .value_or(d.messierLimit);
  s.longitude = parseLongitude(storedOr(store, "SMapLon", ""));
  s.timeZone = trimmed(storedOr(store, "SMapZone", ""));
  return s;
}

void saveSettings(SettingsStore& store, const Settings& s) {
  store.save("SMapCMode", std::to_string(static_cast<int>(s.colourScheme)));
  store.save("SMapLMode", booleanText(s.showLines));
  store.save("SMapNMode", booleanText(s.showNames));
  store.save("SMapMMode", booleanText(s.showMilkyWay));
  store.save("SMapILMode", std::to_string(s.lineIntensity));
  store.save("SMapIMMode", std::to_string(s.milkyWayIntensity));
  store.save("SMapIPMode", std::to_string(s.nameSize));
  store.save("SMapFLang", s.languageFile);
  store.save("SMapFLines", s.linesFile);
  store.save("SMapLat", std::to_string(s.latitude));
  store.save("SMapDaily", booleanText(s.dailyScale));
  store.save("SMapRaDec", booleanText(s.showGrid));
  store.save("SMapEclip", booleanText(s.showEcliptic));
  store.save("SMapTopMost", booleanText(s.alwaysOnTop));
  store.save("SMapHzGrid", booleanText(s.showHorizonGrid));
  store.save("SMapBounds", booleanText(s.showBoundaries));
  store.save("SMapStarLim", magnitudeText(s.starLimit));
  store.save("SMapPrnLim", magnitudeText(s.printStarLimit));
  store.save("SMapPlanets", booleanText(s.showPlanets));
  store.save("SMapMessier", booleanText(s.showMessier));
  store.save("SMapMesLim", magnitudeText(s.messierLimit));
  store.save("SMapLon", longitudeText(s.longitude));
  store.save("SMapZone", s.timeZone);
}

std::string booleanText(bool value) { return value ? "True" : "False"; }

std::optional<bool> parseBoolean(const std::string& text) {
  const std::string word = lowerCase(trimmed(text));
  if (word == "true") return true;
  if (word == "false") return false;
  // Any number is accepted: 0 is false, everything else true.
  const char* last = word.data() + word.size();
  const char* first = afterPlus(word.data(), last);
  double number = 0;
  auto [end, ec] = std::from_chars(first, last, number, std::chars_format::fixed);
  if (first == last || ec != std::errc() || end != last || !std::isfinite(number))
    return std::nullopt;
  return number != 0;
}

std::optional<long> parseWholeNumber(const std::string& text, long lo, long hi) {
  const std::string digits = trimmed(text);
  const char* last = digits.data() + digits.size();
  const char* first = afterPlus(digits.data(), last);
  long long value = 0;
  auto [end, ec] = std::from_chars(first, last, value);
  if (first == last || ec != std::errc() || end != last || value < lo || value > hi)
    return std::nullopt;
  return static_cast<long>(value);
}

namespace {

// A decimal number from lo to hi rounded to a tenth, "." as its point.
std::optional<double> tenths(const std::string& text, double lo, double hi) {
  const std::string digits = trimmed(text);
  const char* last = digits.data() + digits.size();
  const char* first = afterPlus(digits.data(), last);
  double value = 0;
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (first == last || ec != std::errc() || end != last || !(value >= lo && value <= hi)) return std::nullopt;
  return std::nearbyint(value * 10) / 10;
}

std::string tenthsText(double value) {
  char buf[32];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 1);
  return ec == std::errc() ? std::string(buf, end) : std::string();
}

}  // namespace

std::optional<double> parseLongitude(const std::string& text) { return tenths(text, -180, 180); }

std::string longitudeText(const std::optional<double>& longitude) { return longitude ? tenthsText(*longitude) : ""; }

std::optional<double> parseMagnitude(const std::string& text, double lo, double hi) { return tenths(text, lo, hi); }

std::string magnitudeText(double magnitude) { return tenthsText(magnitude); }

}  // namespace caelora
