// SPDX-License-Identifier: GPL-2.0-or-later
// Page 1 of the exported chart: the mask sheet with its horizon window,
// compass ticks and names, hour scale, pivot cross, fold line and the two
// legend panels.
#pragma once

#include <string>
#include <vector>

#include "export/export_state.h"

namespace caelora {

// The legend drawing of `path` (Symbols.txt), its lines joined by blanks,
// as it goes into the page. Every line is checked first: numbers, names,
// strings (read by the PDF rules: escapes, nested parentheses) and arrays,
// each operator with its operands, "q"/"Q" and "BT"/"ET" in pairs; a line
// that breaks a rule throws DataError naming the file, the line and the rule.
std::string readLegendSymbols(const std::string& path);

// Appends the mask to the current page. Reads "Symbols.txt" of the program
// folder, the key "Objects" of section "Names" of the language file and
// conNameList; a missing file, fewer than 10 objects or fewer than 87
// constellation names throw DataError naming the file (and key) before
// anything is written. A latitude of 0 has no horizon: PdfError.
void plotMask(ExportState& state);

// The x of the sheet's left outline at height y of the mask frame, below the
// front half's circle: the straight side, the 30 degree ray under it, or the
// back half's circle towards its round end. The right outline mirrors it
// about the centre.
double sheetLeftEdge(const ExportState& state, double y);

// The horizon grid to print on film and lay over the mask's window (the
// window is a hole in the mask): the window's outline, altitude and azimuth
// with their degrees, the zenith, the compass ticks and names, and the
// alignment marks at the pivot, at the scale and place of the mask page.
void plotHorizonOverlay(ExportState& state);

}  // namespace caelora
