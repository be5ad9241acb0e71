// SPDX-License-Identifier: GPL-2.0-or-later
// The right ascension and declination grid with its hour numbers, the
// ecliptic, and the date scale on the disc rim (month boundaries, day ticks,
// month names and day numbers), recorded for the star disc.
#pragma once

#include <string>

#include "sky/chart_setup.h"
#include "sky/display_list.h"

namespace caelora {

// List 9: declination circles every 30 degrees from the visible pole down to
// the horizon circle, hour lines, and the hour numbers just inside the
// equator. Leaves line width 1.3 in force for the ecliptic drawn after it.
DisplayList LoadGrid(const ChartSetup& setup);

// List 10: the ecliptic in steps of 2 degrees of longitude; a step is drawn
// only when both its ends are on the disc.
DisplayList LoadEcliptic(const ChartSetup& setup);

// List 5: the year on the rim, clockwise in the north and counter-clockwise
// in the south, 1 January at 79 (north) or 259 degrees; with "SMapDaily" a
// tick for every day and numbers every fifth day.
DisplayList LoadDateScale(const ChartSetup& setup);

// Throws DataError naming the glyph file "iso.fnt" when setup.glyphs lack a
// character the chart writes: the month names and the compass names of the
// language file, the digits of the hour and day numbers. A glyph file cut
// short would otherwise leave those texts without letters, unnoticed.
void requireGlyphsOfChartTexts(const ChartSetup& setup);

// The text with its first character upper-cased in Windows-1250, the letters
// with diacritics included ("únor" -> "Únor"); the rest unchanged.
std::string UpperFirstWindows1250(const std::string& text);

}  // namespace caelora
