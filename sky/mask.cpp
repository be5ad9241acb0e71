// SPDX-License-Identifier: GPL-2.0-or-later
// The horizon window and the mask: list 7 for the stencil, list 8 drawn
// wherever the window is not.
#include "sky/mask.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "i18n/language.h"
#include "sky/chart_geometry.h"
#include "sky/geometry.h"
#include "sky/vector_font.h"

namespace caelora {
namespace {

// Hours between the vertices of the window polygon.
constexpr double kWindowStepHours = 0.3;

constexpr double kTickLength = 0.03;

void setColour(DisplayList& list, const Rgb& c) { list.color(c.r, c.g, c.b); }

void drawBackground(DisplayList& list, const ScreenColours& colours) {
  list.begin(Primitive::Quads);
  setColour(list, colours.maskBottom);
  list.vertex(-1, -1);
  list.vertex(1, -1);
  setColour(list, colours.maskTop);
  list.vertex(1, 1);
  list.vertex(-1, 1);
  list.end();
}

void drawHorizon(DisplayList& list, const std::array<float, 251>& p, const ScreenColours& colours) {
  list.lineWidth(2);
  setColour(list, colours.horizon);
  list.begin(Primitive::LineLoop);
  for (int i = 0; i <= 240; i += 2) list.vertex(p[i], p[i + 1]);
  list.end();
}

void drawCompassTicks(DisplayList& list, const std::array<CompassTick, 8>& ticks) {
  list.begin(Primitive::Lines);
  for (const CompassTick& tick : ticks) {
    const DiscPoint end = tick.end(kTickLength);
    list.vertex(tick.x, tick.y);
    list.vertex(static_cast<float>(end.x), static_cast<float>(end.y));
  }
  list.end();
}

constexpr double kNameSize = 0.4;
constexpr double kSummerMarkSize = 0.22;
constexpr double kLowerNameLift = 0.06;
// How close lettering may come to other lettering or a line.
constexpr double kLetteringGap = 0.02;

ArcOffset offsetOf(const CompassLabel& label) { return {label.centre.y, label.centre.x}; }

double scaleTurn(const ChartSetup& setup) {
  return hourScaleRotationDeg(setup.settings.latitude, setup.settings.longitude, setup.zone);
}

// "summer time" beside the second row, when the zone keeps it.
std::optional<std::pair<RowCaption, std::string>> summerTimeMark(const ChartSetup& setup) {
  const std::optional<RowCaption> at = summerTimeCaption(setup.settings.latitude);
  if (!at || !setup.zone.keepsSummerTime || !setup.settings.longitude) return std::nullopt;
  return std::make_pair(RowCaption{at->angleDeg + scaleTurn(setup), at->radius},
                        readLangKey(setup.settings.languageFile, "Sky_Time", "SummerTimeRow", "summer time", 100));
}

// What the compass names keep clear of: the horizon line and the hour
// scale, its marks and both rows of numbers.
std::vector<TextBox> hourScaleBoxes(const ChartSetup& setup, const std::array<float, 251>& outline) {
  const int latitude = setup.settings.latitude;
  const HourScale scale = hourScaleFor(latitude);
  std::vector<TextBox> boxes;
  const auto add = [&boxes](const std::vector<TextBox>& more) { boxes.insert(boxes.end(), more.begin(), more.end()); };
  for (int i = 0; i < 240; i += 2) {
    const DiscPoint a{outline[i], outline[i + 1], true}, b{outline[i + 2], outline[i + 3], true};
    boxes.push_back({a, b, b, a});
  }
  const double turn = scaleTurn(setup);
  for (int g = -scale.hours; g <= scale.hours; ++g) {
    boxes.push_back(markBox(kHourMark, 15 * g + turn));
    add(arcTextBoxes(setup.glyphs, 15 * g + turn, 0.8, std::to_string(hourNumber(latitude, g)), 0.45));
  }
  for (int g = -scale.laterHours; g <= scale.laterHours; ++g)
    add(arcTextBoxes(setup.glyphs, 15 * g + turn, 0.75, std::to_string(laterHourNumber(latitude, g)), 0.3));
  if (const auto mark = summerTimeMark(setup))
    add(arcTextBoxes(setup.glyphs, mark->first.angleDeg, mark->first.radius, mark->second, kSummerMarkSize));
  for (const double angle : halfHourMarkAngles()) boxes.push_back(markBox(kHalfHourMark, angle + turn));
  return boxes;
}

void drawCompassNames(DisplayList& list, const ChartSetup& setup, const std::array<float, 251>& outline) {
  const ScreenScheme scheme = setup.settings.colourScheme;
  const int latitude = setup.settings.latitude;
  const std::array<std::string, 8> names = compassNames(setup.settings.languageFile, latitude);
  const auto sizeOf = [](const CompassLabel& label) { return (label.lower ? -kNameSize : kNameSize) * label.scale; };
  CompassLettering lettering;
  lettering.lowerLift = kLowerNameLift;
  lettering.boxesOf = [&](const CompassLabel& label) {
    return arcTextBoxes(setup.glyphs, label.rotationDeg, label.radius, names[static_cast<std::size_t>(label.k)],
                        sizeOf(label), offsetOf(label));
  };
  for (const CompassLabel& label :
       placeCompassLabels(latitude, lettering, hourScaleBoxes(setup, outline), kLetteringGap)) {
    drawArcText(list, setup.glyphs, scheme, label.rotationDeg, label.radius, names[static_cast<std::size_t>(label.k)],
                sizeOf(label), offsetOf(label));
  }
}

void drawHourScale(DisplayList& list, const ChartSetup& setup) {
  const ScreenScheme scheme = setup.settings.colourScheme;
  const int latitude = setup.settings.latitude;
  const HourScale scale = hourScaleFor(latitude);
  const double turn = scaleTurn(setup);
  list.enable(Capability::PolygonSmooth);
  for (int g = -scale.hours; g <= scale.hours; ++g) {
    list.pushMatrix();
    list.rotate(static_cast<float>(15 * g + turn));
    DrawHourMark(list, scheme);
    list.popMatrix();
    drawArcText(list, setup.glyphs, scheme, 15 * g + turn, 0.8, std::to_string(hourNumber(latitude, g)), 0.45);
  }
  for (int g = -scale.laterHours; g <= scale.laterHours; ++g)
    drawArcText(list, setup.glyphs, scheme, 15 * g + turn, 0.75, std::to_string(laterHourNumber(latitude, g)), 0.3);
  if (const auto mark = summerTimeMark(setup))
    drawArcText(list, setup.glyphs, scheme, mark->first.angleDeg, mark->first.radius, mark->second, kSummerMarkSize);
  for (const double angle : halfHourMarkAngles()) {
    list.pushMatrix();
    list.rotate(static_cast<float>(angle + turn));
    DrawHalfHourMark(list, scheme);
    list.popMatrix();
  }
  list.disable(Capability::PolygonSmooth);
}

void drawTriangle(DisplayList& list, ScreenScheme scheme, const MarkTriangle& mark) {
  setColour(list, screenColours(scheme).hourMarks);
  list.begin(Primitive::Triangles);
  list.vertex(0, mark.apex);
  list.vertex(mark.halfWidth, mark.base);
  list.vertex(-mark.halfWidth, mark.base);
  list.end();
}

}  // namespace

DisplayList BuildWindowShape(const ChartSetup& setup) {
  DisplayList list;
  list.begin(Primitive::TriangleStrip);
  for (const int degrees : windowRimAnglesDeg()) {
    const double a = degrees * kDegreesToRadians;
    list.vertex(static_cast<float>(kRimRadius * std::cos(a)), static_cast<float>(kRimRadius * std::sin(a)));
    list.vertex(static_cast<float>(kWindowRimRadius * std::cos(a)),
                static_cast<float>(kWindowRimRadius * std::sin(a)));
  }
  list.end();

  // The horizon as in HorizonOutline, more coarsely: 80 vertices, the
  // polygon closing from h = 23.7 back to 0.
  DiscProjector projector(setup.settings.latitude);
  list.begin(Primitive::Polygon);
  for (const DiscPoint& p : horizonCurve(projector, kWindowStepHours))
    list.vertex(static_cast<float>(p.x), static_cast<float>(p.y));
  list.end();
  return list;
}

DisplayList BuildMask(const ChartSetup& setup) {
  const ScreenColours& colours = screenColours(setup.settings.colourScheme);
  DisplayList list;
  drawBackground(list, colours);
  const std::array<float, 251> outline = HorizonOutline(setup.settings.latitude);
  drawHorizon(list, outline, colours);
  drawCompassTicks(list, compassTicks(setup.settings.latitude));
  drawCompassNames(list, setup, outline);
  drawHourScale(list, setup);
  list.lineWidth(1);
  return list;
}

void DrawHourMark(DisplayList& list, ScreenScheme scheme) { drawTriangle(list, scheme, kHourMark); }

void DrawHalfHourMark(DisplayList& list, ScreenScheme scheme) { drawTriangle(list, scheme, kHalfHourMark); }

}  // namespace caelora
