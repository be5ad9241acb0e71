// Hour-scale triangles of the mask and the band below the star disc.
#include "export/marks.h"

#include <cmath>
#include <string>

#include "sky/geometry.h"

namespace caelora {
namespace {

struct Vertex {
  float x;
  float y;
};

// The triangles in a local frame of disc units whose second axis points from
// the disc centre towards the mark.
constexpr Vertex kHourMark[3] = {{0.0f, 0.9f}, {-0.05f, 0.8f}, {0.05f, 0.8f}};
constexpr Vertex kHalfHourMark[3] = {{0.0f, 0.9f}, {-0.02f, 0.87f}, {0.02f, 0.87f}};

std::string point(double x, double y) { return FormatPdfNumber(x, 1) + " " + FormatPdfNumber(y, 1); }

}  // namespace

void timePDFtriangle(ExportState& state, double angleDeg, int kind) {
  const Vertex* shape = kind == 1 ? kHourMark : kHalfHourMark;
  const double width = state.pageWidth();
  const double base = angleDeg * kDegreesToRadians + kHalfPi;
  static const char* const kOperators[3] = {" m\r", " l\r", " l\r"};
  std::string piece;
  for (int i = 0; i < 3; ++i) {
    const Vertex v = shape[i];
    const double r = std::sqrt(static_cast<double>(v.x) * v.x + static_cast<double>(v.y) * v.y);
    const double psi = base + PolarAngle(v.x, v.y);
    const float x = static_cast<float>(width * (1 + 0.9 * r * std::sin(psi)) / 2);
    const float y = static_cast<float>(state.pageHeight() + 0.9 * r * std::cos(psi) * width / 2 -
                                       state.discCentreFromTop);
    piece += point(x, y) + kOperators[i];
  }
  state.line(piece + "f");
}

void vypln(ExportState& state) {
  const double width = state.pageWidth();
  state.discCentreY = state.pageHeight() - state.discCentreFromTop;
  // The drop of the 30 degree rays that bound the mask's sides.
  const double drop = std::tan(0.5235987755982989) * 0.9 * width / 2;
  const double radius = 0.92 * state.discCentreX;  // just outside the rim

  std::string piece = state.stroke(0) + "\r" + state.fill(1) + "\r[] 0 d\r";
  piece += point(0.05 * width, state.discCentreY - drop) + " m ";
  // From 210 to about 330 degrees; the angle is accumulated as it always was.
  for (double t = 3.6651914291880927; t <= 5.77; t += 0.02) {
    piece += point(state.discCentreX + radius * std::cos(t), state.discCentreY + radius * std::sin(t)) + " l\r";
  }
  piece += point(0.95 * width, state.discCentreY - drop) + " l ";
  piece += point(0.95 * width, state.discCentreY - width / 2) + " l ";
  piece += point(0.05 * width, state.discCentreY - width / 2) + " l\r";
  state.line(piece + "b");
}

}  // namespace caelora
