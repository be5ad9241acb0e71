// SPDX-License-Identifier: GPL-2.0-or-later
// What every sky loader reads: the current settings, the folder of the data
// files, the glyphs of the vector font and the rules of the chart's zone.
#pragma once

#include <optional>
#include <string>

#include "settings/settings.h"
#include "sky/sky_time.h"
#include "sky/vector_font.h"

namespace caelora {

struct ChartSetup {
  Settings settings;
  std::string programFolder;  // the data files: yale.dat, Cons.txt, iso.fnt, ...
  GlyphTable glyphs;          // from loadFont; empty entries draw nothing
  TimeZoneFacts zone;         // of settings.timeZone, from the edge
  std::optional<double> instant;  // the time the chart is set to (seconds since 1970, UTC), if any

  std::string dataFile(const std::string& name) const { return programFolder + "/" + name; }
};

}  // namespace caelora
