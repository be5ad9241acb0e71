// SPDX-License-Identifier: GPL-2.0-or-later
// Path coordinates, circle paths and arc lettering for page content.
#include "pdf/content.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "pdf/discard_on_error.h"
#include "pdf/pdf_writer.h"
#include "pdf/text_string.h"
#include "sky/geometry.h"

namespace caelora {
namespace {

// An integer-valued double in decimal.
std::string wholeNumber(double n) {
  if (n == 0) n = 0;  // no "-0"
  char buf[400];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, n, std::chars_format::fixed, 0);
  return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

// Below this many units (fifteen digits) the decimal of units / 10^decimals
// is the shortest text that reads back as that quotient, so it is the text
// std::to_chars writes for it.
constexpr double kMostExactUnits = 1e15;

// A whole number of units, |units| < kMostExactUnits, divided by
// 10^decimals: its digits with the point set in, trailing zeros of the
// fraction and a bare point left out ("12.5", "3", "-0.25").
std::string unitsAsDecimal(double units, int decimals) {
  const bool negative = units < 0;
  auto magnitude = static_cast<unsigned long long>(negative ? -units : units);
  char reversed[24];
  int n = 0;
  do {
    reversed[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (n <= decimals) reversed[n++] = '0';  // "0.05", not ".05"
  int zeros = 0;
  while (zeros < decimals && reversed[zeros] == '0') ++zeros;
  std::string text;
  if (negative) text += '-';
  for (int i = n - 1; i >= decimals; --i) text += reversed[i];
  if (zeros < decimals) {
    text += '.';
    for (int i = decimals - 1; i >= zeros; --i) text += reversed[i];
  }
  return text;
}

struct Point {
  float x;
  float y;
};

// The thirteen points of the Bezier circle; P12 equals P0.
std::array<Point, 13> circlePoints(float cx, float cy, float r) {
  const float k = r * 4.0f * (std::sqrt(2.0f) - 1.0f) / 3.0f;
  return {{
      {cx - r, cy},     {cx - r, cy - k}, {cx - k, cy - r}, {cx, cy - r},
      {cx + k, cy - r}, {cx + r, cy - k}, {cx + r, cy},     {cx + r, cy + k},
      {cx + k, cy + r}, {cx, cy + r},     {cx - k, cy + r}, {cx - r, cy + k},
      {cx - r, cy},
  }};
}

std::string numbers(const Point& p) { return pdfNumber(p.x) + pdfNumber(p.y); }

// One cubic segment through three points, ending with "c" and CR.
std::string segment(const Point& a, const Point& b, const Point& c) {
  return numbers(a) + numbers(b) + numbers(c) + "c\r";
}

}  // namespace

std::string FormatPdfNumber(double value, int decimals) {
  static constexpr double kScales[] = {1, 10, 100, 1000, 10000};
  const double scale = decimals >= 0 && decimals < 5 ? kScales[decimals] : std::pow(10.0, decimals);
  const double units = std::nearbyint(value * scale);  // ties to even
  if (units == 0) return "0";                           // no "-0"
  if (decimals >= 0 && decimals < 5 && std::fabs(units) < kMostExactUnits) return unitsAsDecimal(units, decimals);
  const double rounded = units / scale;
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed);
  if (ec != std::errc()) return "0";
  return std::string(buf, end);
}

std::string pdfPoint(const PagePoint& p) { return FormatPdfNumber(p.x, 1) + " " + FormatPdfNumber(p.y, 1); }

std::string pdfNumber(float x) {
  if (!std::isfinite(x)) throw PdfError("A path coordinate is not a number");
  const double value = x;
  const double n = std::floor(value);
  const int d = static_cast<int>(std::floor((value - n) * 10));  // 0..9
  if (n >= 0) return wholeNumber(n) + "." + std::to_string(d) + " ";
  // v = n + d / 10 < 0; |v| = -n - d / 10.
  if (d == 0) return "-" + wholeNumber(-n) + ".0 ";
  return "-" + wholeNumber(-n - 1) + "." + std::to_string(10 - d) + " ";
}

std::string pdfCirclePath(float cx, float cy, float r) {
  const auto p = circlePoints(cx, cy, r);
  return numbers(p[0]) + "m\r" + segment(p[1], p[2], p[3]) + segment(p[4], p[5], p[6]) +
         segment(p[7], p[8], p[9]) + segment(p[10], p[11], p[0]);
}

std::string pdfHalfCirclePath(float cx, float cy, float r) {
  const auto p = circlePoints(cx, cy, r);
  return numbers(p[6]) + "m\r" + segment(p[7], p[8], p[9]) + segment(p[10], p[11], p[0]);
}

std::vector<ArcLetter> arcTextLetters(const FontWidths& widths, const PageDisc& disc, double angleDeg, double radius,
                                      std::string_view text, double size) {
  const double s = std::fabs(size);
  const int sign = size < 0 ? -1 : (size > 0 ? 1 : 0);
  double total = 0;
  for (const char c : text) total += widths.at(static_cast<unsigned char>(c)) * s / 200000;

  // 2.0004 rather than 2: the lettering has always started this little
  // ahead of the centre direction.
  double a = 2.0004 * PolarAngle(static_cast<float>(radius), static_cast<float>(total / 4));
  std::vector<ArcLetter> letters;
  letters.reserve(text.size());
  for (const char c : text) {
    const double phi = angleDeg * kDegreesToRadians - a + kHalfPi;
    // Below the centre the circle is mirrored top to bottom.
    const PagePoint at = disc.place(PageDisc::kRim * radius * std::cos(phi),
                                    sign * PageDisc::kRim * radius * std::sin(phi));
    const double width = widths.at(static_cast<unsigned char>(c));
    letters.push_back({c, at, phi - sign * kHalfPi, width * s / 1000});
    a -= 2.0 * PolarAngle(static_cast<float>(radius), static_cast<float>(width * s / 400000));
  }
  return letters;
}

std::vector<PageBox> arcTextBoxes(const FontWidths& widths, const PageDisc& disc, double angleDeg, double radius,
                                  std::string_view text, double size) {
  // Descender and the top of an accented capital, in ems.
  constexpr double kBelow = -0.22, kAbove = 0.93;
  const double s = std::fabs(size);
  std::vector<PageBox> boxes;
  for (const ArcLetter& letter : arcTextLetters(widths, disc, angleDeg, radius, text, size)) {
    if (letter.c == ' ') continue;
    const double c = std::cos(letter.baselineRad), n = std::sin(letter.baselineRad);
    const auto corner = [&](double x, double y) {
      return PagePoint{letter.origin.x + c * x - n * y, letter.origin.y + n * x + c * y};
    };
    boxes.push_back({corner(0, kBelow * s), corner(letter.advance, kBelow * s), corner(letter.advance, kAbove * s),
                     corner(0, kAbove * s)});
  }
  return boxes;
}

void pdfArcText(PdfWriter& writer, const PageDisc& disc, double angleDeg, double radius, std::string_view text,
                double size) {
  const DiscardOnError guard(writer);
  const std::string prefix = "BT\r/F1 " + FormatPdfNumber(std::fabs(size), 1) + " Tf\r";
  for (const ArcLetter& letter : arcTextLetters(writer.fontWidths(), disc, angleDeg, radius, text, size)) {
    writer.pdfWriteLine("q 1 0 0 1 " + pdfPoint(letter.origin) + " cm");
    const double psi = letter.baselineRad;
    writer.pdfWriteLine(FormatPdfNumber(std::cos(psi), 2) + " " + FormatPdfNumber(std::sin(psi), 2) + " " +
                        FormatPdfNumber(-std::sin(psi), 2) + " " + FormatPdfNumber(std::cos(psi), 2) + " " +
                        " 0 0 cm");
    writer.pdfWriteLine(prefix + pdfLiteral(std::string(1, letter.c)) + " Tj\rET Q");
  }
}

}  // namespace caelora
