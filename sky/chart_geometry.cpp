// The placement rules of the chart, shared by the screen and the page.
#include "sky/chart_geometry.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "i18n/language.h"
#include "sky/milky_way.h"

namespace caelora {
namespace {

constexpr std::array<int, 12> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr double kDayDegrees = 360.0 / 365.0;
constexpr int kFirstCompassText = 520;
// The name of a compass point stands this far outside the horizon's circle
// of curvature.
constexpr double kCompassLabelGap = 0.03;

// Outer end of the tick of day index k of a month (0 the first), or 0 for
// no tick.
double tickEnd(int k, bool daily) {
  if (k == 0) return kRimRadius;
  if (k % 10 == 0) return daily ? 0.918 : 0.91;
  if (!daily) return 0;
  return k % 5 == 0 ? 0.918 : 0.908;
}

}  // namespace

std::vector<int> windowRimAnglesDeg() {
  std::vector<int> angles;
  for (int a = -30; a <= 210; a += 5) angles.push_back(a);
  return angles;
}

int poleSign(int latitudeDegrees) { return latitudeDegrees > 0 ? 1 : -1; }

int horizonCircleDeclination(int latitudeDegrees) {
  return latitudeDegrees - 90 * poleSign(latitudeDegrees);
}

double horizonDeclination(double hourAngleHours, double latitudeRad) {
  return std::atan(std::cos(hourAngleHours * 15 * kDegreesToRadians) * std::cos(latitudeRad) /
                   std::sin(latitudeRad)) *
         kRadiansToDegrees;
}

std::vector<DiscPoint> horizonCurve(DiscProjector& projector, double stepHours) {
  const double phi = projector.latitude() * kDegreesToRadians;
  std::vector<DiscPoint> points;
  for (double h = 0; h <= 24; h += stepHours) {
    projector.project(h - 6, horizonDeclination(h, phi));
    points.push_back({projector.x(), projector.y(), projector.onDisc()});
  }
  return points;
}

std::array<float, 251> HorizonOutline(int latitudeDegrees) {
  std::array<float, 251> p{};
  DiscProjector projector(latitudeDegrees);
  std::size_t n = 0;
  for (const DiscPoint& point : horizonCurve(projector, 0.2)) {
    if (n + 1 >= 242) break;
    p[n] = static_cast<float>(point.x);
    p[n + 1] = static_cast<float>(point.y);
    n += 2;
  }
  return p;
}

DiscPoint CompassTick::end(double length) const {
  return {x + length * std::cos(angle), y + length * std::sin(angle), true};
}

double CompassTick::labelRotationDeg() const { return (angle - kHalfPi) * kRadiansToDegrees; }

double CompassTick::labelRadius() const { return 2.0 * curvature.r + kCompassLabelGap; }

DiscPoint CompassTick::labelCentre() const {
  return {2.0 * curvature.cx - 1.0, 1.0 - 2.0 * curvature.cy, true};
}

// Every 15th point of the outline (hour angles 0 h, 3 h ... 21 h); the
// circle of curvature through the points 10 indices either side is fitted
// in unit-square coordinates with y down, as the window's pixels are counted.
std::array<CompassTick, 8> compassTicks(const std::array<float, 251>& p) {
  const auto u = [&](int i) { return (1 + p[i]) / 2; };
  const auto v = [&](int i) { return (1 - p[i + 1]) / 2; };
  std::array<CompassTick, 8> ticks;
  for (int k = 0; k < 8; ++k) {
    const int i = 30 * k;
    const int before = i < 10 ? i + 230 : i - 10;
    CompassTick& tick = ticks[static_cast<std::size_t>(k)];
    tick.x = p[i];
    tick.y = p[i + 1];
    tick.curvature = CircleThroughPoints(u(before), v(before), u(i), v(i), u(i + 10), v(i + 10));
    tick.angle = PolarAngle(u(i) - tick.curvature.cx, v(i) - tick.curvature.cy);
  }
  return ticks;
}

std::array<std::string, 8> compassNames(const std::string& languageFile, int latitudeDegrees) {
  std::array<std::string, 8> names;
  for (int k = 0; k < 8; ++k) names[static_cast<std::size_t>(k)] = guiText(languageFile, kFirstCompassText + k);
  if (latitudeDegrees < 0) {  // the ticks start at the south point
    std::swap(names[0], names[4]);
    std::swap(names[1], names[3]);
    std::swap(names[5], names[7]);
  }
  return names;
}

std::vector<int> compassNamesFor(int latitudeDegrees) {
  const int l = std::abs(latitudeDegrees);
  const int n = l <= 70 ? 2 : (l <= 78 ? 1 : 0);
  std::vector<int> ks;
  for (int k = 0; k <= n; ++k) ks.push_back(k);
  for (int k = 3; k <= 5; ++k) ks.push_back(k);
  if (l < 78) {
    for (int k = 8 - n; k <= 7; ++k) ks.push_back(k);
  }
  return ks;
}

bool isLowerCompassTick(int k) { return k >= 3 && k <= 5; }

HourScale hourScaleFor(int latitudeDegrees) {
  const int l = std::abs(latitudeDegrees);
  if (l <= 60) return {8, 7};
  if (l <= 70) return {7, 5};
  if (l <= 75) return {6, 5};
  if (l == 76) return {6, -1};
  return {5, -1};
}

int hourNumber(int latitudeDegrees, int g) {
  int v = latitudeDegrees > 0 ? g : -g;
  if (v < 0) v += 24;
  return v;
}

int laterHourNumber(int latitudeDegrees, int g) {
  int v = latitudeDegrees > 0 ? g + 1 : 1 - g;
  if (v < 0) v += 24;
  if (v > 23) v -= 24;
  return v;
}

std::vector<double> halfHourMarkAngles() {
  std::vector<double> angles;
  for (double g = 112.5; g >= -120; g -= 15) angles.push_back(g);
  return angles;
}

DateRing dateRing(int latitudeDegrees) {
  return {latitudeDegrees < 0 ? 259.0 : 79.0, latitudeDegrees > 0 ? 1 : -1};
}

std::array<double, 12> monthLabelRotations(const DateRing& ring) {
  std::array<double, 12> rotations{};
  double a = ring.startDeg;
  for (std::size_t m = 0; m < 12; ++m) {
    const int days = kMonthDays[m];
    rotations[m] = (a - days / 2.0) * ring.direction - 90;
    a -= 360.0 * days / 365;
  }
  return rotations;
}

std::vector<DayTick> dayTicks(const DateRing& ring, bool daily) {
  std::vector<DayTick> ticks;
  double a = ring.startDeg;
  for (const int days : kMonthDays) {
    for (int k = 0; k < days; ++k) {
      const double angle = a * ring.direction * kDegreesToRadians;
      a -= kDayDegrees;
      if (const double outer = tickEnd(k, daily); outer != 0) ticks.push_back({angle, outer});
    }
  }
  return ticks;
}

std::vector<DayLabel> dayLabels(const DateRing& ring) {
  std::vector<DayLabel> labels;
  double a = ring.startDeg;
  for (const int days : kMonthDays) {
    for (int k = 0; k < days; ++k) {
      const double rotation = a * ring.direction - 90;
      a -= kDayDegrees;
      if (k > 0 && k % 5 == 0) labels.push_back({k, rotation});
    }
  }
  return labels;
}

std::vector<int> gridDeclinations(int latitudeDegrees) {
  const int s = poleSign(latitudeDegrees);
  const int limit = horizonCircleDeclination(latitudeDegrees);
  std::vector<int> decs;
  for (int dec = 90 * s; dec * s >= limit * s; dec -= 30 * s) decs.push_back(dec);
  return decs;
}

int hourLineStartDeclination(int hour, int latitudeDegrees) {
  const int step = hour % 6;
  const int start = step == 0 ? 90 : (step == 2 || step == 4 ? 60 : 30);
  return start * poleSign(latitudeDegrees);
}

double gridNumberRaHours(int hour, int latitudeDegrees) { return hour - 0.04 * poleSign(latitudeDegrees); }

EquatorialPoint eclipticPoint(int longitudeDeg) {
  const double cosE = std::cos(kObliquity), sinE = std::sin(kObliquity);
  const double lambda = longitudeDeg * kDegreesToRadians;
  const double ra = (PolarAngle(static_cast<float>(cosE * std::sin(lambda)), static_cast<float>(std::cos(lambda))) +
                     kHalfPi) /
                    kHoursToRadians;
  const double dec = ArcSine(static_cast<float>(std::sin(lambda) * sinE)) * kRadiansToDegrees;
  return {ra, dec};
}

std::vector<DiscSegment> eclipticSegments(DiscProjector& projector, int stepDeg) {
  std::vector<DiscSegment> segments;
  DiscPoint previous;
  for (int degrees = 0; degrees <= 360; degrees += stepDeg) {
    const EquatorialPoint p = eclipticPoint(degrees);
    const bool onDisc = projector.project(p.raHours, p.decDeg);
    const DiscPoint here{projector.x(), projector.y(), onDisc};
    if (here.onDisc && previous.onDisc) segments.push_back({previous, here});
    previous = here;
  }
  return segments;
}

ClipPolygon visibleMilkyWayBand(const MilkyWayOutlines& outlines, int band, DiscProjector& projector,
                                const ToMedium& toMedium, PolygonClipper& clipper) {
  ClipPolygon bandPolygon;
  for (int edge = 1; edge <= 2; ++edge) {
    const int number = MilkyWayOutlines::kFirstResource + 2 * (band - 1) + edge - 1;
    ClipContour& contour = bandPolygon.appendContour();
    const std::vector<OutlineCode> codes = decodeOutline(outlines.resource(number), number);
    contour.reserve(codes.size());
    for (const OutlineCode& code : codes) {
      const EquatorialPoint p = outlineToEquatorial(code);
      projector.projectUnbounded(p.raHours, p.decDeg);
      contour.push_back(toMedium({projector.x(), projector.y(), true}));
    }
  }
  ClipPolygon limitCircle;
  ClipContour& circle = limitCircle.appendContour();
  const double limitDec = horizonCircleDeclination(projector.latitude());
  for (int i = 0; i < 49; ++i) {
    projector.projectUnbounded(i * 0.5, limitDec);
    circle.push_back(toMedium({projector.x(), projector.y(), true}));
  }
  return clipper.intersection(bandPolygon, limitCircle);
}

}  // namespace caelora
