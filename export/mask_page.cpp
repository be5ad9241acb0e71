// SPDX-License-Identifier: GPL-2.0-or-later
// The mask sheet of page 1. The sheet is one outline holding the front half
// (centre (297.5, 544.5), with the horizon window) and the back half (centre
// (297.5, -50.5)), joined along a dashed fold line at y = 247.
#include "export/mask_page.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "export/marks.h"
#include "export/page_projection.h"
#include "export/title_block.h"
#include "i18n/language.h"
#include "i18n/regular_file.h"
#include "pdf/content.h"
#include "pdf/pdf_error.h"
#include "pdf/text_string.h"
#include "sky/chart_geometry.h"
#include "sky/data_error.h"
#include "sky/geometry.h"

namespace caelora {
namespace {

constexpr std::size_t kConNamesNeeded = 87;  // the zodiac entries reach index 86
constexpr std::size_t kObjectsNeeded = 10;
constexpr double kLegendSize = 7;           // points, the legend's texts
constexpr double kLegendPanelWidth = 120;
constexpr double kSecondSymbolsLeft = 488;  // x where the symbols of the fourth column begin (Symbols.txt)
// The legend drawing is a few dozen lines of drawing operators.
constexpr FileBound kLegendBound{1024 * 1024, "a legend drawing"};

// Sizes of the sheet on the page.
struct Sheet {
  double width;   // W, the page width
  double cx;      // x of both centres
  double front;   // H, y of the front centre
  double radius;  // R, radius 0.9 of the disc
  double margin;  // m, the side margin
  double drop;    // a, the drop of the 30 degree rays at the margins

