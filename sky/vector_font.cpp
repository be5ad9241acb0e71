// SPDX-License-Identifier: GPL-2.0-or-later
// The stroked vector font: reading "iso.fnt" and the language file's glyph
// overrides, and stroking text along a circle or a straight line.
#include "sky/vector_font.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

#include "i18n/cp1250.h"
#include "i18n/language.h"
#include "i18n/regular_file.h"
#include "sky/data_error.h"
#include "sky/geometry.h"

namespace caelora {
namespace {

// Font units per glyph box and the width of a space, both in font units; a
// text of size s draws one unit as s / 200 chart units.
constexpr double kBoxHeight = 32;
constexpr double kSpaceWidth = 8;
constexpr double kUnitsPerSize = 200;
// Spacing after each glyph of arc text, font units.
constexpr double kArcSpacing = 1.3;
// Gap after each glyph of straight text, chart units (not scaled by size).
constexpr double kLineGap = 0.01;

// No glyph reaches this far from its origin, in font units; a number beyond
// it would draw a stroke across the whole chart.
constexpr double kFarthestFontUnit = 1000;

// "iso.fnt" holds its 95 glyphs in some 6 KiB.
constexpr FileBound kGlyphFileBound{1024 * 1024, "a glyph file"};

constexpr std::size_t kDifferencesSize = 2000;
constexpr std::size_t kGlyphKeySize = 255;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The leading whole number of a line, as the font file's reader takes it:
// blanks, an optional sign, digits; a line without digits counts as code 0.
// Returns -1 for a code that cannot index the table.
int leadingCode(std::string_view line) {
  line = trim(line);
  bool negative = false;
  if (!line.empty() && (line.front() == '-' || line.front() == '+')) {
    negative = line.front() == '-';
    line.remove_prefix(1);
  }
  long code = 0;
  for (char c : line) {
    if (c < '0' || c > '9') break;
    code = code * 10 + (c - '0');
    if (code > 255) return -1;
  }
  if (negative && code != 0) return -1;
  return static_cast<int>(code);
}

// A character code written alone (an element of "Differences"), or -1.
int wholeCode(std::string_view text) {
  text = trim(text);
  if (text.empty()) return -1;
  int code = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
  if (error != std::errc() || end != text.data() + text.size() || code < 0 || code > 255)
    return -1;
  return code;
}

std::string afterFirstEquals(const std::string& text) {
  const std::size_t eq = text.find('=');
  return eq == std::string::npos ? text : text.substr(eq + 1);
}

std::vector<std::string_view> splitAtCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
    if (comma == std::string_view::npos) return parts;
    start = comma + 1;
  }
}

// One number of a glyph definition, locale-independent; false when it is
// not a finite decimal number.
bool parseNumber(std::string_view text, double& value) {
  text = trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(value) &&
         std::fabs(value) <= kFarthestFontUnit;
}

// The numbers of a glyph definition in font units, or an empty list when the
// glyph cannot be drawn: no definition, an odd count, a number that does not
// read, or a first pair that does not start a stroke. Such a glyph draws
// nothing; it never stops the text or the list being recorded.
std::vector<double> glyphNumbers(const std::string& definition) {
  if (trim(definition).empty()) return {};
  std::vector<double> numbers;
  for (std::string_view part : splitAtCommas(definition)) {
    double value = 0;
    if (!parseNumber(part, value)) return {};
    numbers.push_back(value);
  }
  if (numbers.size() % 2 != 0 || numbers.front() >= 0) return {};
  return numbers;
}

// A character that a glyph could draw: not a blank, a control code or a
// byte Windows-1250 leaves unassigned.
bool isCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u > ' ' && u != 0x7F && cp1250ToUnicode(u) != kReplacementCharacter;
}

const std::string& definitionOf(const GlyphTable& glyphs, char c) {
  return glyphs[static_cast<unsigned char>(c)];
}

// Strokes one glyph with its origin moved by penX: each negative x starts a
// new line strip (at |x|) in the given colour.
void strokeGlyph(DisplayList& list, const std::vector<double>& numbers, double size,
                 double penX, const std::optional<Rgb>& colour) {
  const double scale = size / kUnitsPerSize;
  for (std::size_t k = 0; k + 1 < numbers.size(); k += 2) {
    const float x = static_cast<float>(numbers[k] * scale);
    const float y = static_cast<float>((kBoxHeight - numbers[k + 1]) * scale);
    if (numbers[k] < 0) {
      if (k != 0) list.end();
      list.begin(Primitive::LineStrip);
      if (colour) list.color(colour->r, colour->g, colour->b);
    }
    list.vertex(static_cast<float>(penX + std::fabs(x)), y);
  }
  if (!numbers.empty()) list.end();
}

