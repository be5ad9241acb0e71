// SPDX-License-Identifier: GPL-2.0-or-later
// Hour-scale triangles of the mask and the band below the star disc.
#include "export/marks.h"

#include <cmath>
#include <string>

#include "pdf/content.h"
#include "sky/chart_geometry.h"
#include "sky/geometry.h"

namespace caelora {

// The triangle stands in a local frame of disc units whose second axis
// points from the disc centre towards the mark; each vertex is turned by
// its polar angle from there.
void timePDFtriangle(ExportState& state, double angleDeg, int kind) {
  const MarkTriangle& mark = kind == 1 ? kHourMark : kHalfHourMark;
  const float vertices[3][2] = {{0.0f, mark.apex}, {-mark.halfWidth, mark.base}, {mark.halfWidth, mark.base}};
  static const char* const kOperators[3] = {" m\r", " l\r", " l\r"};
  const PageDisc disc = state.disc();
  const double base = angleDeg * kDegreesToRadians + kHalfPi;
  std::string piece;
  for (int i = 0; i < 3; ++i) {
    const float vx = vertices[i][0], vy = vertices[i][1];
    const double r = std::sqrt(static_cast<double>(vx) * vx + static_cast<double>(vy) * vy);
    const double psi = base + PolarAngle(vx, vy);
    const PagePoint p = disc.fromDisc({r * std::sin(psi), r * std::cos(psi), true});
    piece += pdfPoint({static_cast<float>(p.x), static_cast<float>(p.y)}) + kOperators[i];
  }
  state.line(piece + "f");
}

void vypln(ExportState& state) {
  const PageDisc disc = state.disc();
  const double width = state.pageWidth();
  const double cx = disc.centreX(), cy = disc.centreY();
  // The drop of the 30 degree rays that bound the mask's sides.
  const double drop = std::tan(0.5235987755982989) * disc.rimRadius();
  const double radius = 0.92 * disc.unit();  // just outside the rim

  std::string piece = state.stroke(Ink::SheetOutline) + "\r" + state.fill(Ink::Sheet) + "\r[] 0 d\r";
  piece += pdfPoint({0.05 * width, cy - drop}) + " m ";
  // From 210 to about 330 degrees; the angle is accumulated as it always was.
  for (double t = 3.6651914291880927; t <= 5.77; t += 0.02) {
    piece += pdfPoint({cx + radius * std::cos(t), cy + radius * std::sin(t)}) + " l\r";
  }
  piece += pdfPoint({0.95 * width, cy - drop}) + " l ";
  piece += pdfPoint({0.95 * width, cy - width / 2}) + " l ";
  piece += pdfPoint({0.05 * width, cy - width / 2}) + " l\r";
  state.line(piece + "b");
}

}  // namespace caelora