  double back() const { return front - width; }
  double fold() const { return front - width / 2; }
};

Sheet sheetOf(const ExportState& state) {
  const PageDisc disc = state.disc();
  Sheet s{};
  s.width = state.pageWidth();
  s.cx = disc.centreX();
  s.front = disc.centreY();
  s.radius = kWindowRimRadius * disc.rimRadius();
  s.margin = s.width * 0.1 / 2;
  s.drop = std::tan(0.5235987755982989) * disc.rimRadius();
  return s;
}

std::string number(double v) { return FormatPdfNumber(v, 1); }
std::string point(double x, double y) { return pdfPoint({x, y}); }

// What the legend needs from files, read before anything is written.
struct LegendInputs {
  std::string symbols;               // the lines of Symbols.txt, each followed by a blank
  std::vector<std::string> objects;  // the texts beside the symbols
};

// The operands each drawing operator of the legend takes; the legend may
// use no other operator.
int operandsOf(std::string_view op) {
  static const std::map<std::string_view, int> table = {
      {"q", 0},  {"Q", 0},  {"m", 2},  {"l", 2},  {"c", 6},  {"v", 4},  {"y", 4},  {"h", 0},
      {"re", 4}, {"f", 0},  {"F", 0},  {"f*", 0}, {"S", 0},  {"s", 0},  {"B", 0},  {"B*", 0},
      {"b", 0},  {"b*", 0}, {"n", 0},  {"W", 0},  {"W*", 0}, {"w", 1},  {"J", 1},  {"j", 1},
      {"M", 1},  {"d", 2},  {"g", 1},  {"G", 1},  {"rg", 3}, {"RG", 3}, {"k", 4},  {"K", 4},
      {"cm", 6}, {"BT", 0}, {"ET", 0}, {"Tf", 2}, {"Tm", 6}, {"Td", 2}, {"Tj", 1}, {"TL", 1},
      {"T*", 0}};
  const auto it = table.find(op);
  return it == table.end() ? -1 : it->second;
}

// A number of the legend: a sign, digits and one point, within the page.
bool isLegendNumber(std::string_view token) {
  if (!token.empty() && (token.front() == '-' || token.front() == '+')) token.remove_prefix(1);
  if (token.empty() || token.size() > 12) return false;
  int points = 0;
  for (char c : token) {
    if (c == '.') ++points;
    else if (c < '0' || c > '9') return false;
  }
  return points <= 1 && token != "." && std::fabs(std::atof(std::string(token).c_str())) <= 10000;
}

// The "q" and "BT" of the legend not yet closed, with their line numbers.
using OpenPairs = std::vector<std::pair<std::string, std::size_t>>;

// One past the closing parenthesis of the literal string that opens at
// `pos`, read as a PDF reader reads it: a backslash escapes the byte after
// it, and parentheses that are not escaped nest. npos when the string does
// not close on its line.
std::size_t stringEnd(const std::string& line, std::size_t pos) {
  int depth = 0;
  for (std::size_t i = pos; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '(') {
      ++depth;
    } else if (line[i] == ')' && --depth == 0) {
      return i + 1;
    }
  }
  return std::string::npos;
}

// A name of the legend ("/F1"): regular characters after the slash, none
// of which would open a string, an array, a comment or another name, and
// "#" only before two hex digits.
bool isLegendName(std::string_view token) {
  if (token.size() < 2 || token.front() != '/') return false;
  for (std::size_t i = 1; i < token.size(); ++i) {
    const char c = token[i];
    if (std::string_view("()<>[]{}/%").find(c) != std::string_view::npos) return false;
    if (c == '#' && (i + 2 >= token.size() || !std::isxdigit(static_cast<unsigned char>(token[i + 1])) ||
                     !std::isxdigit(static_cast<unsigned char>(token[i + 2]))))
      return false;
  }
  return true;
}

// Checks one line of the legend drawing, which goes into the page as it
// stands: printable text, numbers, names, strings and arrays as operands,
// and each operator with its operands; `open` holds the "q" and "BT" not
// yet closed, innermost last, with the lines they stand on: each "Q" and
// "ET" must close the innermost of its own kind.
void checkSymbolLine(const std::string& path, std::size_t number, const std::string& line, OpenPairs& open) {
  auto fail = [&](const std::string& what) {
    throw DataError("Legend symbols \"" + path + "\", line " + std::to_string(number) + ": " + what);
  };
  for (char c : line) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u > 0x7E) fail("holds the byte " + std::to_string(u) + ", which is no drawing command");
  }
  int operands = 0;
  std::size_t pos = 0;
  while (pos < line.size()) {
    if (line[pos] == ' ' || line[pos] == '\t') {
      ++pos;
      continue;
    }
    std::size_t end = pos;
    if (line[pos] == '(') {
      end = stringEnd(line, pos);
      if (end == std::string::npos) fail("has a string that is not closed");
    } else if (line[pos] == '[') {
      end = line.find(']', pos);
      if (end == std::string::npos) fail("has an array that is not closed");
      std::istringstream items(line.substr(pos + 1, end - pos - 1));
      for (std::string item; items >> item;)
        if (!isLegendNumber(item)) fail("\"" + item + "\" in an array is not a number");
      ++end;
    } else {
      while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
      const std::string_view token(line.data() + pos, end - pos);
      if (token.front() == '/' && !isLegendName(token))
        fail("\"" + std::string(token.substr(0, 20)) + "\" is not a name");
      if (token.front() != '/' && !isLegendNumber(token)) {
        const int wanted = operandsOf(token);
        if (wanted < 0) fail("\"" + std::string(token.substr(0, 20)) + "\" is neither a number nor a drawing operator");
        if (wanted != operands)
          fail("\"" + std::string(token) + "\" takes " + std::to_string(wanted) + " operands, not " + std::to_string(operands));
        if (token == "q" || token == "BT") open.push_back({std::string(token), number});
        if (token == "Q" || token == "ET") {
          const char* opening = token == "Q" ? "q" : "BT";
          if (open.empty() || open.back().first != opening)
            fail("\"" + std::string(token) + "\" closes no \"" + opening + "\"");
          open.pop_back();
        }
        operands = -1;
      }
    }
    ++operands;
    pos = end;
  }
  if (operands != 0) fail("ends with operands and no operator");
}

std::string readSymbols(const std::string& path) {
  std::string problem;
  const std::optional<std::string> text = readRegularFile(path, kLegendBound, problem);
  if (!text) throw DataError("Cannot read the legend symbols \"" + path + "\": " + problem);
  std::string joined;
  std::size_t number = 0;
  OpenPairs open;
  // A line ends at LF, CR LF or a lone CR, as in the other data files.
  for (std::size_t start = 0; start < text->size();) {
    std::size_t end = text->find_first_of("\r\n", start);
    if (end == std::string::npos) end = text->size();
    const std::string line = text->substr(start, end - start);
    start = end + (text->compare(end, 2, "\r\n") == 0 ? 2 : 1);
    checkSymbolLine(path, ++number, line, open);
    joined += line + " ";
  }
  if (joined.find_first_not_of(' ') == std::string::npos)
    throw DataError("Legend symbols \"" + path + "\": the file holds no drawing");
  if (!open.empty()) {
    throw DataError("Legend symbols \"" + path + "\", line " + std::to_string(open.front().second) + ": \"" +
                    open.front().first + "\" is never closed");
  }
  return joined;
}

