// SPDX-License-Identifier: GPL-2.0-or-later
// Page 1 of the exported chart: the mask sheet with its horizon window,
// compass ticks and names, hour scale, pivot cross, fold line and the two
// legend panels.
#pragma once

#include <string>
#include <vector>

#include "export/export_state.h"

namespace caelora {

// Splits a list of the language file at ","; an empty value gives no entries.
std::vector<std::string> splitList(const std::string& value);

// Appends the mask to the current page. Reads "Symbols.txt" of the program
// folder, the key "Objects" of section "Names" of the language file and
// conNameList; a missing file, fewer than 10 objects or fewer than 87
// constellation names throw DataError naming the file (and key) before
// anything is written. A latitude of 0 has no horizon: PdfError.
void plotMask(ExportState& state);

}  // namespace caelora
