// SPDX-License-Identifier: GPL-2.0-or-later
// Coordinate grid, ecliptic and date scale of the star disc.
#include "sky/grid.h"

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "i18n/cp1250.h"
#include "i18n/language.h"
#include "sky/chart_geometry.h"
#include "sky/data_error.h"
#include "sky/geometry.h"
#include "sky/vector_font.h"

namespace caelora {
namespace {

void SetColour(DisplayList& list, const Rgb& colour) { list.color(colour.r, colour.g, colour.b); }

void Vertex(DisplayList& list, const DiscProjector& disc) {
  list.vertex(static_cast<float>(disc.x()), static_cast<float>(disc.y()));
}

void Vertex(DisplayList& list, const DiscPoint& p) {
  list.vertex(static_cast<float>(p.x), static_cast<float>(p.y));
}

void DeclinationCircles(DisplayList& list, DiscProjector& disc) {
  for (const int dec : gridDeclinations(disc.latitude())) {
    list.begin(Primitive::LineLoop);
    for (int i = 0; i < 48; ++i) {
      disc.project(i * 0.5, dec);  // on the disc by construction
      Vertex(list, disc);
    }
    list.end();
  }
}

void HourLines(DisplayList& list, DiscProjector& disc) {
  const int latitude = disc.latitude();
  for (int h = 0; h < 24; ++h) {
    list.begin(Primitive::Lines);
    disc.project(h, hourLineStartDeclination(h, latitude));
    Vertex(list, disc);
    disc.project(h, horizonCircleDeclination(latitude));
    Vertex(list, disc);
    list.end();
  }
}

void HourNumbers(DisplayList& list, const ChartSetup& setup, DiscProjector& disc) {
  const ScreenScheme scheme = setup.settings.colourScheme;
  const int latitude = disc.latitude();
  for (int h = 0; h < 24; ++h) {
    disc.project(gridNumberRaHours(h, latitude), -7 * poleSign(latitude));
    const double x = disc.x(), y = disc.y();
    const double angle =
        PolarAngle(static_cast<float>(x), static_cast<float>(-y)) * kRadiansToDegrees;
    drawLineText(list, setup.glyphs, scheme, std::sqrt(x * x + y * y), angle, std::to_string(h),
                 0.3, std::nullopt, screenColours(scheme).gridNumbers);
  }
}

// Windows-1250 lower-case letters above ASCII and their capitals.
unsigned char UpperWindows1250(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // ś
    case 0x9D: return 0x8D;  // ť
    case 0x9E: return 0x8E;  // ž
    case 0x9F: return 0x8F;  // ź
    case 0xB3: return 0xA3;  // ł
    case 0xB9: return 0xA5;  // ą
    case 0xBA: return 0xAA;  // ş
    case 0xBE: return 0xBC;  // ľ
    case 0xBF: return 0xAF;  // ż
    default: break;
  }
  // à..ţ map to À..Ţ, except the division sign (its twin is the
  // multiplication sign, not a letter).
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  return c;
}

// How far a month name keeps from the ticks of the first days, chart units.
constexpr double kMonthNameClearance = 0.025;

// The size of a month name: smaller where the name at `size` would run into
// the ticks of its month's first day or the next month's.
double MonthNameSize(const ChartSetup& setup, int month, const std::string& name, double radius, double size) {
  const double room = monthLabelRoomDeg(month) - 2 * kMonthNameClearance / radius * kRadiansToDegrees;
  // The arc grows a little faster than the size: a few steps settle it.
  for (int step = 0; step < 4; ++step) {
    const double taken = arcTextDeg(setup.glyphs, radius, name, size);
    if (taken <= room) break;
    size *= room / taken;
  }
  return size;
}

void MonthNames(DisplayList& list, const ChartSetup& setup, const DateRing& ring) {
  const bool daily = setup.settings.dailyScale;
  const double radius = daily ? 0.935 : 0.9;
  const double size = daily ? 0.4 : 0.6;
  const std::array<double, 12> rotations = monthLabelRotations(ring);
  for (int m = 1; m <= 12; ++m) {
    const std::string name = UpperFirstWindows1250(guiText(setup.settings.languageFile, 500 + m));
    drawArcText(list, setup.glyphs, setup.settings.colourScheme, rotations[m - 1], radius, name,
                MonthNameSize(setup, m - 1, name, radius, size));
  }
}

void DayTicks(DisplayList& list, const ChartSetup& setup, const DateRing& ring) {
  SetColour(list, screenColours(setup.settings.colourScheme).dateTicks);
  list.begin(Primitive::Lines);
  for (const DayTick& tick : dayTicks(ring, setup.settings.dailyScale)) {
    const double c = std::cos(tick.angleRad), sn = std::sin(tick.angleRad);
    list.vertex(static_cast<float>(kLimitRadius * c), static_cast<float>(kLimitRadius * sn));
    list.vertex(static_cast<float>(tick.outer * c), static_cast<float>(tick.outer * sn));
  }
  list.end();
}

void DayNumbers(DisplayList& list, const ChartSetup& setup, const DateRing& ring) {
  SetColour(list, screenColours(setup.settings.colourScheme).dateTicks);
  for (const DayLabel& label : dayLabels(ring))
    drawArcText(list, setup.glyphs, setup.settings.colourScheme, label.rotationDeg, 0.91,
                std::to_string(label.day), 0.28);
}

}  // namespace

