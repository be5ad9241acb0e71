// SPDX-License-Identifier: GPL-2.0-or-later
// The projection of the sky onto the disc and the small numeric helpers.
#include "sky/geometry.h"

#include <cmath>

namespace caelora {
namespace {

// VB-style Sgn.
template <typename T>
int sign(T v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

}  // namespace

// North: the distance grows from the north pole; south: from the south pole.
float DiscProjector::radius(double dec) const {
  const int lat = latitude_;
  if (lat > 0) return static_cast<float>((90 - dec) * limitRadius_ / (180 - lat));
  return static_cast<float>((dec + 90) * limitRadius_ / (lat + 180));
}

bool DiscProjector::project(double ra, double dec) {
  const int lat = latitude_;
  if (lat > 0 ? dec < lat - 90 : dec > lat + 90) {
    onDisc_ = false;
    return false;
  }
  projectUnbounded(ra, dec);
  onDisc_ = true;
  return true;
}

// Hours run clockwise in the north and counter-clockwise in the south.
void DiscProjector::projectUnbounded(double ra, double dec) {
  const double h = ra * kHoursToRadians;
  const float r = radius(dec);
  x_ = (latitude_ > 0 ? std::cos(h) : -std::cos(h)) * r;
  y_ = -std::sin(h) * r;
}

DiscPoint ProjectToDisc(double ra, double dec, int latitudeDegrees) {
  DiscProjector p(latitudeDegrees);
  if (!p.project(ra, dec)) return {};
  return {p.x(), p.y(), true};
}

double ArcSine(float x) {
  const float rest = 1.0f - x * x;
  if (!(rest > 0.0f)) return kHalfPi;
  return std::atan(static_cast<double>(x) / std::sqrt(static_cast<double>(rest)));
}

float PolarAngle(float a, float b) {
  double t;
  if (b != 0.0f) {
    t = std::atan(static_cast<double>(a / b)) + (1 - sign(b)) * kHalfPi;
  } else if (a != 0.0f) {
    t = sign(a) * kHalfPi;
  } else {
    t = kPi / 4;
  }
  const float t1 = static_cast<float>(t);
  const float t2 = static_cast<float>(static_cast<double>(t1) - kHalfPi);
  const double q = t2 / kTwoPi;
  float result = static_cast<float>((q - std::floor(q)) * kTwoPi);
  if (result < 0) result = static_cast<float>(result + kTwoPi);
  return result;
}

double PolarAngleD(double a, double b) {
  double t;
  if (b != 0.0) {
    t = std::atan(a / b) + (1 - sign(b)) * kHalfPi;
  } else if (a != 0.0) {
    t = sign(a) * kHalfPi;
  } else {
    t = kPi / 4;
  }
  t -= kHalfPi;
  if (t < 0) t += kTwoPi;
  return t;
}

Circle CircleThroughPoints(float x1, float y1, float x2, float y2, float x3, float y3) {
  const float mx1 = (x1 + x2) / 2, my1 = (y1 + y2) / 2, dx1 = x2 - x1, t1 = -(y2 - y1);
  const float mx2 = (x2 + x3) / 2, my2 = (y2 + y3) / 2, dx2 = x3 - x2, t2 = -(y3 - y2);
  Circle c;
  c.cx = (mx2 * t1 * dx2 + t1 * my1 * t2 - t2 * (mx1 * dx1) - t2 * (t1 * my2)) /
         (t1 * dx2 - t2 * dx1);
  c.cy = my1 + dx1 * (c.cx - mx1) / t1;
  c.r = std::sqrt((c.cx - x1) * (c.cx - x1) + (c.cy - y1) * (c.cy - y1));
  return c;
}

}  // namespace caelora
