// Coordinate grid, ecliptic and date scale of the star disc.
#include "sky/grid.h"

#include <array>
#include <cmath>
#include <optional>

#include "i18n/language.h"
#include "sky/geometry.h"
#include "sky/vector_font.h"

namespace caelora {
namespace {

constexpr std::array<int, 12> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr double kDayDegrees = 360.0 / 365.0;

// Colour of a layer by scheme; schemes outside 0..3 set none.
std::optional<Rgb> SchemeColour(int scheme, Rgb onBlack, Rgb onWhite, Rgb red) {
  switch (scheme) {
    case 0:
    case 1:
      return onBlack;
    case 2:
      return onWhite;
    case 3:
      return red;
    default:
      return std::nullopt;
  }
}

void SetColour(DisplayList& list, const std::optional<Rgb>& colour) {
  if (colour) list.color(colour->r, colour->g, colour->b);
}

std::optional<Rgb> GridLineColour(int scheme) {
  return SchemeColour(scheme, {0.5f, 0.1f, 0.3f}, {0.8f, 0.8f, 0.8f}, {0.5f, 0.2f, 0.2f});
}

Rgb GridNumberColour(int scheme) {
  return SchemeColour(scheme, {1, 1, 0}, {0.5f, 0.5f, 0.5f}, {0.9f, 0, 0}).value_or(Rgb{0, 0, 0});
}

std::optional<Rgb> EclipticColour(int scheme) {
  return SchemeColour(scheme, {0.6f, 0.3f, 0.3f}, {0.7f, 0.7f, 0.7f}, {0.6f, 0.3f, 0.3f});
}

std::optional<Rgb> TickColour(int scheme) {
  return SchemeColour(scheme, {1, 1, 1}, {0, 0, 0}, {1, 0, 0});
}

// +1 when the north pole is at the centre, -1 when the south pole is. The
// equator takes the southern rules, as the projection does; a plain sign of
// the latitude would give 0 there and a grid loop that never ends.
int PoleSign(int latitude) { return latitude > 0 ? 1 : -1; }

void Vertex(DisplayList& list, const DiscProjector& disc) {
  list.vertex(static_cast<float>(disc.x()), static_cast<float>(disc.y()));
}

void DeclinationCircles(DisplayList& list, DiscProjector& disc, int s, int limit) {
  // From the visible pole outwards, the horizon circle itself included.
  for (int dec = 90 * s; dec * s >= limit * s; dec -= 30 * s) {
    list.begin(Primitive::LineLoop);
    for (int i = 0; i < 48; ++i) {
      disc.project(i * 0.5, dec);  // on the disc by construction
      Vertex(list, disc);
    }
    list.end();
  }
}

void HourLines(DisplayList& list, DiscProjector& disc, int s, int limit) {
  for (int h = 0; h < 24; ++h) {
    // Lines every 6 h start at the pole, the even hours between them at 60
    // degrees, the odd hours at 30, so the centre does not crowd.
    const int step = h % 6;
    const int start = step == 0 ? 90 : (step == 2 || step == 4 ? 60 : 30);
    list.begin(Primitive::Lines);
    disc.project(h, start * s);
    Vertex(list, disc);
    disc.project(h, limit);
    Vertex(list, disc);
    list.end();
  }
}

void HourNumbers(DisplayList& list, const ChartSetup& setup, DiscProjector& disc, int s) {
  const int scheme = setup.settings.colourScheme;
  const Rgb colour = GridNumberColour(scheme);
  for (int h = 0; h < 24; ++h) {
    disc.project(h - 0.04 * s, -7 * s);
    const double x = disc.x(), y = disc.y();
    const double angle =
        PolarAngle(static_cast<float>(x), static_cast<float>(-y)) * kRadiansToDegrees;
    drawLineText(list, setup.glyphs, scheme, std::sqrt(x * x + y * y), angle, std::to_string(h),
                 0.3, std::nullopt, colour);
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

// Outer radius of the tick of day index k of a month, or none.
std::optional<double> TickEnd(int k, bool daily) {
  if (k == 0) return 1.0;
  if (k % 10 == 0) return daily ? 0.918 : 0.91;
  if (k % 5 == 0) return daily ? std::optional<double>(0.918) : std::nullopt;
  return daily ? std::optional<double>(0.908) : std::nullopt;
}

void MonthNames(DisplayList& list, const ChartSetup& setup, double a0, int s) {
  const bool daily = setup.settings.dailyScale;
  const double radius = daily ? 0.935 : 0.9;
  const double size = daily ? 0.4 : 0.6;
  double a = a0;
  for (int m = 1; m <= 12; ++m) {
    const int days = kMonthDays[m - 1];
    // Half the month length in degrees puts the name near the middle of
    // the month.
    const double rotation = (a - days / 2.0) * s - 90;
    a -= 360.0 * days / 365;
    const std::string name = UpperFirstWindows1250(guiText(setup.settings.languageFile, 500 + m));
    drawArcText(list, setup.glyphs, setup.settings.colourScheme, rotation, radius, name, size);
  }
}

void DayTicks(DisplayList& list, const ChartSetup& setup, double a0, int s) {
  const bool daily = setup.settings.dailyScale;
  SetColour(list, TickColour(setup.settings.colourScheme));
  list.begin(Primitive::Lines);
  double a = a0;
  for (int days : kMonthDays) {
    for (int k = 0; k < days; ++k) {
      const double angle = a * s * kDegreesToRadians;
      a -= kDayDegrees;
      const std::optional<double> end = TickEnd(k, daily);
      if (!end) continue;
      const double c = std::cos(angle), sn = std::sin(angle);
      list.vertex(static_cast<float>(kLimitRadius * c), static_cast<float>(kLimitRadius * sn));
      list.vertex(static_cast<float>(*end * c), static_cast<float>(*end * sn));
    }
  }
  list.end();
}

void DayNumbers(DisplayList& list, const ChartSetup& setup, double a0, int s) {
  SetColour(list, TickColour(setup.settings.colourScheme));
  double a = a0;
  for (int days : kMonthDays) {
    for (int k = 0; k < days; ++k) {
      const double rotation = a * s - 90;
      a -= kDayDegrees;
      if (k > 0 && k % 5 == 0)
        drawArcText(list, setup.glyphs, setup.settings.colourScheme, rotation, 0.91,
                    std::to_string(k), 0.28);
    }
  }
}

}  // namespace

std::string UpperFirstWindows1250(const std::string& text) {
  std::string out = text;
  if (!out.empty())
    out[0] = static_cast<char>(UpperWindows1250(static_cast<unsigned char>(out[0])));
  return out;
}

DisplayList LoadGrid(const ChartSetup& setup) {
  const int latitude = setup.settings.latitude;
  const int s = PoleSign(latitude);
  const int limit = latitude - 90 * s;  // declination of the horizon circle
  DiscProjector disc(latitude);
  DisplayList list;
  SetColour(list, GridLineColour(setup.settings.colourScheme));
  // Circles and hour lines take the width in force when the list is called.
  DeclinationCircles(list, disc, s, limit);
  HourLines(list, disc, s, limit);
  list.lineWidth(1.3f);  // stays in force for the ecliptic drawn next
  HourNumbers(list, setup, disc, s);
  return list;
}

DisplayList LoadEcliptic(const ChartSetup& setup) {
  DiscProjector disc(setup.settings.latitude);
  DisplayList list;
  SetColour(list, EclipticColour(setup.settings.colourScheme));
  list.begin(Primitive::Lines);
  const double cosE = std::cos(kObliquity), sinE = std::sin(kObliquity);
  bool previousOnDisc = false;
  float px = 0, py = 0;
  for (int degrees = 0; degrees <= 360; degrees += 2) {
    const double lambda = degrees * kDegreesToRadians;
    const double ra = (PolarAngle(static_cast<float>(cosE * std::sin(lambda)),
                                  static_cast<float>(std::cos(lambda))) +
                       kHalfPi) /
                      kHoursToRadians;
    const double dec = ArcSine(static_cast<float>(std::sin(lambda) * sinE)) * kRadiansToDegrees;
    const bool onDisc = disc.project(ra, dec);
    const float x = static_cast<float>(disc.x()), y = static_cast<float>(disc.y());
    // Below the horizon circle the ecliptic stops; nothing bridges the gap.
    if (onDisc && previousOnDisc) {
      list.vertex(px, py);
      list.vertex(x, y);
    }
    previousOnDisc = onDisc;
    px = x;
    py = y;
  }
  list.end();
  return list;
}

DisplayList LoadDateScale(const ChartSetup& setup) {
  const int latitude = setup.settings.latitude;
  const double a0 = latitude >= 0 ? 79 : 259;  // 1 January
  const int s = latitude > 0 ? 1 : -1;
  DisplayList list;
  list.lineWidth(1.6f);
  MonthNames(list, setup, a0, s);
  DayTicks(list, setup, a0, s);
  list.lineWidth(1);  // the day numbers are written at width 1
  if (setup.settings.dailyScale) DayNumbers(list, setup, a0, s);
  return list;
}

}  // namespace caelora
