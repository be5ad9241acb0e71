// SPDX-License-Identifier: GPL-2.0-or-later
// Where the sky lands on the star disc: the polar, equidistant projection
// with the visible celestial pole at the centre, and the small numeric helpers
// the drawing code shares. Right ascension in hours, declination and latitude
// in degrees; angles handed to trigonometry in radians. Disc coordinates run
// from -1 to 1 with y upward; the sky ends at the limit circle of radius 0.89.
#pragma once

#include <array>

namespace caelora {

constexpr double kHoursToRadians = 0.2617993877991;
constexpr double kDegreesToRadians = 0.0174532925199433;
constexpr double kRadiansToDegrees = 57.2957795130823;
constexpr double kHalfPi = 1.570796326795;
constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;
constexpr double kLimitRadius = 0.89;

// A point of the sky: right ascension in hours (it may exceed 24; the
// projection does not mind), declination in degrees.
struct EquatorialPoint {
  double raHours = 0;
  double decDeg = 0;
};

// ProjectToDisc with its three results. The limit circle, where the circle
// of declination that touches the horizon lands, lies at `limitRadius`: the
// screen's disc units put it at 0.89 of the rim; the page form of the
// projection works in half page widths and puts it at 0.8. A projection
// that falls off the disc keeps the previous position, so a caller that
// draws without testing (the horizon curve) reuses the last point, as the
// chart always has.
class DiscProjector {
 public:
  explicit DiscProjector(int latitudeDegrees, double limitRadius = kLimitRadius)
      : latitude_(latitudeDegrees), limitRadius_(limitRadius) {}

  // Projects (ra hours, dec degrees); returns OnDisc.
  bool project(double ra, double dec);
  // The same formulas without the declination test; OnDisc is left alone.
  void projectUnbounded(double ra, double dec);

  double x() const { return x_; }
  double y() const { return y_; }
  bool onDisc() const { return onDisc_; }
  int latitude() const { return latitude_; }
  double limitRadius() const { return limitRadius_; }

 private:
  // The distance from the centre of a point at declination dec.
  float radius(double dec) const;

  int latitude_;
  double limitRadius_;
  double x_ = 0;
  double y_ = 0;
  bool onDisc_ = false;
};

struct DiscPoint {
  double x = 0;
  double y = 0;
  bool onDisc = false;  // false: x and y are not a position on the disc
};

// One projection without shared state; an off-disc result has onDisc false
// and x = y = 0.
DiscPoint ProjectToDisc(double ra, double dec, int latitudeDegrees);

// Arcsine through the arctangent; 1.570796326795 wherever it cannot be
// evaluated (|x| >= 1).
double ArcSine(float x);

// Counter-clockwise angle from +x of the direction (a, -b), in [0, 2 pi),
// computed in single precision. Callers pass (x, -y) for a point (x, y).
float PolarAngle(float a, float b);
// The same in double precision, without the final modulo step.
double PolarAngleD(double a, double b);

struct Circle {
  float cx = 0;
  float cy = 0;
  float r = 0;
};
// Centre and radius of the circle through three points (single precision).
Circle CircleThroughPoints(float x1, float y1, float x2, float y2, float x3, float y3);


}  // namespace caelora
