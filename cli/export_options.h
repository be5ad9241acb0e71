// SPDX-License-Identifier: GPL-2.0-or-later
// Command line of caelora-export: what to write, and one option per setting
// that overrides the value in the user's store.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "export/colours.h"
#include "settings/settings.h"
#include "sky/sky_time.h"

namespace caelora {

// A command line that cannot be used; the message is one line.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SettingOverrides {
  std::optional<std::int16_t> latitude;
  std::optional<ScreenScheme> colourScheme;
  std::optional<bool> showLines, showNames, showMilkyWay, showGrid, showEcliptic, dailyScale;
  std::optional<bool> showHorizonGrid, showBoundaries, showPlanets, showMessier;
  std::optional<double> starLimit, printStarLimit;
  std::optional<std::uint8_t> lineIntensity, milkyWayIntensity, nameSize;
  std::optional<std::string> languageFile, linesFile;
  std::optional<double> longitude;      // --longitude DEG
  std::optional<std::string> timeZone;  // --time-zone NAME ("" for local mean time)
};

struct ExportOptions {
  std::string pngFile;    // --png OUT.png
  int sizePx = 800;       // --size PIXELS: the square picture's side
  std::optional<double> angleDeg;  // --angle DEGREES: the disc's turn, counter-clockwise
  std::optional<GivenTime> time;    // --time YYYY-MM-DDTHH:MM: the sky of that time (with --png)
  bool now = false;                 // --now: the sky of the present instant
  bool useMask = true;    // --no-mask: the disc's layers without stencil and mask
  bool help = false;      // --help
  std::string pdfFile;        // OUT.pdf: the two-page document, as the export dialog writes it
  std::string allLatitudesDir;  // --all-latitudes DIR: one document per latitude 25..80 N and S
  ExportScheme exportScheme = ExportScheme::Standard;  // --export-scheme 0|1: standard or inverse colours
  SettingOverrides overrides;
};

// Parses the arguments after the program name; throws UsageError, and
// nothing else, for any list it cannot use.
ExportOptions parseExportOptions(const std::vector<std::string>& args);

// The stored settings with the command line's overrides applied.
Settings applyOverrides(Settings settings, const SettingOverrides& overrides);

// The usage text printed by --help.
std::string exportUsage();

}  // namespace caelora
