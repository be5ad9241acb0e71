// SPDX-License-Identifier: GPL-2.0-or-later
// Where each part of the chart stands, in the units of a projection: the
// horizon and its compass points, the hour scale of the mask, the date ring,
// the grid and the ecliptic, the Milky Way's contours and the mark triangles.
// The screen records these places as OpenGL commands; the PDF pages map them
// onto the page. A rule written here is the same on screen and on paper.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sky/geometry.h"
#include "sky/polygon_clipper.h"
#include "sky/sky_time.h"

namespace caelora {

struct MilkyWayOutlines;

// The chart's rings, in disc units: the sky ends at kLimitRadius, the date
// scale runs out to the rim at 1, and the mask's window opens the ring
// between kWindowRimRadius and the rim.
constexpr double kRimRadius = 1.0;
constexpr double kWindowRimRadius = 0.9;

// The part of the rim ring that the window leaves open, where the date
// scale shows: from 30 degrees below the right end of the horizontal axis
// over the top to 30 degrees below its left end, every 5 degrees
// (counter-clockwise from +x).
std::vector<int> windowRimAnglesDeg();

// +1 when the north celestial pole is at the centre, -1 when the south pole
// is. Latitude 0 takes the southern rules, as the projection does; a plain
// sign would be 0 there.
int poleSign(int latitudeDegrees);

// The declination circle that just touches the horizon, which the
// projection lays on the limit circle.
int horizonCircleDeclination(int latitudeDegrees);

// ---- The horizon -----------------------------------------------------

// Declination (degrees) of the horizon at an hour angle (hours), for a
// latitude in radians.
double horizonDeclination(double hourAngleHours, double latitudeRad);

// The horizon as it lies on the fixed mask: hour angles from 0 h while they
// stay at or below 24 h, accumulated in steps of `stepHours`, each placed at
// right ascension h - 6 h of the unturned disc. A point the projection
// reports off the disc (rounding at the lowest point) repeats the previous
// one, as the curve has always been drawn.
std::vector<DiscPoint> horizonCurve(DiscProjector& projector, double stepHours);

// The horizon curve of the mask in steps of 0.2 h: 121 points (x, y) in
// indices 0..241, 242..250 zero. Point 120 equals point 0 within rounding.
std::array<float, 251> HorizonOutline(int latitudeDegrees);

// A point of the local sky, at an altitude and an azimuth (degrees, from
// north through east), as the fixed mask holds it: its declination, and
// the right ascension at which it stands on the unturned disc. The horizon
// curve's points are such points of altitude 0.
EquatorialPoint maskPoint(double altitudeDeg, double azimuthDeg, int latitudeDegrees);

// The place on the fixed mask of a point of the local sky (the projector's
// units), placed as the horizon curve's points are.
DiscPoint maskPlace(DiscProjector& projector, double altitudeDeg, double azimuthDeg);

// ---- The horizon grid ------------------------------------------------

// Altitude and azimuth on the window: circles of altitude every 10 degrees
// from 10 to 80 (each closed, its last point on its first), lines of
// azimuth every 30 degrees from the horizon up to 80 degrees (short of the
// zenith, where they would crowd), the zenith, and where each line's
// degrees are written: the azimuths just above the horizon, the altitudes
// beside the line of azimuth that runs down to the lower edge of the window.
struct GridLine {
  int degrees;
  std::vector<DiscPoint> points;
  DiscPoint label;
};
struct HorizonGrid {
  std::vector<GridLine> altitudeCircles;
  std::vector<GridLine> azimuthLines;
  DiscPoint zenith;
};
HorizonGrid horizonGrid(DiscProjector& projector);

// The grid's lines keep only the points they need to stay within this many
// disc units (under half a pixel of a window 800 pixels wide) of the
// curves: every stroke costs a software rasteriser its set-up on each frame.
constexpr double kGridTolerance = 0.001;

// The points of `line` a polyline within `tolerance` of it needs: its ends
// and, span by span, the point farthest from the span's chord while that
// lies beyond `tolerance` (Douglas and Peucker).
std::vector<DiscPoint> simplifiedPolyline(const std::vector<DiscPoint>& line, double tolerance);

// ---- Compass points --------------------------------------------------

// A compass tick of the horizon curve and the place of its name: the tick
// points away from the centre of the horizon's circle of curvature at its
// foot, and the name is bent along a circle a little larger than that one.
struct CompassTick {
  float x = 0, y = 0;  // the foot, on the horizon curve
  float angle = 0;     // direction of the tick, radians
  Circle curvature;    // fitted in the unit square, y downward