LegendInputs readLegendInputs(const ExportState& state) {
  if (state.conNameList.size() < kConNamesNeeded) {
    throw DataError("Language file \"" + state.languageFile() + "\": key \"ConNames\" of section \"Names\" has " +
                    std::to_string(state.conNameList.size()) + " names; the legend needs " +
                    std::to_string(kConNamesNeeded));
  }
  LegendInputs in;
  in.objects = splitList(readLangKey(state.languageFile(), "Names", "Objects", "", 1000));
  if (in.objects.size() < kObjectsNeeded) {
    throw DataError("Language file \"" + state.languageFile() + "\": key \"Objects\" of section \"Names\" has " +
                    std::to_string(in.objects.size()) + " texts; the legend needs " + std::to_string(kObjectsNeeded));
  }
  in.symbols = readSymbols(state.dataFile("Symbols.txt"));
  return in;
}

// Points of a circle about (cx, cy) for an angle accumulated from `from` in
// steps of 0.02 while it stays at or below `to`, each "x y l" on its line.
std::string arcPoints(double cx, double cy, double r, double from, double to) {
  std::string out;
  for (double t = from; t <= to; t += 0.02) out += point(cx + r * std::cos(t), cy + r * std::sin(t)) + " l\r";
  return out;
}

// The turn (radians about the back centre) where the back half's circle
// meets the 30 degree ray up to the straight side; the outline's arc starts there.
constexpr double kBackArcStartRad = 2.61;

}  // namespace

double sheetLeftEdge(const ExportState& state, double y) {
  const Sheet s = sheetOf(state);
  const double arcX = s.cx + s.radius * std::cos(kBackArcStartRad);
  const double arcY = s.back() + s.radius * std::sin(kBackArcStartRad);
  if (y >= s.back() + s.drop) return s.margin;
  if (y >= arcY) return arcX + (s.margin - arcX) * (y - arcY) / (s.back() + s.drop - arcY);
  const double dy = std::min(std::fabs(y - s.back()), s.radius);
  return s.cx - std::sqrt(s.radius * s.radius - dy * dy);
}

