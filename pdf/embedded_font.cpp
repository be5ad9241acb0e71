// SPDX-License-Identifier: GPL-2.0-or-later
// The embedded font: its dictionary entries, encoding, descriptor and font
// file, all taken from section "Font<n>" of the language file, whose "Data"
// holds the compressed compact font program as hex digits.
#include <charconv>
#include <cmath>
#include <limits>

#include "i18n/language.h"
#include "pdf/discard_on_error.h"
#include "pdf/pdf_writer.h"

namespace caelora {
namespace {

constexpr std::size_t kShortValue = 255;
constexpr std::size_t kLongValue = 3000;

// The descriptor entries, in the order they are written.
const char* const kDescriptorKeys[] = {
    "Flags",   "FontBBox", "ItalicAngle", "Ascent",   "Descent",  "Leading",     "CapHeight",
    "XHeight", "StemV",    "StemH",       "AvgWidth", "MaxWidth", "MissingWidth",
};

bool parseWhole(std::string_view text, long long& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

bool parseNumber(std::string_view text, double& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty() && std::isfinite(value);
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string PdfWriter::fontKey(int n, const std::string& key, std::size_t size) const {
  return readLangKey(languageFile_, "Font" + std::to_string(n), key, "", size);
}

void PdfWriter::fontError(int n, const std::string& key, const std::string& what) const {
  throw PdfError("Font" + std::to_string(n) + " in \"" + languageFile_ + "\": " + key + " " + what);
}

void PdfWriter::writeFontKey(const std::string& key, int n, const std::string& prefix) {
  const DiscardOnError guard(*this);
  const std::string value = fontKey(n, key, kShortValue);
  if (!value.empty()) pdfWriteLine("/" + key + " " + prefix + value);
}

void PdfWriter::loadFontWidths(int n, const std::string& widths) {
  long long firstChar = 0;
  const std::string firstText = fontKey(n, "FirstChar", kShortValue);
  if (!parseWhole(firstText, firstChar) || firstChar < 0 || firstChar > 255) {
    fontError(n, "FirstChar", "\"" + firstText + "\" is not a character code");
  }
  (void)fontKey(n, "LastChar", kShortValue);
  fontWidths_.firstChar = static_cast<int>(firstChar);
  fontWidths_.widths.assign(static_cast<std::size_t>(256 - firstChar), 0);

  // "[ w w ... w ]": the pieces between the first and the last are the widths.
  std::vector<std::string_view> pieces;
  std::string_view rest = widths;
  for (;;) {
    const std::size_t space = rest.find(' ');
    pieces.push_back(rest.substr(0, space));
    if (space == std::string_view::npos) break;
    rest.remove_prefix(space + 1);
  }
  if (pieces.size() < 3) return;
  if (pieces.size() - 2 > fontWidths_.widths.size()) {
    fontError(n, "Widths", "has more widths than codes from FirstChar to 255");
  }
  for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
    double width = 0;
    if (!parseNumber(pieces[i], width) || std::fabs(width) > std::numeric_limits<std::int32_t>::max()) {
      fontError(n, "Widths", "holds \"" + std::string(pieces[i]) + "\", which is not a width");
    }
    fontWidths_.widths[i - 1] = static_cast<std::int32_t>(std::nearbyint(width));  // halves to even
  }
}

void PdfWriter::writeFontProgram(int n) {
  const std::string lengthText = fontKey(n, "LoD", kShortValue);
  long long length = 0;
  if (!parseWhole(lengthText, length) || length < 0 || length > std::numeric_limits<std::int32_t>::max() / 2 - 1) {
    fontError(n, "LoD", "\"" + lengthText + "\" is not a byte count");
  }
  allocateObject();
  pdfWriteLine(std::to_string(objectCount_) + " 0 obj");
  pdfWriteLine("<<");
  pdfWriteLine("/Filter /FlateDecode");
  pdfWriteLine("/Subtype /Type1C");
  pdfWriteLine("/Length " + lengthText);
  pdfWriteLine(">>");
  pdfWriteLine("stream", false, true);

  // Room for one byte more than declared, so that a longer program shows.
  const std::string hex = fontKey(n, "Data", static_cast<std::size_t>(2 * (length + 2)));
  std::string program(hex.size() / 2, '\0');
  for (std::size_t i = 0; i < program.size(); ++i) {
    const int high = hexDigit(hex[2 * i]);
    const int low = hexDigit(hex[2 * i + 1]);
    if (high < 0 || low < 0) fontError(n, "Data", "holds a pair that is not hexadecimal at byte " + std::to_string(i));
    program[i] = static_cast<char>(high * 16 + low);
  }
  // A stream shorter or longer than its declared length breaks the document.
  if (static_cast<long long>(program.size()) != length) {
    fontError(n, "Data", "holds " + std::to_string(program.size()) + " bytes where LoD says " + lengthText);
  }
  pdfWriteStreamData(program);
  pdfWriteLine("endstream");
  pdfWriteLine("endobj");
}

void PdfWriter::pdfWriteEmbeddedFont(int n) {
  const DiscardOnError guard(*this);
  const std::string differences = fontKey(n, "Differences", kLongValue);
  std::int32_t encoding = 0;
  if (!differences.empty()) {
    checkObjectNumber(objectCount_ + 1);
    encoding = ++objectCount_;  // written after the font dictionary
    pdfWriteLine("/Encoding " + std::to_string(encoding) + " 0 R");
  } else {
    pdfWriteLine("/Encoding /WinAnsiEncoding");
  }
  writeFontKey("BaseFont", n, "/");
  writeFontKey("FirstChar", n);
  writeFontKey("LastChar", n);
  const std::string widths = fontKey(n, "Widths", kLongValue);
  if (!widths.empty()) pdfWriteLine("/Widths " + widths);
  if (n == 1) loadFontWidths(n, widths);
  pdfWriteLine("/FontDescriptor " + std::to_string(objectCount_ + 1) + " 0 R");
  pdfWriteLine(">>");
  pdfWriteLine("endobj");

  if (encoding != 0) {
    recordOffset(encoding);
    pdfWriteLine(std::to_string(encoding) + " 0 obj");
    pdfWriteLine("<< /Type /Encoding /Differences [" + differences + "] >> endobj");
  }

  allocateObject();
  pdfWriteLine(std::to_string(objectCount_) + " 0 obj");
  pdfWriteLine("<<");
  pdfWriteLine("/Type /FontDescriptor/FontName /" + fontKey(n, "BaseFont", kShortValue));
  for (const char* key : kDescriptorKeys) writeFontKey(key, n);
  pdfWriteLine("/FontFile3 " + std::to_string(objectCount_ + 1) + " 0 R");
  pdfWriteLine(">>");
  pdfWriteLine("endobj");

  writeFontProgram(n);
}

}  // namespace caelora
