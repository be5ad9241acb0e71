// SPDX-License-Identifier: GPL-2.0-or-later
// The placement rules of the chart, shared by the screen and the page.
#include "sky/chart_geometry.h"

#include <algorithm>
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

EquatorialPoint maskPoint(double altitudeDeg, double azimuthDeg, int latitudeDegrees) {
  const double a = altitudeDeg * kDegreesToRadians, az = azimuthDeg * kDegreesToRadians;
  const double phi = latitudeDegrees * kDegreesToRadians;
  const double sinDec = std::sin(phi) * std::sin(a) + std::cos(phi) * std::cos(a) * std::cos(az);
  // The hour angle, west of the meridian positive.
  const double hourAngle =
      std::atan2(-std::cos(a) * std::sin(az), std::sin(a) * std::cos(phi) - std::cos(a) * std::sin(phi) * std::cos(az));
  // The unturned disc has 6 h on the meridian.
  return {6 - hourAngle / kHoursToRadians, std::asin(std::clamp(sinDec, -1.0, 1.0)) * kRadiansToDegrees};
}

DiscPoint maskPlace(DiscProjector& projector, double altitudeDeg, double azimuthDeg) {
  const EquatorialPoint p = maskPoint(altitudeDeg, azimuthDeg, projector.latitude());
  const bool onDisc = projector.project(p.raHours, p.decDeg);
  return {projector.x(), projector.y(), onDisc};
}