  // The tick's outer end for a tick of `length` disc units.
  DiscPoint end(double length) const;
  // The name's turn (degrees, 0 at the top), the radius of its circle and
  // that circle's centre, in disc units.
  double labelRotationDeg() const;
  double labelRadius() const;
  DiscPoint labelCentre() const;
};

// The azimuth (degrees, from north through east) of compass tick k: the
// first below the visible pole (north on a northern chart, south on a
// southern one), then every 45 degrees the way the horizon curve runs.
double compassAzimuthDeg(int k, int latitudeDegrees);

// A tick of the horizon at an azimuth, with the place a name beside it
// would take.
CompassTick horizonTick(double azimuthDeg, int latitudeDegrees);

// The eight compass ticks on the horizon at their azimuths.
std::array<CompassTick, 8> compassTicks(int latitudeDegrees);

// The compass names of the ticks in order: texts 520 to 527 of the
// language file, exchanged north for south (and the diagonals beside them)
// on a southern chart.
std::array<std::string, 8> compassNames(const std::string& languageFile, int latitudeDegrees);

// The ticks whose names are written at a latitude, in the order they are
// drawn: all eight up to 70 degrees, fewer towards the pole where the
// window narrows and the names would run into the hour numbers.
std::vector<int> compassNamesFor(int latitudeDegrees);

// Whether tick k is on the lower half of the horizon, whose names are
// turned the other way so that they read upright.
bool isLowerCompassTick(int k);

// A quadrilateral that lettering (a glyph) or a mark covers, corners in
// order round it, in disc units. A line is a quadrilateral of no width.
using TextBox = std::array<DiscPoint, 4>;

// Whether any box of `a` comes within `gap` of any box of `b` (0: they meet).
bool boxesTouch(const std::vector<TextBox>& a, const std::vector<TextBox>& b, double gap);

// Where a compass name is set: bent along the circle of `radius` about
// `centre`, centred on the direction `rotationDeg` (0 at the top,
// counter-clockwise) from that centre.
struct CompassLabel {
  int k = 0;
  bool lower = false;  // below the horizon's middle: written the other way round
  double rotationDeg = 0;
  double radius = 0;
  DiscPoint centre;
  double scale = 1;  // of the medium's size for compass names
};

// How a medium sets its compass names: how much farther out the names of
// the lower half stand (they are written from their top line), and the
// boxes that the lettering of a name placed so covers.
struct CompassLettering {
  double lowerLift = 0;
  std::function<std::vector<TextBox>(const CompassLabel&)> boxesOf;
};

// The places of the names written at a latitude, in the order of
// compassNamesFor. Each stands first at its tick. A name whose lettering
// comes within `gap` of `fixed` (the hour scale and the horizon line) or of
// a name placed before it (the cardinal points are placed first) slides
// along the horizon, the shorter way first, half a degree of azimuth at a
// time, until it is clear. One that finds no clear place within 40 degrees
// is set smaller, a twentieth at a time down to half its size, and slides
// again; one that is never clear stays at its tick.
std::vector<CompassLabel> placeCompassLabels(int latitudeDegrees, const CompassLettering& lettering,
                                             const std::vector<TextBox>& fixed, double gap);

// ---- The hour scale of the mask ----------------------------------------

// How many hour marks stand on each side of the top, and how many numbers
// of the second row, one hour later (laterHours -1: no second row). Both
// depend on |latitude| only.
struct HourScale {
  int hours = 0;
  int laterHours = -1;
};
HourScale hourScaleFor(int latitudeDegrees);

// The hour written at mark g (15 g degrees counter-clockwise from the top)
// and the one of the second row; never negative, never 24. Hours grow
// counter-clockwise in the north and clockwise in the south, where the sky
// turns the other way.
int hourNumber(int latitudeDegrees, int g);
int laterHourNumber(int latitudeDegrees, int g);

// The half-hour marks, degrees counter-clockwise from the top.
std::vector<double> halfHourMarkAngles();

// The turn (degrees counter-clockwise) of the whole hour scale that makes
// it read the zone's time at the place: (longitude - zone meridian) the way
// the hours grow. 0 without a longitude or a zone.
double hourScaleRotationDeg(int latitudeDegrees, const std::optional<double>& longitudeDeg, const TimeZoneFacts& zone);

// Where the second row is marked as summer time, when the zone keeps it:
// a caption under its middle, between it and the window (degrees from the
// top before the scale's turn, and the radius of its baseline). None
// without a second row.
struct RowCaption {
  double angleDeg;
  double radius;
};
std::optional<RowCaption> summerTimeCaption(int latitudeDegrees);

// A mark of the hour scale: a triangle pointing outward along the radius
// from the top, its apex at `apex`, its base at `base` with half width
// `halfWidth`, in disc units.
struct MarkTriangle {
  float apex;
  float base;
  float halfWidth;
};
constexpr MarkTriangle kHourMark{0.9f, 0.8f, 0.05f};
constexpr MarkTriangle kHalfHourMark{0.9f, 0.87f, 0.02f};

// The triangle of a mark turned by `angleDeg` counter-clockwise from the
// top (its fourth corner on its first).
TextBox markBox(const MarkTriangle& mark, double angleDeg);

// ---- The date ring ---------------------------------------------------

// The year on the rim: 1 January at `startDeg` (counter-clockwise from +x),
// clockwise in the north (direction +1), counter-clockwise in the south. A
// year of 365 days, no leap day.
struct DateRing {
  double startDeg;
  int direction;
};
DateRing dateRing(int latitudeDegrees);

// The month names' turns (degrees, 0 at the top), near the middle of each
// month, January first.
std::array<double, 12> monthLabelRotations(const DateRing& ring);

// The widest arc (degrees) that the name of month m (0 January) may take,
// centred where monthLabelRotations turns it, without reaching the first
// day of its month or of the next.
double monthLabelRoomDeg(int month);

// A tick of the date ring: from the limit circle out to `outer` (a fraction
// of the rim) at `angleRad`.
struct DayTick {
  double angleRad;
  double outer;
};
// The first of each month reaches the rim; the 10th, 20th and 30th are
// longer; with the daily scale every day has a tick.
std::vector<DayTick> dayTicks(const DateRing& ring, bool daily);

// The day numbers 5, 10 ... 30 of the daily scale and their turns.
struct DayLabel {
  int day;
  double rotationDeg;
};
std::vector<DayLabel> dayLabels(const DateRing& ring);

// ---- Grid and ecliptic -------------------------------------------------

// Obliquity of the ecliptic, radians (23.44 degrees).
constexpr double kObliquity = 0.4091051766674709;

// The declination circles of the grid: every 30 degrees from the visible
// pole out to the horizon circle, which is drawn too.
std::vector<int> gridDeclinations(int latitudeDegrees);

// Where the hour line of hour h starts: lines every 6 h at the pole, the
// even hours between them at 60 degrees, the odd ones at 30, so that the
// centre does not crowd. The line ends on the horizon circle.
int hourLineStartDeclination(int hour, int latitudeDegrees);

// The right ascension at which the number of hour h is set, a little past
// its line.
double gridNumberRaHours(int hour, int latitudeDegrees);

// The ecliptic at a longitude (degrees) in the chart's frame.
EquatorialPoint eclipticPoint(int longitudeDeg);

// The ecliptic in steps of `stepDeg` degrees of longitude from 0 to 360:
// a step is kept only when both its ends are on the disc, so nothing
// bridges the part below the horizon circle.
struct DiscSegment {
  DiscPoint from;
  DiscPoint to;
};
std::vector<DiscSegment> eclipticSegments(DiscProjector& projector, int stepDeg);

// ---- The Milky Way ---------------------------------------------------

// Where a projected point lands in the medium's own coordinates (the
// screen takes disc units as they are; a page maps them onto the paper).
using ToMedium = std::function<ClipVertex(const DiscPoint&)>;

// The band (1 outer, 2 inner) between its two edges, cut at the limit
// circle (a 49-point circle every half hour, its last point on its first),
// in the medium's coordinates: outer boundaries and holes that, filled by
// the even-odd rule, give the visible band. Points of the edges beyond the
// limit take part in the cut.
ClipPolygon visibleMilkyWayBand(const MilkyWayOutlines& outlines, int band, DiscProjector& projector,
                                const ToMedium& toMedium, PolygonClipper& clipper);

}  // namespace caelora