namespace {

// The outline of both halves, filled and stroked as one path.
void writeSheetOutline(ExportState& state, const Sheet& s) {
  state.line(state.stroke(Ink::SheetOutline));
  state.line(state.fill(Ink::Sheet));
  state.line(pdfHalfCirclePath(static_cast<float>(s.cx), static_cast<float>(s.front), static_cast<float>(s.radius)));
  std::string piece = arcPoints(s.cx, s.front, s.radius, 3.14159265358979, 3.6651914291880927);
  piece += point(s.margin, s.front - s.drop) + " l ";
  piece += point(s.margin, s.back() + s.drop) + " l ";
  piece += arcPoints(s.cx, s.back(), s.radius, kBackArcStartRad, 3.5);
  piece += arcPoints(s.cx, s.back(), s.radius, 5.935, 6.806784082777886);
  piece += point(s.width - s.margin, s.back() + s.drop) + " l ";
  piece += point(s.width - s.margin, s.front - s.drop) + " l ";
  piece += arcPoints(s.cx, s.front, s.radius, 5.759586531581289, 6.28318530717958);
  state.line(piece + "B");
}

// The opening through which the disc shows: the horizon curve placed by the
// page form of the projection.
std::string windowOutline(const ExportState& state) {
  PageProjector projector(state.settings.latitude, state.disc());
  std::string path;
  bool first = true;
  for (const DiscPoint& p : horizonCurve(projector.pageForm(), 0.2)) {
    path += pdfPoint(projector.disc().place(p)) + (first ? " m\r" : " l\r");
    first = false;
  }
  return path;
}

void writeHorizonWindow(ExportState& state) {
  state.line("2 w\r" + state.stroke(Ink::Horizon) + "\r" + state.fill(Ink::Window) + "\r" + windowOutline(state) +
             "b\r1 w");
}

void writeCompassTicks(ExportState& state, const std::array<CompassTick, 8>& ticks) {
  const PageDisc disc = state.disc();
  std::string piece = state.stroke(Ink::CompassTicks) + "\r";
  for (const CompassTick& tick : ticks) {
    piece += pdfPoint(disc.fromDisc({tick.x, tick.y, true})) + " m\r";
    piece += pdfPoint(disc.fromDisc(tick.end(0.02))) + " l\r";
  }
  state.line(piece + "\rS");
}

constexpr double kNameSize = 10;
// The names of the lower half stand this much farther out.
constexpr double kLowerNameLift = 0.03;
// How close a name may come to other lettering or a line, disc units: a
// little more than a space of the names.
constexpr double kLetteringGap = 0.012;

std::vector<TextBox> onDisc(const PageDisc& disc, const std::vector<PageBox>& boxes) {
  std::vector<TextBox> out;
  out.reserve(boxes.size());
  for (const PageBox& b : boxes) out.push_back({disc.toDisc(b[0]), disc.toDisc(b[1]), disc.toDisc(b[2]), disc.toDisc(b[3])});
  return out;
}

double scaleTurn(const ExportState& state) {
  return hourScaleRotationDeg(state.settings.latitude, state.settings.longitude, state.zone);
}

// "summer time" beside the second row, when the zone keeps it.
std::optional<std::pair<RowCaption, std::string>> summerTimeMark(const ExportState& state) {
  const std::optional<RowCaption> at = summerTimeCaption(state.settings.latitude);
  if (!at || !state.zone.keepsSummerTime || !state.settings.longitude) return std::nullopt;
  return std::make_pair(RowCaption{at->angleDeg + scaleTurn(state), at->radius},
                        readLangKey(state.languageFile(), "Sky_Time", "SummerTimeRow", "summer time", 100));
}

// What the compass names keep clear of: the window's edge and the hour
// scale, its marks and both rows of numbers.
std::vector<TextBox> hourScaleBoxes(const ExportState& state) {
  const int latitude = state.settings.latitude;
  const PageDisc disc = state.disc();
  const FontWidths& widths = state.writer.fontWidths();
  const HourScale scale = hourScaleFor(latitude);
  std::vector<TextBox> boxes;
  const auto add = [&boxes](const std::vector<TextBox>& more) { boxes.insert(boxes.end(), more.begin(), more.end()); };
  PageProjector projector(latitude, disc);
  const std::vector<DiscPoint> window = horizonCurve(projector.pageForm(), 0.2);
  for (std::size_t i = 0; i + 1 < window.size(); ++i) {
    const DiscPoint a = disc.toDisc(disc.place(window[i])), b = disc.toDisc(disc.place(window[i + 1]));
    boxes.push_back({a, b, b, a});
  }
  const double turn = scaleTurn(state);
  for (int g = -scale.hours; g <= scale.hours; ++g) {
    boxes.push_back(markBox(kHourMark, -(15.0 * g - turn)));  // the page counts clockwise
    add(onDisc(disc, arcTextBoxes(widths, disc, 15.0 * g + turn, 0.805, std::to_string(hourNumber(latitude, g)), 12)));
  }
  for (int g = -scale.laterHours; g <= scale.laterHours; ++g)
    add(onDisc(disc, arcTextBoxes(widths, disc, 15.0 * g + turn, 0.75, std::to_string(laterHourNumber(latitude, g)), 8)));
  if (const auto mark = summerTimeMark(state))
    add(onDisc(disc, arcTextBoxes(widths, disc, mark->first.angleDeg, mark->first.radius, mark->second, 7)));
  for (const double g : halfHourMarkAngles()) boxes.push_back(markBox(kHalfHourMark, -(g - turn)));
  return boxes;
}

// Below the middle of the horizon a name is set the other way up, from the
// far side of its circle, so that it reads upright.
double signedRadius(const CompassLabel& label) { return label.lower ? -label.radius : label.radius; }

void writeCompassNames(ExportState& state) {
  const int latitude = state.settings.latitude;
  const PageDisc disc = state.disc();
  const std::array<std::string, 8> names = compassNames(state.languageFile(), latitude);
  CompassLettering lettering;
  lettering.lowerLift = kLowerNameLift;
  lettering.boxesOf = [&](const CompassLabel& label) {
    return onDisc(disc, arcTextBoxes(state.writer.fontWidths(), disc.centredAt(label.centre), label.rotationDeg,
                                     signedRadius(label), names[static_cast<std::size_t>(label.k)],
                                     kNameSize * label.scale));
  };
  state.line(state.fill(Ink::CompassNames));
  for (const CompassLabel& label : placeCompassLabels(latitude, lettering, hourScaleBoxes(state), kLetteringGap)) {
    pdfArcText(state.writer, disc.centredAt(label.centre), label.rotationDeg, signedRadius(label),
               names[static_cast<std::size_t>(label.k)], kNameSize * label.scale);
  }
}

// The triangles are set clockwise from the top (timePDFtriangle), the
// numbers counter-clockwise; both sets are symmetric about the top.
void writeHourScale(ExportState& state) {
  const int latitude = state.settings.latitude;
  const PageDisc disc = state.disc();
  const HourScale scale = hourScaleFor(latitude);
  const double turn = scaleTurn(state);
  state.line(state.fill(Ink::HourMarks));
  for (int g = -scale.hours; g <= scale.hours; ++g) timePDFtriangle(state, 15.0 * g - turn, 1);

  state.line(state.fill(Ink::HourNumbers));
  for (int g = -scale.hours; g <= scale.hours; ++g) {
    pdfArcText(state.writer, disc, 15.0 * g + turn, 0.805, std::to_string(hourNumber(latitude, g)), 12);
  }
  if (scale.laterHours >= 0) {
    state.line(state.fill(Ink::CompassNames));
    for (int g = -scale.laterHours; g <= scale.laterHours; ++g) {
      pdfArcText(state.writer, disc, 15.0 * g + turn, 0.75, std::to_string(laterHourNumber(latitude, g)), 8);
    }
    if (const auto mark = summerTimeMark(state)) pdfArcText(state.writer, disc, mark->first.angleDeg, mark->first.radius, mark->second, 7);
  }
  state.line(state.fill(Ink::HalfHourMarks));
  for (const double g : halfHourMarkAngles()) timePDFtriangle(state, g - turn, 0);
}

// The cross at the pivot of the back half, and the dashed fold line.
void writePivotAndFold(ExportState& state, const Sheet& s) {
  const double x = s.width / 2;
  const double y = s.back();
  state.line(state.stroke(Ink::Figures) + "\r" + point(x - 6, y) + " m\r" + point(x + 6, y) + " l\r" + point(x, y - 6) +
             " m\r" + point(x, y + 6) + " l\rS");
  state.line("[3 5] 6 d\r" + point(s.margin, s.fold()) + " m\r" + point(s.width - s.margin, s.fold()) + " l\rS");
}

void writeLegendPanels(ExportState& state, const Sheet& s) {
  const std::string left = number(s.margin + 20);
  const std::string right = number(s.width - s.margin - 140);
  state.line(state.fill(Ink::LegendPanels) + "\r" + left + " 260 120 80 re\rf");
  state.line(right + " 260 120 80 re\rf\r" + state.fill(Ink::LegendHeads) + "\r" + left + " 320 120 20 re\rf");
  state.line(right + " 320 120 20 re\rf\r" + state.fill(Ink::LegendHeadText) + "\rBT\r/F1 10 Tf");
  const std::string zodiac = guiText(state.languageFile(), 2060);
  const std::string legend = guiText(state.languageFile(), 2062);
  state.line("1 0 0 1 " + pdfNumber(static_cast<float>(108 - halfTextWidth(state, zodiac, 10))) + " 326 Tm\r" +
             pdfLiteral(zodiac) + " Tj");
  state.line("1 0 0 1 " + pdfNumber(static_cast<float>(483 - halfTextWidth(state, legend, 10))) + " 326 Tm\r" +
             pdfLiteral(legend) + " Tj\rET");
}

// Lines of one text column of the legend, each shown with the ' operator;
// a text too long for the column's `width` is set narrower.
std::string column(const ExportState& state, const std::vector<std::string>& list,
                   std::initializer_list<std::size_t> indices, double width) {
  std::string out;
  for (const std::size_t i : indices) out += columnLine(state, list[i], kLegendSize, width);
  return out;
}

// The zodiac in the left panel (Aries to Pisces with Cons.txt in its order),
// the symbols and their names in the right one. A column ends at the next
// one, at the symbols of the next one, or at its panel's edge.
void writeLegendContents(ExportState& state, const LegendInputs& in, const Sheet& s) {
  state.line(state.fill(Ink::Legend));
  state.line(in.symbols);
  state.line("BT\r1 0 0 1 65 318 Tm");
  state.line("/F1 7 Tf\r8.4 TL");
  const std::vector<std::string>& z = state.conNameList;
  const double leftPanelEnd = s.margin + 20 + kLegendPanelWidth;
  const double rightPanelEnd = s.width - s.margin - 140 + kLegendPanelWidth;
  std::string piece = column(state, z, {6, 78, 37, 11, 45, 86}, 125 - 65);
  piece.pop_back();  // the first two columns end without a blank
  piece += "\r1 0 0 1 125 318 Tm " + column(state, z, {48, 72, 71, 15, 3, 65}, leftPanelEnd - 125);
  piece.pop_back();
  piece += "\r1 0 0 1 443 318 Tm " + column(state, in.objects, {0, 1, 2, 3, 4}, kSecondSymbolsLeft - 443);
  piece += "\r1 0 0 1 503 318 Tm " + column(state, in.objects, {5, 6, 7, 8, 9}, rightPanelEnd - 503);
  state.line(piece + " ET");
}

}  // namespace