namespace {

double distanceToChord(const DiscPoint& p, const DiscPoint& a, const DiscPoint& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  const double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

std::vector<DiscPoint> simplifiedPolyline(const std::vector<DiscPoint>& line, double tolerance) {
  if (line.size() < 3) return line;
  std::vector<bool> kept(line.size(), false);
  kept.front() = kept.back() = true;
  std::vector<std::pair<std::size_t, std::size_t>> spans = {{0, line.size() - 1}};
  while (!spans.empty()) {
    const auto [first, last] = spans.back();
    spans.pop_back();
    std::size_t farthest = first;
    double distance = tolerance;
    for (std::size_t i = first + 1; i < last; ++i) {
      const double d = distanceToChord(line[i], line[first], line[last]);
      if (d > distance) distance = d, farthest = i;
    }
    if (farthest == first) continue;
    kept[farthest] = true;
    spans.push_back({first, farthest});
    spans.push_back({farthest, last});
  }
  std::vector<DiscPoint> points;
  for (std::size_t i = 0; i < line.size(); ++i)
    if (kept[i]) points.push_back(line[i]);
  return points;
}

HorizonGrid horizonGrid(DiscProjector& projector) {
  // The azimuth whose line runs down to the window's lower edge: south on a
  // northern chart, north on a southern one.
  const double lowerAzimuth = projector.latitude() > 0 ? 180 : 0;
  HorizonGrid grid;
  for (int altitude = 10; altitude <= 80; altitude += 10) {
    GridLine circle{altitude, {}, maskPlace(projector, altitude + 1.5, lowerAzimuth + 4)};
    for (int azimuth = 0; azimuth <= 360; azimuth += 3) circle.points.push_back(maskPlace(projector, altitude, azimuth));
    circle.points = simplifiedPolyline(circle.points, kGridTolerance);
    grid.altitudeCircles.push_back(std::move(circle));
  }
  for (int azimuth = 0; azimuth < 360; azimuth += 30) {
    GridLine line{azimuth, {}, maskPlace(projector, 2, azimuth + 2)};
    for (int altitude = 0; altitude <= 80; altitude += 2) line.points.push_back(maskPlace(projector, altitude, azimuth));
    line.points = simplifiedPolyline(line.points, kGridTolerance);
    grid.azimuthLines.push_back(std::move(line));
  }
  grid.zenith = maskPlace(projector, 90, 0);
  return grid;
}

double compassAzimuthDeg(int k, int latitudeDegrees) {
  return latitudeDegrees > 0 ? std::fmod(360.0 - 45.0 * k, 360.0) : std::fmod(180.0 + 45.0 * k, 360.0);
}

// The tick points away from the centre of the circle through the horizon
// points an hour of the curve either side of its foot, fitted in
// unit-square coordinates with y down, as the window's pixels are counted.
CompassTick horizonTick(double azimuthDeg, int latitudeDegrees) {
  DiscProjector projector(latitudeDegrees);
  const double phi = latitudeDegrees * kDegreesToRadians;
  struct Place {
    float x, y;
    float u() const { return (1 + x) / 2; }
    float v() const { return (1 - y) / 2; }
  };
  const auto place = [&](double ra, double dec) {
    projector.projectUnbounded(ra, dec);
    return Place{static_cast<float>(projector.x()), static_cast<float>(projector.y())};
  };
  const EquatorialPoint foot = maskPoint(0, azimuthDeg, latitudeDegrees);
  const double h = foot.raHours + 6;  // the curve's hour angle
  const Place before = place(h - 7, horizonDeclination(h - 1, phi));
  const Place at = place(foot.raHours, foot.decDeg);
  const Place after = place(h - 5, horizonDeclination(h + 1, phi));
  CompassTick tick;
  tick.x = at.x;
  tick.y = at.y;
  tick.curvature = CircleThroughPoints(before.u(), before.v(), at.u(), at.v(), after.u(), after.v());
  tick.angle = PolarAngle(at.u() - tick.curvature.cx, at.v() - tick.curvature.cy);
  return tick;
}

std::array<CompassTick, 8> compassTicks(int latitudeDegrees) {
  std::array<CompassTick, 8> ticks;
  for (int k = 0; k < 8; ++k)
    ticks[static_cast<std::size_t>(k)] = horizonTick(compassAzimuthDeg(k, latitudeDegrees), latitudeDegrees);
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

namespace {

double cross(const DiscPoint& o, const DiscPoint& a, const DiscPoint& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double pointToSegment(const DiscPoint& p, const DiscPoint& a, const DiscPoint& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

bool segmentsCross(const DiscPoint& a, const DiscPoint& b, const DiscPoint& c, const DiscPoint& d) {
  const double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
  return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
}

// Inside a convex quadrilateral, whichever way round its corners run.
bool inside(const DiscPoint& p, const TextBox& box) {
  bool positive = false, negative = false;
  for (std::size_t i = 0; i < 4; ++i) {
    const double c = cross(box[i], box[(i + 1) % 4], p);
    positive = positive || c > 0;
    negative = negative || c < 0;
  }
  return !(positive && negative) && (positive || negative);
}

double distance(const TextBox& a, const TextBox& b) {
  double nearest = 1e300;
  for (std::size_t i = 0; i < 4; ++i) {
    const DiscPoint &a1 = a[i], &a2 = a[(i + 1) % 4];
    for (std::size_t j = 0; j < 4; ++j) {
      const DiscPoint &b1 = b[j], &b2 = b[(j + 1) % 4];
      if (segmentsCross(a1, a2, b1, b2)) return 0;
      nearest = std::min({nearest, pointToSegment(a1, b1, b2), pointToSegment(b1, a1, a2)});
    }
  }
  if (inside(a[0], b) || inside(b[0], a)) return 0;
  return nearest;
}

// A circle round the box, for a quick test before the exact one.
struct Reach {
  DiscPoint centre;
  double radius;
};

Reach reachOf(const TextBox& box) {
  const DiscPoint c{(box[0].x + box[2].x) / 2, (box[0].y + box[2].y) / 2, true};
  double r2 = 0;
  for (const DiscPoint& p : box) r2 = std::max(r2, (p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y));
  return {c, std::sqrt(r2)};
}

// Boxes with their reaches worked out once, for many questions.
class Obstacles {
 public:
  explicit Obstacles(const std::vector<TextBox>& boxes) { add(boxes); }

  void add(const std::vector<TextBox>& boxes) {
    for (const TextBox& box : boxes) {
      boxes_.push_back(box);
      reaches_.push_back(reachOf(box));
    }
  }

  bool touch(const std::vector<TextBox>& boxes, double gap) const {
    for (const TextBox& box : boxes) {
      const Reach r = reachOf(box);
      for (std::size_t j = 0; j < boxes_.size(); ++j) {
        const Reach& o = reaches_[j];
        const double dx = r.centre.x - o.centre.x, dy = r.centre.y - o.centre.y, apart = r.radius + o.radius + gap;
        if (dx * dx + dy * dy > apart * apart) continue;
        if (distance(box, boxes_[j]) <= gap) return true;
      }
    }
    return false;
  }

 private:
  std::vector<TextBox> boxes_;
  std::vector<Reach> reaches_;
};

// The compass ticks in the order their names are placed: the cardinal
// points first, so that a diagonal makes room for them, not they for it.
std::vector<int> placingOrder(const std::vector<int>& drawn) {
  std::vector<int> order;
  for (const int k : drawn)
    if (k % 2 == 0) order.push_back(k);
  for (const int k : drawn)
    if (k % 2 != 0) order.push_back(k);
  return order;
}

constexpr double kSlideStepDeg = 0.5;
constexpr double kLongestSlideDeg = 40;
constexpr double kScaleStep = 0.05;
constexpr double kSmallestScale = 0.5;

}  // namespace

TextBox markBox(const MarkTriangle& mark, double angleDeg) {
  const double a = angleDeg * kDegreesToRadians, c = std::cos(a), s = std::sin(a);
  const auto turned = [&](double x, double y) { return DiscPoint{c * x - s * y, s * x + c * y, true}; };
  const DiscPoint apex = turned(0, mark.apex);
  return {apex, turned(mark.halfWidth, mark.base), turned(-mark.halfWidth, mark.base), apex};
}

bool boxesTouch(const std::vector<TextBox>& a, const std::vector<TextBox>& b, double gap) {
  return Obstacles(b).touch(a, gap);
}

std::vector<CompassLabel> placeCompassLabels(int latitudeDegrees, const CompassLettering& lettering,
                                             const std::vector<TextBox>& fixed, double gap) {
  const std::vector<int> drawn = compassNamesFor(latitudeDegrees);
  std::array<CompassLabel, 8> labels;
  Obstacles taken(fixed);
  for (const int k : placingOrder(drawn)) {
    const double azimuth = compassAzimuthDeg(k, latitudeDegrees);
    const auto labelAt = [&](double slideDeg) {
      const CompassTick tick = horizonTick(azimuth + slideDeg, latitudeDegrees);
      CompassLabel label;
      label.k = k;
      label.lower = isLowerCompassTick(k);
      label.rotationDeg = tick.labelRotationDeg() + (label.lower ? 180 : 0);
      label.radius = tick.labelRadius() + (label.lower ? lettering.lowerLift : 0);
      label.centre = tick.labelCentre();
      return label;
    };
    const auto clear = [&](const CompassLabel& label) { return !taken.touch(lettering.boxesOf(label), gap); };
    CompassLabel label = labelAt(0);
    // Where sliding finds no room, the name is set a little smaller.
    for (double scale = 1; !clear(label) && scale >= kSmallestScale; scale -= kScaleStep) {
      for (double slide = 0; slide <= kLongestSlideDeg; slide += kSlideStepDeg) {
        CompassLabel one = labelAt(slide), other = labelAt(-slide);
        one.scale = other.scale = scale;
        if (clear(one)) {
          label = one;
          break;
        }
        if (clear(other)) {
          label = other;
          break;
        }
      }
    }
    if (!clear(label)) label = labelAt(0);
    taken.add(lettering.boxesOf(label));
    labels[static_cast<std::size_t>(k)] = label;
  }
  std::vector<CompassLabel> placed;
  for (const int k : drawn) placed.push_back(labels[static_cast<std::size_t>(k)]);
  return placed;
}

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

double hourScaleRotationDeg(int latitudeDegrees, const std::optional<double>& longitudeDeg, const TimeZoneFacts& zone) {
  const double turn = hourScaleTurnDeg(longitudeDeg, zone);
  return latitudeDegrees > 0 ? turn : -turn;
}

std::optional<RowCaption> summerTimeCaption(int latitudeDegrees) {
  if (hourScaleFor(latitudeDegrees).laterHours < 0) return std::nullopt;
  return RowCaption{0, 0.7};
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

double monthLabelRoomDeg(int month) {
  // The label stands days / 2 degrees from the month's start (a day taken as
  // a degree), the month ends days * kDayDegrees from it.
  const int days = kMonthDays[static_cast<std::size_t>(month)];
  return 2 * std::min(days / 2.0, days * kDayDegrees - days / 2.0);
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
    const std::shared_ptr<const std::vector<EquatorialPoint>> points = equatorialOutline(outlines.resource(number), number);
    contour.reserve(points->size());
    for (const EquatorialPoint& p : *points) {
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
