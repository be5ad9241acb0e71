// Where the sky lands on the star disc: the polar, equidistant projection
// with the visible celestial pole at the centre, and the small numeric helpers
// the drawing code shares. Right ascension in hours, declination and latitude
// in degrees; angles handed to trigonometry in radians. Disc coordinates run
// from -1 to 1 with y upward; the sky ends at the limit circle of radius 0.89.
#pragma once

#include <array>
#include <string>

namespace caelora {

constexpr double kHoursToRadians = 0.2617993877991;
constexpr double kDegreesToRadians = 0.0174532925199433;
constexpr double kRadiansToDegrees = 57.2957795130823;
constexpr double kHalfPi = 1.570796326795;
constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;
constexpr double kLimitRadius = 0.89;

// ProjectToDisc with its three results. A projection that falls off the disc
// keeps the previous position, so a caller that draws without testing (the
// horizon curve) reuses the last point, as the chart always has.
class DiscProjector {
 public:
  explicit DiscProjector(int latitudeDegrees) : latitude_(latitudeDegrees) {}

  // Projects (ra hours, dec degrees); returns OnDisc.
  bool project(double ra, double dec);
  // The same formulas without the declination test; OnDisc is left alone.
  void projectUnbounded(double ra, double dec);

  double x() const { return x_; }
  double y() const { return y_; }
  bool onDisc() const { return onDisc_; }
  int latitude() const { return latitude_; }

 private:
  int latitude_;
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

// The horizon as it lies on the fixed mask: 121 points (x, y) in indices
// 0..241, 242..250 zero. Point 120 equals point 0 within rounding.
std::array<float, 251> HorizonOutline(int latitudeDegrees);

// A number for a PDF content stream: rounded to `decimals` places (ties to
// even), shortest form, "." as decimal separator whatever the locale.
std::string FormatPdfNumber(double value, int decimals);

}  // namespace caelora