// An open path through page points, stroked.
std::string strokedPath(const PageDisc& disc, const std::vector<DiscPoint>& points) {
  std::string path;
  for (std::size_t i = 0; i < points.size(); ++i) path += pdfPoint(disc.place(points[i])) + (i == 0 ? " m " : " l ");
  return path + "S";
}

// Degrees of the grid, centred on their point.
void writeGridLabel(ExportState& state, const PageDisc& disc, const DiscPoint& at, int degrees) {
  const std::string text = std::to_string(degrees);
  const PagePoint p = disc.place(at);
  state.line("BT\r/F1 6 Tf\r1 0 0 1 " + pdfPoint({p.x - halfTextWidth(state, text, 6), p.y - 2}) + " Tm\r" +
             pdfLiteral(text) + " Tj\rET");
}

void writeHorizonGrid(ExportState& state) {
  PageProjector projector(state.settings.latitude, state.disc());
  const PageDisc& disc = projector.disc();
  const HorizonGrid grid = horizonGrid(projector.pageForm());
  state.line("0.4 w");
  for (const GridLine& circle : grid.altitudeCircles) state.line(strokedPath(disc, circle.points));
  for (const GridLine& azimuth : grid.azimuthLines) state.line(strokedPath(disc, azimuth.points));
  const PagePoint z = disc.place(grid.zenith);
  state.line(pdfPoint({z.x - 4, z.y}) + " m " + pdfPoint({z.x + 4, z.y}) + " l " + pdfPoint({z.x, z.y - 4}) + " m " +
             pdfPoint({z.x, z.y + 4}) + " l S");
  for (const GridLine& circle : grid.altitudeCircles) writeGridLabel(state, disc, circle.label, circle.degrees);
  for (const GridLine& azimuth : grid.azimuthLines) writeGridLabel(state, disc, azimuth.label, azimuth.degrees);
}

