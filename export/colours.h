// SPDX-License-Identifier: GPL-2.0-or-later
// The colour tables of the two export schemes: 32 DeviceCMYK operand strings
// that the page drawing writes followed by " K" (stroke) or " k" (fill),
// each slot named by what it colours.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace caelora {

// The standard chart has light ink on a black disc and mask; the inverse
// one black ink on white paper.
enum class ExportScheme : std::uint8_t { Standard = 0, Inverse = 1 };

// The slots of a table. Slots 5, 17, 18 and 23 are filled but never
// written.
enum class Ink : std::uint8_t {
  SheetOutline = 0,   // the outline of the mask sheet and of the band below the disc
  Sheet = 1,          // their fill
  Horizon = 2,        // the horizon line
  Window = 3,         // the window's fill
  CompassTicks = 4,
  HourMarks = 6,
  HalfHourMarks = 7,
  HourNumbers = 8,
  CompassNames = 9,   // and the second row of hour numbers
  LegendHeads = 10,
  LegendHeadText = 11,
  LegendPanels = 12,
  Legend = 13,
  DiscOutline = 14,
  Disc = 15,
  Rim = 16,
  DateScale = 19,
  Stars = 20,
  Figures = 21,       // and the crosses at the pivot and the centre
  Messier = 22,       // the Messier objects' symbols and numbers
  TitleRules = 24,
  ConstellationNames = 25,
  Boundaries = 26,    // the constellation boundaries
  MilkyWayOuter = 27,
  MilkyWayInner = 28,
  Ecliptic = 29,
  Grid = 30,
  GridNumbers = 31,
};

using ColourTable = std::array<std::string, 32>;

// getColorValues: the table of a scheme.
ColourTable getColorValues(ExportScheme scheme);

}  // namespace caelora
