// SPDX-License-Identifier: GPL-2.0-or-later
// Small builders of page content: path coordinates, Bezier circles, and
// lettering set along a circle of the star disc.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/page_disc.h"

namespace caelora {

class PdfWriter;
struct FontWidths;

// A number for a content stream: rounded to `decimals` places (ties to
// even), shortest form, "." as decimal separator whatever the locale.
std::string FormatPdfNumber(double value, int decimals);

// "x y" of a page point, one decimal each.
std::string pdfPoint(const PagePoint& p);

// x rounded down to one decimal, "." as separator, followed by a space:
// 2.96 gives "2.9 ", -1.25 gives "-1.3 ". Throws PdfError for NaN or infinity.
std::string pdfNumber(float x);

// A closed circle of four cubic segments, starting at its left end and
// running counter-clockwise on the page; each line ends with CR, no painting
// operator.
std::string pdfCirclePath(float cx, float cy, float r);

// The upper half of that circle, from its right end over the top to its left
// end, open.
std::string pdfHalfCirclePath(float cx, float cy, float r);

// Writes `text` (Windows-1250 bytes) letter by letter along a circle about
// the centre of `disc`, centred on `angleDeg` (counter-clockwise from the
// top); radius 1 is the disc rim. A negative size sets the text below the
// centre, mirrored, so that it reads upright. Needs font 1's widths: throws
// PdfError for a character without one.
void pdfArcText(PdfWriter& writer, const PageDisc& disc, double angleDeg, double radius, std::string_view text,
                double size);

// Where pdfArcText sets each letter: its origin on the page, the direction
// of its baseline (radians, counter-clockwise from +x) and its advance.
struct ArcLetter {
  char c;
  PagePoint origin;
  double baselineRad;
  double advance;
};
std::vector<ArcLetter> arcTextLetters(const FontWidths& widths, const PageDisc& disc, double angleDeg, double radius,
                                      std::string_view text, double size);

// The box each letter covers on the page, from its descender to the top of
// an accented capital, corners in order round it.
using PageBox = std::array<PagePoint, 4>;
std::vector<PageBox> arcTextBoxes(const FontWidths& widths, const PageDisc& disc, double angleDeg, double radius,
                                  std::string_view text, double size);

}  // namespace caelora
