// SPDX-License-Identifier: GPL-2.0-or-later
// The title block: title, constellation list, author and home page, rules.
#include "export/title_block.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <vector>

#include "export/mask_page.h"
#include "i18n/language.h"
#include "pdf/content.h"
#include "pdf/text_string.h"
#include "sky/data_error.h"
#include "sky/figures.h"

namespace caelora {
namespace {

constexpr int kFullBlockRows = 30;  // the first two blocks
constexpr int kLastBlockRows = 29;  // from the third block on
constexpr int kBlockSpacing = 140;  // x distance of the blocks in the turned frame
constexpr int kLatinColumn = 18;     // x of the Latin names in a block
constexpr int kNationalColumn = 76;  // x of the national names in a block
constexpr int kListSize = 7;         // points
constexpr double kListLeading = 8.4;  // points from line to line
// The turned frame's origin in the mask frame: (x, y) turned is (500 - x, -80 - y).
constexpr double kTurnedOriginX = 500;
constexpr double kTurnedOriginY = -80;

// "Hvězdořík", the surname with its national letters, in Windows-1250.
const char* const kSurnameNational = "Hv\xEC" "zdo\xF8\xED" "k";
const char* const kSurnamePlain = "Hvezdorik";

// Both paths in their plain lexical form, so that "a//b" and "a/./b" match.
bool samePathIgnoringCase(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  return equalsIgnoringCase(fs::path(a).lexically_normal().string(), fs::path(b).lexically_normal().string());
}


// One text object in `size`-point type at (x, y) of the turned frame.
void writeTextLine(ExportState& state, int size, const std::string& at, const std::string& text) {
  state.line("BT\r/F1 " + std::to_string(size) + " Tf");
  state.line("1 0 0 1 " + at + " Tm\r" + pdfLiteral(text) + " Tj");
  state.line("ET");
}

// The names of all records of Cons.txt must be there, or the list would
// stop in the middle of the page.
void checkNamesCover(const ExportState& state, std::size_t records) {
  if (state.conNameList.size() >= records) return;
  throw DataError("Language file \"" + state.languageFile() + "\": key \"ConNames\" of section \"Names\" has " +
                  std::to_string(state.conNameList.size()) + " names, but \"" + state.dataFile("Cons.txt") +
                  "\" has " + std::to_string(records) + " constellations");
}

// The three columns of one block: abbreviation, Latin name, national name,
// each line shown with the ' operator.
struct Block {
  std::string abbreviations;
  std::string latinNames;
  std::string nationalNames;
};

void writeBlock(ExportState& state, const Block& block, int index) {
  const int x = kBlockSpacing * index;
  state.line("1 0 0 1 " + std::to_string(x) + " 0 Tm\r" + block.abbreviations + "1 0 0 1 " +
             std::to_string(x + kLatinColumn) + " 0 Tm\r" + block.latinNames + "1 0 0 1 " +
             std::to_string(x + kNationalColumn) + " 0 Tm\r" + block.nationalNames);
}

std::string columnEntry(const ExportState& state, const std::string& text, double columnWidth) {
  return columnLine(state, text, kListSize, columnWidth);
}

// The width a national name may take on line `row` (from 1) of block
// `index`: up to the next block, and no farther than the sheet's outline
// where the back half rounds off, across the line's height.
double nationalRoom(const ExportState& state, int index, int row) {
  const double start = kTurnedOriginX - (kBlockSpacing * index + kNationalColumn);
  const double baseline = kTurnedOriginY + kListLeading * row;
  const double edge = std::max(sheetLeftEdge(state, baseline - 0.93 * kListSize),
                               sheetLeftEdge(state, baseline + 0.22 * kListSize));
  return std::min<double>(kBlockSpacing - kNationalColumn, start - edge);
}

// Blocks of 30, 30, then 29 lines; records after the last full block are
// not listed.
void writeConstellationList(ExportState& state, const std::vector<ConstellationRecord>& records) {
  state.line("BT\r/F1 " + std::to_string(kListSize) + " Tf\r" + FormatPdfNumber(kListLeading, 1) + " TL");
  Block block;
  int row = 1;
  int blockIndex = 0;
  int rowsPerBlock = kFullBlockRows;
  for (std::size_t i = 0; i < records.size(); ++i) {
    block.abbreviations += pdfLiteral(records[i].abbreviation) + "' ";
    block.latinNames += columnEntry(state, records[i].name, kNationalColumn - kLatinColumn);
    block.nationalNames += columnEntry(state, state.conNameList[i], nationalRoom(state, blockIndex, row));
    if (row == rowsPerBlock) {
      writeBlock(state, block, blockIndex);
      block = Block{};
      row = 0;
      ++blockIndex;
      if (blockIndex == 2) rowsPerBlock = kLastBlockRows;
    }
    ++row;
  }
}

}  // namespace

std::int32_t halfTextWidth(const FontWidths& widths, const std::string& text, double size) {
  double sum = 0;
  for (const char c : text) sum += widths.at(static_cast<unsigned char>(c));
  return static_cast<std::int32_t>(std::nearbyint(sum * size / 2000));
}

std::int32_t halfTextWidth(const ExportState& state, const std::string& text, double size) {
  return halfTextWidth(state.writer.fontWidths(), text, size);
}

std::string columnLine(const ExportState& state, const std::string& text, double size, double columnWidth) {
  double width = 0;
  for (const char c : text) width += state.writer.fontWidths().at(static_cast<unsigned char>(c));
  width *= size / 1000.0;
  const double room = columnWidth - 1;
  if (width <= room) return pdfLiteral(text) + "' ";
  const double percent = std::floor(1000 * room / width) / 10;
  return FormatPdfNumber(percent, 1) + " Tz " + pdfLiteral(text) + "' 100 Tz ";
}

std::string authorLine(const ExportState& state) {
  const bool czech = samePathIgnoringCase(state.languageFile(), state.dataFile("czech.lng"));
  return std::string("Caelora \xA9 2026 Elin ") + (czech ? kSurnameNational : kSurnamePlain);
}

std::string homePageLine() { return "https://caelora.example.org"; }

std::optional<std::string> placeLine(const ExportState& state) {
  const std::optional<double> longitude = state.settings.longitude;
  if (!longitude) return std::nullopt;
  const std::string& lang = state.languageFile();
  const auto key = [&](const char* name, const char* fallback) { return readLangKey(lang, "Sky_Time", name, fallback, 300); };
  std::string degrees = FormatPdfNumber(std::fabs(*longitude), 1);
  if (const std::string sign = key("DecimalSign", "."); sign != "." && degrees.find('.') != std::string::npos)
    degrees.replace(degrees.find('.'), 1, sign);
  const std::string place = withField(key(*longitude < 0 ? "LongitudeWest" : "LongitudeEast", "{degrees}"),
                                          "{degrees}", degrees);
  if (state.zone.name.empty()) return withField(key("PlaceLineMean", "{longitude}"), "{longitude}", place);
  const std::string line = key(state.zone.keepsSummerTime ? "PlaceLineSummer" : "PlaceLine", "{zone} {longitude}");
  return withField(withField(line, "{zone}", state.zone.name), "{longitude}", place);
}

void plotTitleBlock(ExportState& state) {
  const std::vector<ConstellationRecord> records = ReadConstellationRecords(state.dataFile("Cons.txt"));
  checkNamesCover(state, records.size());

  // Turned by 180 degrees: the block reads upright on the turned sheet.
  state.line("q 1 0 0 1 " + FormatPdfNumber(kTurnedOriginX, 0) + " " + FormatPdfNumber(kTurnedOriginY, 0) + " cm");
  state.line("-1 0 0 -1 0 0 cm");

  const std::string title = guiText(state.languageFile(), 2050);
  state.line("BT\r/F1 14 Tf");
  state.line("1 0 0 1 " + pdfNumber(static_cast<float>(202 - halfTextWidth(state, title, 14))) + " 18 Tm\r" +
             pdfLiteral(title) + " Tj");
  state.line("ET");

  writeTextLine(state, 8, "138 -280", authorLine(state));
  writeTextLine(state, 8, "147 -295", homePageLine());
  if (const std::optional<std::string> place = placeLine(state))
    writeTextLine(state, 8, pdfNumber(static_cast<float>(202 - halfTextWidth(state, *place, 8))) + "-310", *place);
  writeConstellationList(state, records);
  state.line("ET Q");

  state.line(state.stroke(Ink::TitleRules));
  state.line("[] 0 d 0.5 w 100 -88 m 500 -88 l S");
  state.line("100 182 m 500 182 l S");
  state.line("1.5 w 100 -90 m 500 -90 l S");
  state.line("100 184 m 500 184 l S 1 w");
}

}  // namespace caelora
