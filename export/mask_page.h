// Page 1 of the exported chart: the mask sheet with its horizon window,
// compass ticks and names, hour scale, pivot cross, fold line and the two
// legend panels.
#pragma once

#include <string>
#include <vector>

#include "export/export_state.h"

namespace caelora {

// How many marks of the hour scale stand on each side of the top (hours),
// and how many numbers of the second row, one hour later (laterHours; -1
// when the second row is left out). Both depend on |latitude| only.
struct HourScale {
  int hours = 0;
  int laterHours = -1;
};
HourScale hourScaleFor(int latitudeDegrees);

// The compass names drawn for a latitude, as indices k = 0..7 of the ticks
// (0 the point below the visible pole, counting as the ticks do): all eight
// up to 70 degrees, fewer towards the pole where the window narrows.
std::vector<int> compassNamesFor(int latitudeDegrees);

// The hour written at mark G (15 G degrees counter-clockwise from the top),
// and the one of the second row; never negative, never 24.
int hourNumber(int latitudeDegrees, int g);
int laterHourNumber(int latitudeDegrees, int g);

// Splits a list of the language file at ","; an empty value gives no entries.
std::vector<std::string> splitList(const std::string& value);

// Appends the mask to the current page. Reads "Symbols.txt" of the program
// folder, the key "Objects" of section "Names" of the language file and
// conNameList; a missing file, fewer than 10 objects or fewer than 87
// constellation names throw DataError naming the file (and key) before
// anything is written. A latitude of 0 has no horizon: PdfError.
void plotMask(ExportState& state);

}  // namespace caelora
