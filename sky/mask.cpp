// The horizon window and the mask: list 7 for the stencil, list 8 drawn
// wherever the window is not.
#include "sky/mask.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "i18n/language.h"
#include "sky/geometry.h"
#include "sky/vector_font.h"

namespace caelora {
namespace {

// The rim strip of the window: angles in degrees, radii in chart units.
constexpr int kRimFirstDegrees = -30;
constexpr int kRimLastDegrees = 210;
constexpr int kRimStepDegrees = 5;
constexpr double kRimInnerRadius = 0.9;
// Hours between the vertices of the window polygon.
constexpr double kWindowStepHours = 0.3;

constexpr double kTickLength = 0.03;
constexpr int kFirstDirectionText = 520;

struct Colour {
  float r, g, b;
};

struct Gradient {
  Colour bottom, top;
};

Gradient maskGradient(int scheme) {
  switch (scheme) {
    case 0: return {{0, 0, 0.1f}, {0, 0, 0.9f}};
    case 1:
    case 2: return {{0.4f, 0.4f, 0.4f}, {0.8f, 0.8f, 0.8f}};
    case 3: return {{0.1f, 0, 0}, {0.6f, 0, 0}};
    default: return {{0, 0, 0}, {0, 0, 0}};
  }
}

Colour horizonColour(int scheme) {
  return scheme == 3 ? Colour{0.6f, 0, 0} : Colour{0.5f, 0.5f, 0.5f};
}

Colour hourMarkColour(int scheme) { return scheme == 2 ? Colour{1, 1, 1} : Colour{0, 0, 0}; }

void setColour(DisplayList& list, const Colour& c) { list.color(c.r, c.g, c.b); }

// Where a direction name sits: along the circle that fits the horizon
// curve at its tick.
struct DirectionLabel {
  double rotation = 0;  // degrees
  double radius = 0;
  ArcOffset centre;     // (dy, dx) of the circle's centre on the disc
};

using Outline = std::array<float, 251>;

// The tick at curve index i (an even index of the outline) and the place
// of its label, from the circle through the points 10 indices either side.
DirectionLabel azimuthTick(DisplayList& list, const Outline& p, int i) {
  int j = i - 10;
  if (j < 0) j += 240;
  // The circle is fitted in unit-square coordinates with y down, as the
  // window's pixels are counted.
  const auto u = [&](int k) { return (1 + p[k]) / 2; };
  const auto v = [&](int k) { return (1 - p[k + 1]) / 2; };
  const Circle c = CircleThroughPoints(u(j), v(j), u(i), v(i), u(i + 10), v(i + 10));
  const float angle = PolarAngle(u(i) - c.cx, v(i) - c.cy);
  list.vertex(p[i], p[i + 1]);
  list.vertex(static_cast<float>(p[i] + kTickLength * std::cos(angle)),
              static_cast<float>(p[i + 1] + kTickLength * std::sin(angle)));
  DirectionLabel label;
  label.rotation = (angle - kHalfPi) * kRadiansToDegrees;
  label.radius = 2.0 * c.r + kTickLength;
  label.centre = {1.0 - 2.0 * c.cy, 2.0 * c.cx - 1.0};
  return label;
}

void drawBackground(DisplayList& list, int scheme) {
  const Gradient g = maskGradient(scheme);
  list.begin(Primitive::Quads);
  setColour(list, g.bottom);
  list.vertex(-1, -1);
  list.vertex(1, -1);
  setColour(list, g.top);
  list.vertex(1, 1);
  list.vertex(-1, 1);
  list.end();
}

// The eight names in the order of the ticks; the southern sky is seen with
// north and south, and the diagonals beside them, exchanged.
std::array<std::string, 8> directionNames(const Settings& settings) {
  std::array<std::string, 8> names;
  for (int k = 0; k < 8; ++k) names[k] = guiText(settings.languageFile, kFirstDirectionText + k);
  if (settings.latitude < 0) {
    std::swap(names[0], names[4]);
    std::swap(names[1], names[3]);
    std::swap(names[5], names[7]);
  }
  return names;
}

// Near the pole the window narrows and the side names would run into the
// hour numbers: fewer of them are written.
void drawDirectionNames(DisplayList& list, const ChartSetup& setup,
                        const std::array<DirectionLabel, 8>& labels) {
  const int scheme = setup.settings.colourScheme;
  const int a = std::abs(setup.settings.latitude);
  const int n = a <= 70 ? 2 : (a <= 78 ? 1 : 0);
  const std::array<std::string, 8> names = directionNames(setup.settings);
  const auto upper = [&](int k) {
    drawArcText(list, setup.glyphs, scheme, labels[k].rotation, labels[k].radius, names[k], 0.4,
                labels[k].centre);
  };
  for (int k = 0; k <= n; ++k) upper(k);
  // The lower part of the horizon: written the other way round so that
  // the names read upright.
  for (int k = 3; k <= 5; ++k)
    drawArcText(list, setup.glyphs, scheme, labels[k].rotation + 180, labels[k].radius + 0.06,
                names[k], -0.4, labels[k].centre);
  if (a < 78)
    for (int k = 8 - n; k <= 7; ++k) upper(k);
}

struct HourRows {
  int marks;   // hour marks each side of the top
  int second;  // numbers of the second row each side, 0: no second row
};

HourRows hourRows(int a) {
  if (a <= 60) return {8, 7};
  if (a <= 70) return {7, 5};
  if (a <= 76) return {6, 5};
  return {5, 0};
}

int wrapHour(int hour) {
  if (hour < 0) hour += 24;
  if (hour > 23) hour -= 24;
  return hour;
}

// Hour 0 at the top; the hours grow counter-clockwise in the north and
// clockwise in the south, as the sky turns the other way there.
void drawHourScale(DisplayList& list, const ChartSetup& setup) {
  const int scheme = setup.settings.colourScheme;
  const bool north = setup.settings.latitude > 0;
  const int a = std::abs(setup.settings.latitude);
  const HourRows rows = hourRows(a);
  list.enable(Capability::PolygonSmooth);
  for (int t = -rows.marks; t <= rows.marks; ++t) {
    const int hour = wrapHour(north ? t : -t);
    list.pushMatrix();
    list.rotate(static_cast<float>(15 * t));
    DrawHourMark(list, scheme);
    list.popMatrix();
    drawArcText(list, setup.glyphs, scheme, 15 * t, 0.8, std::to_string(hour), 0.45);
  }
  if (a <= 75 && rows.second > 0) {
    for (int t = -rows.second; t <= rows.second; ++t) {
      const int hour = wrapHour(north ? t + 1 : 1 - t);
      drawArcText(list, setup.glyphs, scheme, 15 * t, 0.75, std::to_string(hour), 0.3);
    }
  }
  for (double angle = 112.5; angle > -120; angle -= 15) {
    list.pushMatrix();
    list.rotate(static_cast<float>(angle));
    DrawHalfHourMark(list, scheme);
    list.popMatrix();
  }
  list.disable(Capability::PolygonSmooth);
}

void drawTriangle(DisplayList& list, int scheme, float top, float base, float halfWidth) {
  setColour(list, hourMarkColour(scheme));
  list.begin(Primitive::Triangles);
  list.vertex(0, top);
  list.vertex(halfWidth, base);
  list.vertex(-halfWidth, base);
  list.end();
}

}  // namespace

DisplayList BuildWindowShape(const ChartSetup& setup) {
  DisplayList list;
  list.begin(Primitive::TriangleStrip);
  for (int i = kRimFirstDegrees; i <= kRimLastDegrees; i += kRimStepDegrees) {
    const double a = i * kDegreesToRadians;
    list.vertex(static_cast<float>(std::cos(a)), static_cast<float>(std::sin(a)));
    list.vertex(static_cast<float>(kRimInnerRadius * std::cos(a)),
                static_cast<float>(kRimInnerRadius * std::sin(a)));
  }
  list.end();

  // The horizon as in HorizonOutline, more coarsely: 80 vertices, the
  // polygon closing from h = 23.7 back to 0.
  const int latitude = setup.settings.latitude;
  const double phi = latitude * kDegreesToRadians;
  DiscProjector projector(latitude);
  list.begin(Primitive::Polygon);
  for (double h = 0; h <= 24; h += kWindowStepHours) {
    const double dec =
        std::atan(std::cos(h * 15 * kDegreesToRadians) * std::cos(phi) / std::sin(phi)) *
        kRadiansToDegrees;
    projector.project(h - 6, dec);
    list.vertex(static_cast<float>(projector.x()), static_cast<float>(projector.y()));
  }
  list.end();
  return list;
}

DisplayList BuildMask(const ChartSetup& setup) {
  const int scheme = setup.settings.colourScheme;
  DisplayList list;
  drawBackground(list, scheme);

  const Outline p = HorizonOutline(setup.settings.latitude);
  list.lineWidth(2);
  setColour(list, horizonColour(scheme));
  list.begin(Primitive::LineLoop);
  for (int i = 0; i <= 240; i += 2) list.vertex(p[i], p[i + 1]);
  list.end();

  std::array<DirectionLabel, 8> labels;
  list.begin(Primitive::Lines);
  for (int k = 0; k < 8; ++k) labels[k] = azimuthTick(list, p, 30 * k);
  list.end();

  drawDirectionNames(list, setup, labels);
  drawHourScale(list, setup);
  list.lineWidth(1);
  return list;
}

void DrawHourMark(DisplayList& list, int scheme) { drawTriangle(list, scheme, 0.9f, 0.8f, 0.05f); }

void DrawHalfHourMark(DisplayList& list, int scheme) {
  drawTriangle(list, scheme, 0.9f, 0.87f, 0.02f);
}

}  // namespace caelora
