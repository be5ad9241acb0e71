// SPDX-License-Identifier: GPL-2.0-or-later
// The export driver: document information, the one embedded font, the mask
// page and the star-disc page, each step in its fixed order.
#include "export/export_pdf.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <stdexcept>

#include "export/colours.h"
#include "export/disc_page.h"
#include "export/marks.h"
#include "export/mask_page.h"
#include "export/month_scale.h"
#include "export/title_block.h"
#include "i18n/language.h"
#include "sky/data_error.h"
#include "sky/vector_state.h"

namespace caelora {
namespace {

constexpr const char* kProducer = "Quillmar's PDF Engine";
constexpr char kDegreeSign = '\xB0';  // Windows-1250

void beginPageFrame(ExportState& state, const char* translation) {
  state.line("0.85 0 0 0.85 0 0 cm");
  state.line(translation);
}

void writeMaskPage(ExportState& state) {
  const std::int32_t start = state.writer.pdfBeginPage();
  beginPageFrame(state, "1 0 0 1 60 170 cm");
  state.conNameList = readConNameList(state.languageFile());
  plotMask(state);
  plotTitleBlock(state);
  state.writer.pdfEndPage(start);
}

void writeOverlayPage(ExportState& state) {
  const std::int32_t start = state.writer.pdfBeginPage();
  beginPageFrame(state, "1 0 0 1 60 170 cm");  // the frame of the mask page
  plotHorizonOverlay(state);
  state.writer.pdfEndPage(start);
}

void writeDiscPage(ExportState& state) {
  const std::int32_t start = state.writer.pdfBeginPage();
  beginPageFrame(state, "1 0 0 1 60 130 cm");
  const Settings& s = state.settings;
  plotDiscFace(state);
  if (s.showMilkyWay) plotMilkyWay(state);
  if (s.showGrid) plotGrid(state);
  if (s.showBoundaries) plotBoundaries(state);
  if (s.showEcliptic) plotEcliptic(state);
  if (s.showMessier) plotMessier(state);
  if (s.showLines) plotConLines(state);
  plotStars(state);
  if (s.showNames) plotConNames(state);
  plotMonths(state);
  vypln(state);
  state.writer.pdfEndPage(start);
}

// The language file carries the embedded font and the names. Read as a
// profile, a file that is not there (or empty, or of other sections) reads
// as empty keys, which would blame the first font key instead of the file.
void requireLanguageFile(const std::string& path) {
  try {
    checkLanguageFile(path, {"GUI_Strings", "Font1"});
  } catch (const std::runtime_error& e) {
    throw DataError(e.what());
  }
}

void writeDocument(ExportState& state, const std::string& path) {
  requireLanguageFile(state.languageFile());
  PdfWriter& writer = state.writer;
  writer.pdfInit();
  writer.setFileName(path);
  writer.setLanguageFile(state.languageFile());
  writer.pdfBeginDocument(exportDocumentInfo(state.settings));
  writer.fonts().assign(1, PdfFont::embeddedChartFont());  // /F1 in all content
  writer.pdfWriteResources();
  writeMaskPage(state);
  writeDiscPage(state);
  if (state.settings.showHorizonGrid) writeOverlayPage(state);
  writer.pdfEndDocument();
}

}  // namespace

PdfClock documentClock() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch == nullptr || *epoch == '\0') return localClock();
  char* end = nullptr;
  errno = 0;
  const long long seconds = std::strtoll(epoch, &end, 10);
  if (errno != 0 || *end != '\0' || seconds < 0) return localClock();
  return [seconds] {
    const auto t = static_cast<std::time_t>(seconds);
    std::tm utc{};
    gmtime_r(&t, &utc);
    return utc;
  };
}

DocumentInfo exportDocumentInfo(const Settings& settings) {
  const std::string& lang = settings.languageFile;
  const std::string program = guiText(lang, 101);
  const int latitude = settings.latitude;
  DocumentInfo info;
  info.creator = program + " 1.2";
  info.producer = kProducer;
  info.title = program;
  info.subject = program + " (" + std::to_string(latitude < 0 ? -latitude : latitude) + kDegreeSign +
                 " " + guiText(lang, latitude > 0 ? 520 : 524) + ")";
  return info;
}

std::vector<std::string> readConNameList(const std::string& languageFile) {
  return splitList(readLangKey(languageFile, "Names", "ConNames", "", 3000));
}

void exportPDF(ExportState& state, const std::string& path) {
  clearUpperVectorState();  // whatever the caller ran before, the export's arithmetic runs at full speed
  try {
    writeDocument(state, path);
  } catch (const std::exception& e) {
    state.writer.pdfInit();  // drops the unfinished temporary file
    // The writer's own errors name the file already; a data file's error
    // gets the document's name in front.
    const std::string reason = e.what();
    throw ExportError(reason.find(path) != std::string::npos ? reason
                                                             : "Cannot write \"" + path + "\": " + reason);
  }
}

void exportPDF(const Settings& settings, const std::string& programFolder, const MilkyWayOutlines& milkyWay,
               ExportScheme scheme, const std::string& path, const TimeZoneFacts& zone) {
  PdfWriter writer(documentClock());
  ExportState state(writer, settings, programFolder);
  state.milkyWay = milkyWay;
  state.zone = zone;
  state.exportColours = getColorValues(scheme);
  exportPDF(state, path);
}

}  // namespace caelora