// Width of a character in arc text, chart units: the rightmost point plus
// the spacing (a stroke start at x counts as |x| - 1.3, as the table has
// always measured it).
double arcWidth(char c, const std::vector<double>& numbers, double size) {
  if (c == ' ') return kSpaceWidth * size / kUnitsPerSize;
  if (numbers.empty()) return kArcSpacing * size / kUnitsPerSize;  // the spacing alone
  double widest = 0;
  for (std::size_t k = 0; k < numbers.size(); k += 2)
    widest = std::max(widest, std::fabs(numbers[k] + kArcSpacing));
  return widest * size / kUnitsPerSize;
}

// Width of a character in straight text, chart units, without spacing.
double lineWidth(char c, const std::vector<double>& numbers, double size) {
  if (c == ' ') return kSpaceWidth * size / kUnitsPerSize;
  double widest = 0;
  for (std::size_t k = 0; k < numbers.size(); k += 2)
    widest = std::max(widest, std::fabs(static_cast<double>(static_cast<float>(
                                  numbers[k] * size / kUnitsPerSize))));
  return widest;
}

double degrees(double radians) { return radians * 180 / kPi; }

void readFontFile(const std::string& path, GlyphTable& glyphs) {
  std::string problem;
  const std::optional<std::string> text = readRegularFile(path, kGlyphFileBound, problem);
  if (!text) throw DataError(Message("FontCannotOpen").with("file", path).with("problem", problem));
  bool anyGlyph = false;
  for (std::size_t start = 0; start < text->size();) {
    std::size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    std::string line = text->substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const int code = leadingCode(line);
    if (code < 0) continue;  // no such character: the line is skipped
    glyphs[static_cast<std::size_t>(code)] = afterFirstEquals(line);
    anyGlyph = anyGlyph || !glyphNumbers(glyphs[static_cast<std::size_t>(code)]).empty();
  }
  // A font without a single glyph that can be drawn is no font at all.
  if (!anyGlyph) throw DataError(Message("FontNoGlyph").with("file", path));
}

void applyOverrides(const std::string& languageFile, GlyphTable& glyphs) {
  const std::string list =
      readLangKey(languageFile, "OGL_font", "Differences", "", kDifferencesSize);
  if (list.empty()) return;
  for (std::string_view element : splitAtCommas(list)) {
    const int code = wholeCode(element);
    if (code < 0) continue;  // not a character code: nothing to replace
    const std::string value =
        readLangKey(languageFile, "OGL_font", std::string(trim(element)), "", kGlyphKeySize);
    glyphs[static_cast<std::size_t>(code)] = afterFirstEquals(value);
  }
}

}  // namespace

GlyphTable loadFont(const std::string& programFolder, const std::string& languageFile) {
  GlyphTable glyphs;
  readFontFile(programFolder + "/iso.fnt", glyphs);
  applyOverrides(languageFile, glyphs);
  return glyphs;
}

