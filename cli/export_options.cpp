// SPDX-License-Identifier: GPL-2.0-or-later
// Parsing the command line of caelora-export.
#include "cli/export_options.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>

#include "i18n/language.h"

namespace caelora {

namespace {

long wholeNumber(const std::string& option, const std::string& text, long lo, long hi) {
  long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < lo || value > hi)
    throw UsageError(option + " wants a whole number from " + std::to_string(lo) + " to " +
                     std::to_string(hi) + ", not \"" + text + "\"");
  return value;
}

double realNumber(const std::string& option, const std::string& text) {
  // strtod would follow the locale's decimal separator; "." is meant here.
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value))
    throw UsageError(option + " wants a number, not \"" + text + "\"");
  return value;
}

std::int16_t latitude(const std::string& option, const std::string& text) {
  const long value = wholeNumber(option, text, -80, 80);
  if (std::labs(value) < 25)
    throw UsageError(option + " must lie within 25 to 80 degrees north or south (negative: south)");
  return static_cast<std::int16_t>(value);
}

double magnitude(const std::string& option, const std::string& text, double faintest) {
  const std::optional<double> m = parseMagnitude(text, kBrightestLimit, faintest);
  if (!m)
    throw UsageError(option + " wants a magnitude from " + magnitudeText(kBrightestLimit) + " to " +
                     magnitudeText(faintest) + ", not \"" + text + "\"");
  return *m;
}

// The value of an option that names a file or folder: never empty.
const std::string& fileName(const std::string& option, const std::string& text) {
  if (text.empty()) throw UsageError(option + " wants a file name, not an empty text");
  return text;
}

std::string absolutePath(const std::string& option, const std::string& text) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(fileName(option, text), error);
  if (error) throw UsageError(option + ": \"" + text + "\" cannot be made absolute: " + error.message());
  return path.lexically_normal().string();
}

// An output given twice would silently drop the first.
void setOutput(std::string& output, const std::string& option, const std::string& text) {
  if (!output.empty()) throw UsageError(option + " once only: \"" + output + "\" and \"" + text + "\"");
  output = fileName(option, text);
}

using ValueOption = std::function<void(ExportOptions&, const std::string& option,
                                       const std::string& value)>;
using FlagOption = std::function<void(ExportOptions&)>;

const std::map<std::string, ValueOption>& valueOptions() {
  static const std::map<std::string, ValueOption> table = {
      {"--png", [](ExportOptions& o, const std::string& n, const std::string& v) { setOutput(o.pngFile, n, v); }},
      {"--export-scheme", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.exportScheme = static_cast<ExportScheme>(wholeNumber(n, v, 0, 1));
       }},
      {"--all-latitudes", [](ExportOptions& o, const std::string& n, const std::string& v) {
         setOutput(o.allLatitudesDir, n, v);
       }},
      {"--size", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.sizePx = static_cast<int>(wholeNumber(n, v, 16, 8192));
       }},
      {"--angle", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.angleDeg = realNumber(n, v);
       }},
      {"--latitude", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.overrides.latitude = latitude(n, v);
       }},
      {"--colour-scheme", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.overrides.colourScheme = static_cast<ScreenScheme>(wholeNumber(n, v, 0, kScreenSchemes - 1));
       }},
      {"--line-intensity", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.overrides.lineIntensity = static_cast<std::uint8_t>(wholeNumber(n, v, 0, 10));
       }},
      {"--milky-way-intensity", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.overrides.milkyWayIntensity = static_cast<std::uint8_t>(wholeNumber(n, v, 0, 10));
       }},
      {"--name-size", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.overrides.nameSize = static_cast<std::uint8_t>(wholeNumber(n, v, 0, 2));
       }},
      {"--language", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.overrides.languageFile = absolutePath(n, v);
       }},
      {"--figures", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.overrides.linesFile = absolutePath(n, v);
       }},
      {"--longitude", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.overrides.longitude = parseLongitude(v);
         if (!o.overrides.longitude)
           throw UsageError(n + " wants degrees east from -180 to 180 (negative: west), not \"" + v + "\"");
       }},
      {"--time-zone", [](ExportOptions& o, const std::string&, const std::string& v) { o.overrides.timeZone = v; }},
      {"--star-limit", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.overrides.starLimit = magnitude(n, v, kCatalogueLimit);
       }},
      {"--print-star-limit", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.overrides.printStarLimit = magnitude(n, v, kFaintestPrintLimit);
       }},
      {"--time", [](ExportOptions& o, const std::string& n, const std::string& v) {
         o.time = parseGivenTime(v);
         if (!o.time)
           throw UsageError(n + " wants a time YYYY-MM-DDTHH:MM (zone time; or ending in Z or +hh:mm), not \"" + v +
                            "\"");
       }},
  };
  return table;
}

