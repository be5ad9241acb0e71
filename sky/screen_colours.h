// SPDX-License-Identifier: GPL-2.0-or-later
// The look of each screen colour scheme in one table: the background, every
// layer of the disc, the mask and the corner menu.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "settings/settings.h"

namespace caelora {

struct Rgb {
  float r = 0, g = 0, b = 0;
};

// A colour that follows a brightness setting: base + k x step per channel,
// worked in double and rounded to single at the end.
struct Shade {
  std::array<double, 3> base;
  std::array<double, 3> step;

  Rgb at(double k) const;
};

// A colour of the window's widgets, 0..255 per channel.
struct Rgb8 {
  std::uint8_t r = 0, g = 0, b = 0;
};

struct ScreenColours {
  float background;          // grey level of the sky outside the drawn layers
  std::optional<Rgb> stars;  // none: every star takes the colour of its B-V index
  Shade figures;             // k = "SMapILMode" x 0.04
  Shade milkyWayOuter;       // k = "SMapIMMode" x 0.01
  Shade milkyWayInner;
  Rgb arcText;               // month and day names, compass names, hour numbers
  Rgb lineText;              // constellation abbreviations
  Rgb gridLines;
  Rgb gridNumbers;
  Rgb ecliptic;
  Rgb boundaries;            // constellation boundaries: dim, under the figures
  Rgb dateTicks;             // ticks and day numbers of the date scale
  Rgb maskBottom;            // the mask's gradient, bottom to top
  Rgb maskTop;
  Rgb horizon;
  Rgb hourMarks;
  Rgb8 menuHeader;           // the corner menu: its first row
  Rgb8 menuCommand;          // rows 1 to 3
  Rgb8 menuHighlighted;      // the row under the pointer
  Rgb8 menuText;
  Rgb horizonGrid;           // altitude and azimuth on the window
  Rgb horizonGridText;
  Rgb sun;
  Rgb planets;               // the planets' dots and every body's name
  Rgb moonLit;
  Rgb moonDark;
  Rgb messier;               // the Messier objects' symbols and numbers
};

const ScreenColours& screenColours(ScreenScheme scheme);

}  // namespace caelora