// Where the overlay meets the mask: a cross at the pivot and a ring round
// it, the size of the rivet's hole.
void writeAlignmentMarks(ExportState& state) {
  const PageDisc disc = state.disc();
  const double x = disc.centreX(), y = disc.centreY();
  state.line("0.5 w\r" + point(x - 10, y) + " m\r" + point(x + 10, y) + " l\r" + point(x, y - 10) + " m\r" +
             point(x, y + 10) + " l\rS");
  state.line(pdfCirclePath(static_cast<float>(x), static_cast<float>(y), 4) + "S");
}

std::string readLegendSymbols(const std::string& path) { return readSymbols(path); }

void plotMask(ExportState& state) {
  if (state.settings.latitude == 0) {
    throw PdfError("The mask cannot be drawn for latitude 0: the horizon there has no single visible pole");
  }
  const LegendInputs legend = readLegendInputs(state);
  const Sheet sheet = sheetOf(state);

  writeSheetOutline(state, sheet);
  writeHorizonWindow(state);
  writeCompassTicks(state, compassTicks(state.settings.latitude));
  writeCompassNames(state);
  writeHourScale(state);
  writePivotAndFold(state, sheet);
  writeLegendPanels(state, sheet);
  writeLegendContents(state, legend, sheet);
}

void plotHorizonOverlay(ExportState& state) {
  // Black on clear film, whatever the kit's colours.
  ExportState film = state;
  film.exportColours.fill("0 0 0 1");
  film.line(film.stroke(Ink::Horizon) + "\r" + film.fill(Ink::CompassNames));
  film.line("1 w\r" + windowOutline(film) + "s");
  writeHorizonGrid(film);
  writeCompassTicks(film, compassTicks(film.settings.latitude));
  writeCompassNames(film);
  writeAlignmentMarks(film);
}

}  // namespace caelora