// Each layer switch comes as --NAME and --no-NAME.
const std::map<std::string, std::optional<bool> SettingOverrides::*>& layerSwitches() {
  static const std::map<std::string, std::optional<bool> SettingOverrides::*> table = {
      {"lines", &SettingOverrides::showLines},         {"names", &SettingOverrides::showNames},
      {"milky-way", &SettingOverrides::showMilkyWay},  {"grid", &SettingOverrides::showGrid},
      {"ecliptic", &SettingOverrides::showEcliptic},   {"daily", &SettingOverrides::dailyScale},
      {"horizon-grid", &SettingOverrides::showHorizonGrid},
      {"boundaries", &SettingOverrides::showBoundaries},
      {"planets", &SettingOverrides::showPlanets},
      {"messier", &SettingOverrides::showMessier},
  };
  return table;
}

bool applyFlag(ExportOptions& o, const std::string& arg) {
  if (arg == "--no-mask") return o.useMask = false, true;
  if (arg == "--now") return o.now = true, true;
  if (arg == "--help" || arg == "-h") return o.help = true, true;
  if (arg.rfind("--", 0) != 0) return false;
  const bool negated = arg.rfind("--no-", 0) == 0;
  const auto it = layerSwitches().find(arg.substr(negated ? 5 : 2));
  if (it == layerSwitches().end()) return false;
  o.overrides.*(it->second) = !negated;
  return true;
}

// The document's name stands alone and ends in ".pdf" (any case).
bool isPdfName(const std::string& arg) {
  return arg.size() >= 5 && arg[0] != '-' && equalsIgnoringCase(arg.substr(arg.size() - 4), ".pdf");
}

}  // namespace

ExportOptions parseExportOptions(const std::vector<std::string>& args) {
  ExportOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    std::optional<std::string> inlineValue;
    if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      inlineValue = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
    if (const auto it = valueOptions().find(arg); it != valueOptions().end()) {
      if (!inlineValue && i + 1 >= args.size()) throw UsageError(arg + " wants a value");
      it->second(o, arg, inlineValue ? *inlineValue : args[++i]);
      continue;
    }
    if (!inlineValue && applyFlag(o, arg)) continue;
    if (isPdfName(arg)) {
      if (!o.pdfFile.empty()) throw UsageError("one document at a time: \"" + o.pdfFile + "\" and \"" + arg + "\"");
      o.pdfFile = arg;
      continue;
    }
    throw UsageError("unknown option \"" + args[i] + "\" (see --help)");
  }
  if (!o.help && o.pngFile.empty() && o.pdfFile.empty() && o.allLatitudesDir.empty())
    throw UsageError("nothing to write: give OUT.pdf, --all-latitudes DIR or --png OUT.png");
  if (o.time && o.now) throw UsageError("--time and --now both give the time: one of them");
  if ((o.time || o.now) && o.angleDeg) throw UsageError("--angle and --time/--now both turn the disc: one of them");
  if (o.overrides.showPlanets.value_or(false) && !o.pngFile.empty() && !o.time && !o.now)
    throw UsageError("--planets shows the sky of a time: give --time or --now");
  return o;
}

