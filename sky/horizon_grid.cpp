// SPDX-License-Identifier: GPL-2.0-or-later
// The horizon grid's recording.
#include "sky/horizon_grid.h"

#include <cmath>
#include <string>

#include "sky/chart_geometry.h"
#include "sky/geometry.h"
#include "sky/vector_font.h"

namespace caelora {
namespace {

constexpr double kLabelSize = 0.2;
constexpr float kZenithArm = 0.015f;

void vertex(DisplayList& list, const DiscPoint& p) { list.vertex(static_cast<float>(p.x), static_cast<float>(p.y)); }

void line(DisplayList& list, Primitive primitive, const std::vector<DiscPoint>& points) {
  list.begin(primitive);
  for (const DiscPoint& p : points) vertex(list, p);
  list.end();
}

// The degrees at a point, along the circle about the disc centre through it.
void label(DisplayList& list, const ChartSetup& setup, const DiscPoint& at, int degrees, const Rgb& colour) {
  const double angle = PolarAngle(static_cast<float>(at.x), static_cast<float>(-at.y)) * kRadiansToDegrees;
  drawLineText(list, setup.glyphs, setup.settings.colourScheme, std::hypot(at.x, at.y), angle,
               std::to_string(degrees), kLabelSize, std::nullopt, colour);
}

}  // namespace

DisplayList LoadHorizonGrid(const ChartSetup& setup) {
  const ScreenColours& colours = screenColours(setup.settings.colourScheme);
  DiscProjector projector(setup.settings.latitude);
  const HorizonGrid grid = horizonGrid(projector);
  DisplayList list;
  list.lineWidth(1);
  list.color(colours.horizonGrid.r, colours.horizonGrid.g, colours.horizonGrid.b);
  for (const GridLine& circle : grid.altitudeCircles) line(list, Primitive::LineStrip, circle.points);
  for (const GridLine& azimuth : grid.azimuthLines) line(list, Primitive::LineStrip, azimuth.points);
  list.begin(Primitive::Lines);
  list.vertex(static_cast<float>(grid.zenith.x) - kZenithArm, static_cast<float>(grid.zenith.y));
  list.vertex(static_cast<float>(grid.zenith.x) + kZenithArm, static_cast<float>(grid.zenith.y));
  list.vertex(static_cast<float>(grid.zenith.x), static_cast<float>(grid.zenith.y) - kZenithArm);
  list.vertex(static_cast<float>(grid.zenith.x), static_cast<float>(grid.zenith.y) + kZenithArm);
  list.end();
  for (const GridLine& circle : grid.altitudeCircles) label(list, setup, circle.label, circle.degrees, colours.horizonGridText);
  for (const GridLine& azimuth : grid.azimuthLines) label(list, setup, azimuth.label, azimuth.degrees, colours.horizonGridText);
  return list;
}

}  // namespace caelora
