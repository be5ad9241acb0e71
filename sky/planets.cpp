// SPDX-License-Identifier: GPL-2.0-or-later
// The bodies of the solar system on the disc.
#include "sky/planets.h"

#include <cmath>

#include "i18n/language.h"
#include "sky/geometry.h"
#include "sky/vector_font.h"

namespace caelora {
namespace {

constexpr double kMoonRadius = 0.014;
constexpr double kNameSize = 0.2;
constexpr int kMoonSteps = 24;

float dotSize(Body body) {
  switch (body) {
    case Body::Sun: return 11;
    case Body::Venus:
    case Body::Jupiter: return 7;
    case Body::Uranus:
    case Body::Neptune: return 4;
    default: return 5.5f;
  }
}

// Where celestial north points on the disc at a place (unit vector).
DiscPoint northAt(DiscProjector& disc, double raHours, double decDeg) {
  disc.projectUnbounded(raHours, decDeg);
  const double x = disc.x(), y = disc.y();
  disc.projectUnbounded(raHours, decDeg + 0.5);
  const double dx = disc.x() - x, dy = disc.y() - y, n = std::hypot(dx, dy);
  return {dx / n, dy / n, true};
}

DiscPoint eastAt(DiscProjector& disc, double raHours, double decDeg) {
  disc.projectUnbounded(raHours, decDeg);
  const double x = disc.x(), y = disc.y();
  disc.projectUnbounded(raHours + 0.02, decDeg);
  const double dx = disc.x() - x, dy = disc.y() - y, n = std::hypot(dx, dy);
  return {dx / n, dy / n, true};
}

void drawMoon(DisplayList& list, DiscProjector& disc, const BodyPlace& moon, const MoonPhase& phase,
              const ScreenColours& colours, double x, double y) {
  list.color(colours.moonDark.r, colours.moonDark.g, colours.moonDark.b);
  list.begin(Primitive::TriangleFan);
  list.vertex(static_cast<float>(x), static_cast<float>(y));
  for (int i = 0; i <= kMoonSteps; ++i) {
    const double a = i * kTwoPi / kMoonSteps;
    list.vertex(static_cast<float>(x + kMoonRadius * std::cos(a)), static_cast<float>(y + kMoonRadius * std::sin(a)));
  }
  list.end();
  // The bright limb on the disc, from its position angle (north through east).
  const DiscPoint north = northAt(disc, moon.raHours, moon.decDeg), east = eastAt(disc, moon.raHours, moon.decDeg);
  const double pa = phase.brightLimbDeg * kDegreesToRadians;
  DiscPoint limb{std::cos(pa) * north.x + std::sin(pa) * east.x, std::cos(pa) * north.y + std::sin(pa) * east.y, true};
  const double n = std::hypot(limb.x, limb.y);
  limb = {limb.x / n, limb.y / n, true};
  list.color(colours.moonLit.r, colours.moonLit.g, colours.moonLit.b);
  list.begin(Primitive::TriangleStrip);
  for (const DiscPoint& p : litMoonStrip(phase.litFraction, limb, kMoonRadius))
    list.vertex(static_cast<float>(x + p.x), static_cast<float>(y + p.y));
  list.end();
  list.color(colours.planets.r, colours.planets.g, colours.planets.b);
  list.begin(Primitive::LineLoop);
  for (int i = 0; i < kMoonSteps; ++i) {
    const double a = i * kTwoPi / kMoonSteps;
    list.vertex(static_cast<float>(x + kMoonRadius * std::cos(a)), static_cast<float>(y + kMoonRadius * std::sin(a)));
  }
  list.end();
}

}  // namespace

std::vector<DiscPoint> litMoonStrip(double litFraction, const DiscPoint& brightLimb, double radius) {
  const DiscPoint side{-brightLimb.y, brightLimb.x, true};  // along the terminator's chord
  const double terminator = 1 - 2 * litFraction;  // its bulge towards the bright limb
  std::vector<DiscPoint> strip;
  for (int i = 0; i <= kMoonSteps; ++i) {
    const double t = i * kPi / kMoonSteps, c = std::cos(t), s = std::sin(t);
    strip.push_back({radius * (c * side.x + s * brightLimb.x), radius * (c * side.y + s * brightLimb.y), true});
    strip.push_back({radius * (c * side.x + terminator * s * brightLimb.x),
                     radius * (c * side.y + terminator * s * brightLimb.y), true});
  }
  return strip;
}

DisplayList LoadPlanets(const ChartSetup& setup, const Ephemeris& ephemeris) {
  DisplayList list;
  if (!setup.instant) return list;
  const ScreenColours& colours = screenColours(setup.settings.colourScheme);
  const std::array<BodyPlace, 9> places = ephemeris.placesAt(*setup.instant);
  const MoonPhase phase = moonPhase(places[0], places[1]);
  DiscProjector disc(setup.settings.latitude);
  list.enable(Capability::LineSmooth);
  list.lineWidth(1);
  for (const BodyPlace& place : places) {
    if (!disc.project(place.raHours, place.decDeg)) continue;
    const double x = disc.x(), y = disc.y();
    if (place.body == Body::Moon) {
      drawMoon(list, disc, place, phase, colours, x, y);
    } else {
      const Rgb& dot = place.body == Body::Sun ? colours.sun : colours.planets;
      list.color(dot.r, dot.g, dot.b);
      list.pointSize(dotSize(place.body));
      list.begin(Primitive::Points);
      list.vertex(static_cast<float>(x), static_cast<float>(y));
      list.end();
    }
    const std::string name = readLangKey(setup.settings.languageFile, "Planets", bodyKey(place.body), bodyKey(place.body), 100);
    const double angle = PolarAngle(static_cast<float>(x), static_cast<float>(-y)) * kRadiansToDegrees;
    const double clear = place.body == Body::Moon ? kMoonRadius + 0.012 : 0.02;  // beyond the body
    drawLineText(list, setup.glyphs, setup.settings.colourScheme, std::hypot(x, y) + clear, angle, name, kNameSize,
                 std::nullopt, colours.planets);
  }
  list.disable(Capability::LineSmooth);
  return list;
}

}  // namespace caelora
