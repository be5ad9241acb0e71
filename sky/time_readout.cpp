// Laying out the readout: its lines, their size and their place.
#include "sky/time_readout.h"

#include <algorithm>
#include <cctype>

#include "sky/screen_colours.h"

namespace caelora {
namespace {

// The right edge and the lowest point of the readout's strokes, chart units:
// the same margin from the window's edges as the corner menu keeps.
constexpr double kRight = 0.96;
constexpr double kBottom = -0.96;
// The widest a line may be, chart units: it ends short of the compass name
// under the horizon window's lowest point.
constexpr double kMaxWidth = 0.8;
// Text size (as drawLineText takes it) and the glyph box in font units:
// strokes run from 0 (the lowest descender) to 32; accents may rise 8 above.
constexpr double kSize = 0.4;
constexpr double kUnitsPerSize = 200;
constexpr double kGlyphBoxUnits = 32;
constexpr double kAccentUnits = 8;
constexpr double kLinePitchUnits = 36;
constexpr std::size_t kMostLines = 2;

double unitsAt(double size) { return size / kUnitsPerSize; }

// Where the time starts: the first word holding a ':' between digits.
std::size_t timeWordStart(const std::string& text) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    const std::size_t colon = text.find(':', start);
    if (colon > start && colon + 1 < end && std::isdigit(static_cast<unsigned char>(text[colon - 1])) &&
        std::isdigit(static_cast<unsigned char>(text[colon + 1])))
      return start;
    start = end + 1;
  }
  return std::string::npos;
}

// The size at which `line` fits kMaxWidth: the gaps between glyphs keep
// their width at any size (they are what a size of 0 leaves).
double fittingSize(const GlyphTable& glyphs, const std::string& line) {
  const double width = lineTextWidth(glyphs, line, kSize);
  if (width <= kMaxWidth) return kSize;
  const double gaps = lineTextWidth(glyphs, line, 0);
  return kSize * std::max(kMaxWidth - gaps, 0.0) / (width - gaps);
}

std::string trimmedRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

ChartBox readoutBox() {
  const double pitch = kLinePitchUnits * unitsAt(kSize);
  return {kRight - kMaxWidth, kBottom, kRight,
          kBottom + pitch * (kMostLines - 1) + (kGlyphBoxUnits + kAccentUnits) * unitsAt(kSize)};
}

std::vector<std::string> readoutLines(const std::string& text) {
  const std::size_t time = timeWordStart(text);
  if (time == std::string::npos || trimmedRight(text.substr(0, time)).empty()) return {text};
  return {trimmedRight(text.substr(0, time)), text.substr(time)};
}

DisplayList recordTimeReadout(const GlyphTable& glyphs, ScreenScheme scheme, const std::string& text) {
  const std::vector<std::string> lines = readoutLines(text);
  double size = kSize;
  for (const std::string& line : lines) size = std::min(size, fittingSize(glyphs, line));
  const double pitch = kLinePitchUnits * unitsAt(size);
  const Rgb colour = screenColours(scheme).arcText;
  DisplayList list;
  list.lineWidth(1);
  list.enable(Capability::LineSmooth);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    list.pushMatrix();
    list.translate(static_cast<float>(kRight - lineTextWidth(glyphs, lines[i], size)),
                   static_cast<float>(kBottom + pitch * static_cast<double>(lines.size() - 1 - i)));
    drawLineText(list, glyphs, scheme, 0, -90, lines[i], size, std::nullopt, colour);
    list.popMatrix();
  }
  list.disable(Capability::LineSmooth);
  return list;
}

}  // namespace caelora
