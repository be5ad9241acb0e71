// SPDX-License-Identifier: GPL-2.0-or-later
// The stroked vector font of the on-screen chart: glyphs from "iso.fnt" with
// the overrides of the language file, drawn as line strips into the display
// list the calling loader is recording.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "sky/chart_geometry.h"
#include "sky/display_list.h"
#include "sky/screen_colours.h"

namespace caelora {

using GlyphTable = std::array<std::string, 256>;

// Reads programFolder + "/iso.fnt", then the "OGL_font" overrides of the
// language file. Throws DataError naming the file and line of what is wrong.
GlyphTable loadFont(const std::string& programFolder, const std::string& languageFile);

// The characters of `texts` for which `glyphs` has nothing to draw (blanks,
// control codes and bytes Windows-1250 leaves unassigned are no characters),
// each once, in the order of their codes.
std::string charactersWithoutGlyph(const GlyphTable& glyphs, const std::vector<std::string>& texts);

// Text bent along a circle, centred on the direction `angle` (degrees, 0 at
// the top); a negative size writes on the inner, lower side. `offset` (dy, dx)
// moves the whole text first. Text is Windows-1250 bytes.
struct ArcOffset {
  double dy = 0;
  double dx = 0;
};
void drawArcText(DisplayList& list, const GlyphTable& glyphs, ScreenScheme scheme, double angle,
                 double radius, const std::string& text, double size,
                 std::optional<ArcOffset> offset = std::nullopt);

// The angle (degrees) that drawArcText's text takes along its circle, from
// the first glyph's origin to the end of the last one's spacing.
double arcTextDeg(const GlyphTable& glyphs, double radius, const std::string& text, double size);

// The box of each glyph that drawArcText sets for the same arguments, in
// the coordinates of the list it draws into.
std::vector<TextBox> arcTextBoxes(const GlyphTable& glyphs, double angle, double radius, const std::string& text,
                                  double size, std::optional<ArcOffset> offset = std::nullopt);

// Straight text starting at (distance, angle) in polar form and running along
// the tangent, glyph tops towards the centre.
void drawLineText(DisplayList& list, const GlyphTable& glyphs, ScreenScheme scheme, double distance,
                  double angle, const std::string& text, double size,
                  std::optional<double> dy = std::nullopt,
                  std::optional<Rgb> colour = std::nullopt);

// How far drawLineText's text reaches along its line, chart units: from
// its start to the right end of its last glyph.
double lineTextWidth(const GlyphTable& glyphs, const std::string& text, double size);

}  // namespace caelora
