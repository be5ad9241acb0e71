// SPDX-License-Identifier: GPL-2.0-or-later
// The export driver: the whole two-page document (page 1 the mask, page 2
// the star disc) written in one pass through the PDF writer.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "export/colours.h"
#include "export/export_state.h"
#include "pdf/pdf_writer.h"
#include "settings/settings.h"
#include "sky/milky_way.h"

namespace caelora {

// An export that could not be finished. The message names the target file
// and the reason; the target is then as it was before the export.
class ExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The clock of /CreationDate: the time given by SOURCE_DATE_EPOCH (seconds
// since 1970, taken as UTC) when that variable holds a whole number, so that
// repeated exports give the same bytes; the local time otherwise.
PdfClock documentClock();

// The document information: creator and title from the language file, the
// subject with the latitude and the hemisphere.
DocumentInfo exportDocumentInfo(const Settings& settings);

// The national constellation names of the language file, in Cons.txt order.
std::vector<std::string> readConNameList(const std::string& languageFile);

// Writes the document for the state's settings and colour table to `path`.
// The file appears only when the document is complete; on any error no
// partial file is left, an existing file stays untouched, and ExportError
// is thrown.
void exportPDF(ExportState& state, const std::string& path);

// The same for a chart's settings and an export colour scheme, with the
// clock of documentClock(); `zone` holds the rules of settings.timeZone.
void exportPDF(const Settings& settings, const std::string& programFolder, const MilkyWayOutlines& milkyWay,
               ExportScheme scheme, const std::string& path, const TimeZoneFacts& zone = {});

}  // namespace caelora
