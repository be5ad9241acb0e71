// SPDX-License-Identifier: GPL-2.0-or-later
// The title block of the mask page: the chart's title, the list of all
// constellations with their national names in three blocks, the author and
// home-page lines and two double rules; and the measuring of texts in /F1.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "export/export_state.h"

namespace caelora {

// Half the width of `text` (Windows-1250 bytes) set in /F1 at `size`, in the
// units of the current frame, rounded to a whole number (halves to even).
// Throws PdfError for a character that has no width.
std::int32_t halfTextWidth(const FontWidths& widths, const std::string& text, double size);
std::int32_t halfTextWidth(const ExportState& state, const std::string& text, double size);

// One line of a text column in /F1 at `size`, shown with the ' operator: a
// text that would run to within a unit of the column's end, `columnWidth`
// from its start, is set narrower (horizontal scaling) for itself alone.
std::string columnLine(const ExportState& state, const std::string& text, double size, double columnWidth);

// The author line (Windows-1250); with the national letters of the surname
// when the language file is "czech.lng" of the program folder.
std::string authorLine(const ExportState& state);
// The home-page address of the program.
std::string homePageLine();
// The place the kit's hours are for (longitude, zone, the summer-time row),
// in the words of the language file; none without a longitude.
std::optional<std::string> placeLine(const ExportState& state);

// Appends the title block to the current page, set upside down (turned by
// 180 degrees about (250, -40)) so that it reads upright when the sheet is
// turned. Reads "Cons.txt" of the program folder: throws DataError for a
// missing or damaged file, and for a conNameList with fewer names than
// "Cons.txt" has records (naming the language file and the key).
void plotTitleBlock(ExportState& state);

}  // namespace caelora
