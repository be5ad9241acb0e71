// SPDX-License-Identifier: GPL-2.0-or-later
// The embedded font: its dictionary entries, encoding, descriptor and font
// file, all taken from section "Font<n>" of the language file, whose "Data"
// holds the compressed compact font program as hex digits.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <string_view>
#include <vector>

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

// The syntax a font key's value must have, as it is copied into the
// document: anything else could end its dictionary or array early and
// carry on as objects of its own.
enum class Syntax { Name, Integer, Number, FourNumbers, Numbers, Differences };

Syntax syntaxOf(const std::string& key) {
  static const std::map<std::string, Syntax> table = {
      {"BaseFont", Syntax::Name},        {"FirstChar", Syntax::Integer}, {"LastChar", Syntax::Integer},
      {"Flags", Syntax::Integer},        {"FontBBox", Syntax::FourNumbers}, {"Widths", Syntax::Numbers},
      {"Differences", Syntax::Differences}};
  const auto it = table.find(key);
  return it == table.end() ? Syntax::Number : it->second;  // the descriptor's metrics
}

const char* syntaxName(Syntax syntax) {
  switch (syntax) {
    case Syntax::Name: return "a PDF name";
    case Syntax::Integer: return "an integer";
    case Syntax::Number: return "a number";
    case Syntax::FourNumbers: return "an array of four numbers";
    case Syntax::Numbers: return "an array of numbers";
    case Syntax::Differences: return "a list of character codes and glyph names";
  }
  return "";
}

bool isDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool isInteger(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  return isDigits(text) && text.size() <= 10;
}

// A PDF number: a sign, digits and at most one point, no exponent.
bool isNumber(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  const std::size_t point = text.find('.');
  if (point == std::string_view::npos) return isDigits(text) && text.size() <= 10;
  const std::string_view whole = text.substr(0, point), fraction = text.substr(point + 1);
  return (isDigits(whole) || whole.empty()) && (isDigits(fraction) || fraction.empty()) && text.size() > 1 &&
         whole.size() <= 10;
}

// The characters of a name after its slash: regular ones, "#" only before
// two hex digits.
bool isNameBody(std::string_view body) {
  if (body.empty() || body.size() > 127) return false;
  for (std::size_t i = 0; i < body.size(); ++i) {
    const auto c = static_cast<unsigned char>(body[i]);
    if (c <= ' ' || c >= 0x7F || std::string_view("()<>[]{}/%").find(static_cast<char>(c)) != std::string_view::npos)
      return false;
    if (c == '#' && (i + 2 >= body.size() || hexDigit(body[i + 1]) < 0 || hexDigit(body[i + 2]) < 0)) return false;
  }
  return true;
}

std::vector<std::string_view> blankSeparated(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while ((pos = text.find_first_not_of(" \t", pos)) != std::string_view::npos) {
    const std::size_t end = std::min(text.find_first_of(" \t", pos), text.size());
    words.push_back(text.substr(pos, end - pos));
    pos = end;
  }
  return words;
}

// "[ n n ... ]" with `count` numbers (any count when negative).
bool isNumberArray(std::string_view text, int count) {
  if (text.size() < 2 || text.front() != '[' || text.back() != ']') return false;
  const std::vector<std::string_view> items = blankSeparated(text.substr(1, text.size() - 2));
  if (count >= 0 && items.size() != static_cast<std::size_t>(count)) return false;
  for (std::string_view item : items)
    if (!isNumber(item)) return false;
  return true;
}

// The inside of a differences array: a character code, then glyph names
// ("/a" or run together, "/a/b"), and so on.
bool isDifferences(std::string_view text) {
  const std::vector<std::string_view> items = blankSeparated(text);
  if (items.empty() || !isDigits(items.front())) return false;
  for (std::string_view item : items) {
    if (isDigits(item)) {
      if (item.size() > 3 || std::stoi(std::string(item)) > 255) return false;
      continue;
    }
    if (item.front() != '/') return false;
    for (std::size_t start = 1; start <= item.size();) {
      const std::size_t next = std::min(item.find('/', start), item.size());
      if (!isNameBody(item.substr(start, next - start))) return false;
      start = next + 1;
    }
  }
  return true;
}

bool hasSyntax(std::string_view value, Syntax syntax) {
  switch (syntax) {
    case Syntax::Name: return isNameBody(value);
    case Syntax::Integer: return isInteger(value);
    case Syntax::Number: return isNumber(value);
    case Syntax::FourNumbers: return isNumberArray(value, 4);
    case Syntax::Numbers: return isNumberArray(value, -1);
    case Syntax::Differences: return isDifferences(value);
  }
  return false;
}

// A value as a message shows it: short, without control characters.
std::string shown(const std::string& value) {
  std::string out;
  for (const char c : value.substr(0, 40)) out += static_cast<unsigned char>(c) < ' ' ? '?' : c;
  return value.size() > 40 ? out + "..." : out;
}

}  // namespace

std::string PdfWriter::fontKey(int n, const std::string& key, std::size_t size) const {
  return readLangKey(languageFile_, "Font" + std::to_string(n), key, "", size);
}

void PdfWriter::fontError(int n, const std::string& key, const std::string& what) const {
  throw PdfError("Font" + std::to_string(n) + " in \"" + languageFile_ + "\": " + key + " " + what);
}

std::string PdfWriter::checkedFontKey(int n, const std::string& key, std::size_t size) const {
  const std::string value = fontKey(n, key, size);
  const Syntax syntax = syntaxOf(key);
  if (!value.empty() && !hasSyntax(value, syntax))
    fontError(n, key, "\"" + shown(value) + "\" is not " + syntaxName(syntax));
  return value;
}

void PdfWriter::writeFontKey(const std::string& key, int n, const std::string& prefix) {
  const DiscardOnError guard(*this);
  const std::string value = checkedFontKey(n, key, kShortValue);
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
  const std::string differences = checkedFontKey(n, "Differences", kLongValue);
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
  const std::string widths = checkedFontKey(n, "Widths", kLongValue);
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
  pdfWriteLine("/Type /FontDescriptor/FontName /" + checkedFontKey(n, "BaseFont", kShortValue));
  for (const char* key : kDescriptorKeys) writeFontKey(key, n);
  pdfWriteLine("/FontFile3 " + std::to_string(objectCount_ + 1) + " 0 R");
  pdfWriteLine(">>");
  pdfWriteLine("endobj");

  writeFontProgram(n);
}

}  // namespace caelora