std::string charactersWithoutGlyph(const GlyphTable& glyphs, const std::vector<std::string>& texts) {
  std::string missing;
  for (const std::string& text : texts)
    for (const char c : text)
      if (isCharacter(c) && missing.find(c) == std::string::npos && glyphNumbers(definitionOf(glyphs, c)).empty())
        missing += c;
  std::sort(missing.begin(), missing.end(),
            [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
  return missing;
}

namespace {

// How drawArcText lays a text out: each character's glyph and its turn
// (degrees) about the circle's centre from the text's middle direction.
struct ArcGlyph {
  char c;
  std::vector<double> numbers;
  double turnDeg;
};

std::vector<ArcGlyph> arcLayout(const GlyphTable& glyphs, double radius, const std::string& text, double size,
                                double sign) {
  std::vector<ArcGlyph> laid;
  std::vector<double> widths;
  double total = 0;
  for (char c : text) {
    laid.push_back({c, c == ' ' ? std::vector<double>{} : glyphNumbers(definitionOf(glyphs, c)), 0});
    widths.push_back(arcWidth(c, laid.back().numbers, size));
    total += widths.back();
  }
  double current = -degrees(2 * std::atan(total / (4 * radius)));
  for (std::size_t i = 0; i < laid.size(); ++i) {
    laid[i].turnDeg = -sign * current;
    current += degrees(2 * std::atan(widths[i] / (2 * radius)));
  }
  return laid;
}

double signOf(double size) { return size > 0 ? 1 : (size < 0 ? -1 : 0); }

}  // namespace

void drawArcText(DisplayList& list, const GlyphTable& glyphs, ScreenScheme scheme, double angle,
                 double radius, const std::string& text, double size,
                 std::optional<ArcOffset> offset) {
  const double sign = signOf(size);
  size = std::fabs(size);
  const std::optional<Rgb> colour = screenColours(scheme).arcText;
  list.enable(Capability::LineSmooth);
  list.pushMatrix();
  if (offset) list.translate(static_cast<float>(offset->dx), static_cast<float>(offset->dy));
  list.rotate(static_cast<float>(angle));
  for (const ArcGlyph& glyph : arcLayout(glyphs, radius, text, size, sign)) {
    list.pushMatrix();
    list.rotate(static_cast<float>(glyph.turnDeg));
    list.translate(0, static_cast<float>(sign * radius));
    if (glyph.c != ' ') strokeGlyph(list, glyph.numbers, size, 0, colour);
    list.popMatrix();
  }
  list.popMatrix();
}

double arcTextDeg(const GlyphTable& glyphs, double radius, const std::string& text, double size) {
  double total = 0;
  for (char c : text) {
    const std::vector<double> numbers = c == ' ' ? std::vector<double>{} : glyphNumbers(definitionOf(glyphs, c));
    total += degrees(2 * std::atan(arcWidth(c, numbers, std::fabs(size)) / (2 * radius)));
  }
  return total;
}

std::vector<TextBox> arcTextBoxes(const GlyphTable& glyphs, double angle, double radius, const std::string& text,
                                  double size, std::optional<ArcOffset> offset) {
  const double sign = signOf(size);
  size = std::fabs(size);
  const double scale = size / kUnitsPerSize;
  const ArcOffset shift = offset.value_or(ArcOffset{});
  std::vector<TextBox> boxes;
  for (const ArcGlyph& glyph : arcLayout(glyphs, radius, text, size, sign)) {
    if (glyph.numbers.size() < 2) continue;
    double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300;
    for (std::size_t k = 0; k + 1 < glyph.numbers.size(); k += 2) {
      const double x = std::fabs(glyph.numbers[k] * scale), y = (kBoxHeight - glyph.numbers[k + 1]) * scale;
      left = std::min(left, x), right = std::max(right, x), bottom = std::min(bottom, y), top = std::max(top, y);
    }
    const double turn = (angle + glyph.turnDeg) * kPi / 180;
    const double c = std::cos(turn), s = std::sin(turn);
    TextBox box;
    const double corners[4][2] = {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
    for (std::size_t i = 0; i < 4; ++i) {
      const double x = corners[i][0], y = corners[i][1] + sign * radius;
      box[i] = {c * x - s * y + shift.dx, s * x + c * y + shift.dy, true};
    }
    boxes.push_back(box);
  }
  return boxes;
}

void drawLineText(DisplayList& list, const GlyphTable& glyphs, ScreenScheme scheme, double distance,
                  double angle, const std::string& text, double size, std::optional<double> dy,
                  std::optional<Rgb> colour) {
  if (!colour) colour = screenColours(scheme).lineText;
  list.pushMatrix();
  if (dy) list.translate(0, static_cast<float>(*dy));
  list.rotate(static_cast<float>(angle + 90));
  list.translate(0, static_cast<float>(-distance));
  double pen = 0;
  for (char c : text) {
    const std::vector<double> numbers =
        c == ' ' ? std::vector<double>{} : glyphNumbers(definitionOf(glyphs, c));
    if (c != ' ') strokeGlyph(list, numbers, size, pen, colour);
    pen += lineWidth(c, numbers, size) + kLineGap;
  }
  list.popMatrix();
}

double lineTextWidth(const GlyphTable& glyphs, const std::string& text, double size) {
  double pen = 0;
  for (char c : text) {
    const std::vector<double> numbers =
        c == ' ' ? std::vector<double>{} : glyphNumbers(definitionOf(glyphs, c));
    pen += lineWidth(c, numbers, size) + kLineGap;
  }
  return text.empty() ? 0 : pen - kLineGap;
}

}  // namespace caelora