Settings applyOverrides(Settings s, const SettingOverrides& o) {
  if (o.latitude) s.latitude = *o.latitude;
  if (o.colourScheme) s.colourScheme = *o.colourScheme;
  if (o.showLines) s.showLines = *o.showLines;
  if (o.showNames) s.showNames = *o.showNames;
  if (o.showMilkyWay) s.showMilkyWay = *o.showMilkyWay;
  if (o.showGrid) s.showGrid = *o.showGrid;
  if (o.showEcliptic) s.showEcliptic = *o.showEcliptic;
  if (o.dailyScale) s.dailyScale = *o.dailyScale;
  if (o.lineIntensity) s.lineIntensity = *o.lineIntensity;
  if (o.milkyWayIntensity) s.milkyWayIntensity = *o.milkyWayIntensity;
  if (o.nameSize) s.nameSize = *o.nameSize;
  if (o.languageFile) s.languageFile = *o.languageFile;
  if (o.linesFile) s.linesFile = *o.linesFile;
  if (o.showHorizonGrid) s.showHorizonGrid = *o.showHorizonGrid;
  if (o.showBoundaries) s.showBoundaries = *o.showBoundaries;
  if (o.showPlanets) s.showPlanets = *o.showPlanets;
  if (o.showMessier) s.showMessier = *o.showMessier;
  if (o.starLimit) s.starLimit = *o.starLimit;
  if (o.printStarLimit) s.printStarLimit = *o.printStarLimit;
  if (o.longitude) s.longitude = *o.longitude;
  if (o.timeZone) s.timeZone = *o.timeZone;
  return s;
}

std::string exportUsage() {
  return "usage: caelora-export OUT.pdf [--export-scheme 0|1]\n"
         "       caelora-export --all-latitudes DIR [--export-scheme 0|1]\n"
         "       caelora-export --png OUT.png [--size PIXELS] [--angle DEGREES | --time T | --now]\n"
         "                      [--no-mask]\n"
         "  OUT.pdf: the two-page chart (mask and star disc); --export-scheme 1 is the\n"
         "  inverse one (black on white). --all-latitudes writes caelora-25N.pdf ..\n"
         "  caelora-80S.pdf into DIR. Writing documents needs no display.\n"
         "  settings (override the stored ones):\n"
         "  --latitude N (25..80, negative for south)  --colour-scheme 0..3\n"
         "  --lines/--no-lines  --names/--no-names  --milky-way/--no-milky-way\n"
         "  --grid/--no-grid  --ecliptic/--no-ecliptic  --daily/--no-daily\n"
         "  --line-intensity 0..10  --milky-way-intensity 0..10  --name-size 0..2\n"
         "  --language FILE  --figures FILE\n"
         "  --horizon-grid/--no-horizon-grid (with it the PDF has a third page: the\n"
         "  grid to print on film)  --boundaries/--no-boundaries\n"
         "  --star-limit M (2.0..6.5, screen and PNG)  --print-star-limit M (2.0..6.0)\n"
         "  --planets/--no-planets (the PNG's; needs --time or --now)\n"
         "  --messier/--no-messier (the Messier objects, on the disc and its page)\n"
         "  the place and the time:\n"
         "  --longitude DEG (east, -180..180)  --time-zone NAME (Europe/Prague; \"\" is\n"
         "  local mean time): the PDF's hour scale then reads the zone's time.\n"
         "  --time YYYY-MM-DDTHH:MM (zone time; Z or +hh:mm gives the offset) or --now:\n"
         "  the PNG shows the sky of that time (instead of --angle); a zone time that\n"
         "  the clocks skip is refused, one that they pass twice is taken the first time.\n";
}

}  // namespace caelora