void requireGlyphsOfChartTexts(const ChartSetup& setup) {
  const std::string& languageFile = setup.settings.languageFile;
  std::vector<std::string> texts = {"0123456789"};
  for (int m = 1; m <= 12; ++m) texts.push_back(UpperFirstWindows1250(guiText(languageFile, 500 + m)));
  for (const std::string& name : compassNames(languageFile, setup.settings.latitude)) texts.push_back(name);
  const std::string missing = charactersWithoutGlyph(setup.glyphs, texts);
  if (!missing.empty())
    throw DataError(setup.dataFile("iso.fnt") + ": has no glyph for \"" + cp1250ToUtf8(missing) +
                    "\", which the chart writes (month and compass names of \"" + languageFile +
                    "\", hour and day numbers)");
}

std::string UpperFirstWindows1250(const std::string& text) {
  std::string out = text;
  if (!out.empty())
    out[0] = static_cast<char>(UpperWindows1250(static_cast<unsigned char>(out[0])));
  return out;
}

DisplayList LoadGrid(const ChartSetup& setup) {
  DiscProjector disc(setup.settings.latitude);
  DisplayList list;
  SetColour(list, screenColours(setup.settings.colourScheme).gridLines);
  // Circles and hour lines take the width in force when the list is called.
  DeclinationCircles(list, disc);
  HourLines(list, disc);
  list.lineWidth(1.3f);  // stays in force for the ecliptic drawn next
  HourNumbers(list, setup, disc);
  return list;
}

DisplayList LoadEcliptic(const ChartSetup& setup) {
  DiscProjector disc(setup.settings.latitude);
  DisplayList list;
  SetColour(list, screenColours(setup.settings.colourScheme).ecliptic);
  list.begin(Primitive::Lines);
  for (const DiscSegment& segment : eclipticSegments(disc, 2)) {
    Vertex(list, segment.from);
    Vertex(list, segment.to);
  }
  list.end();
  return list;
}

DisplayList LoadDateScale(const ChartSetup& setup) {
  const DateRing ring = dateRing(setup.settings.latitude);
  DisplayList list;
  list.lineWidth(1.6f);
  MonthNames(list, setup, ring);
  DayTicks(list, setup, ring);
  list.lineWidth(1);  // the day numbers are written at width 1
  if (setup.settings.dailyScale) DayNumbers(list, setup, ring);
  return list;
}

}  // namespace caelora
