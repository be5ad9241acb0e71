// SPDX-License-Identifier: GPL-2.0-or-later
// The places of the Sun, the Moon and the planets through ERFA.
#include <erfa.h>

#include <algorithm>
#include <cmath>

#include "sky/ephemeris.h"
#include "sky/geometry.h"
#include "sky/sky_time.h"

namespace caelora {
namespace {

constexpr double kAuPerDayLight = 173.1446326846693;  // the speed of light, au a day
constexpr double kSecondsPerDay = 86400;

// Terrestrial Time as a two-part Julian date: UTC plus the leap seconds
// in force and 32.184 s (the leap seconds before 1960 and after the last
// one announced are taken as the nearest known).
void terrestrialTime(double unixSeconds, double& jd1, double& jd2) {
  const CivilTime c = civilFromUnix(static_cast<std::int64_t>(std::floor(unixSeconds)));
  const int year = std::clamp(c.year, 1960, 2100);
  double leap = 0;
  if (eraDat(year, c.year == year ? c.month : 1, c.year == year ? c.day : 1, 0.5, &leap) < 0) leap = 37;
  jd1 = 2440587.5;
  jd2 = (unixSeconds + leap + 32.184) / kSecondsPerDay;
}

struct EarthState {
  double helio[3];   // heliocentric position, au
  double bary[3];    // barycentric position
  double velocity[3];  // barycentric velocity, au a day
};

EarthState earthAt(double jd1, double jd2) {
  double pvh[2][3], pvb[2][3];
  eraEpv00(jd1, jd2, pvh, pvb);
  EarthState e{};
  for (int i = 0; i < 3; ++i) {
    e.helio[i] = pvh[0][i];
    e.bary[i] = pvb[0][i];
    e.velocity[i] = pvb[1][i];
  }
  return e;
}

// The heliocentric position of a body (au) at a Terrestrial Time; the Sun
// stands at the origin.
void heliocentric(Body body, double jd1, double jd2, double out[3]) {
  if (body == Body::Sun) {
    out[0] = out[1] = out[2] = 0;
    return;
  }
  double pv[2][3];
  eraPlan94(jd1, jd2, static_cast<int>(body) - static_cast<int>(Body::Mercury) + 1 + (body >= Body::Mars ? 1 : 0),
            pv);
  eraCp(pv[0], out);
}

// The direction from the Earth to the body as light left it, then turned
// by the aberration of the Earth's motion.
BodyPlace apparent(Body body, double geocentric[3], EarthState earth) {
  double distance = 0, unit[3];
  eraPn(geocentric, &distance, unit);
  double v[3];
  for (int i = 0; i < 3; ++i) v[i] = earth.velocity[i] / kAuPerDayLight;
  const double sunDistance = eraPm(earth.helio);
  const double bm1 = std::sqrt(1 - eraPdp(v, v));
  double seen[3];
  eraAb(unit, v, sunDistance, bm1, seen);
  double ra = 0, dec = 0;
  eraC2s(seen, &ra, &dec);
  return {body, eraAnp(ra) / kHoursToRadians, dec * kRadiansToDegrees};
}

class ErfaEphemeris : public Ephemeris {
 public:
  std::array<BodyPlace, 9> placesAt(double unixSeconds) const override {
    double jd1 = 0, jd2 = 0;
    terrestrialTime(unixSeconds, jd1, jd2);
    const EarthState earth = earthAt(jd1, jd2);
    std::array<BodyPlace, 9> places{};
    for (std::size_t i = 0; i < kBodies.size(); ++i) places[i] = placeOf(kBodies[i], jd1, jd2, earth);
    return places;
  }

 private:
  static BodyPlace placeOf(Body body, double jd1, double jd2, const EarthState& earth) {
    double geocentric[3];
    if (body == Body::Moon) {
      double pv[2][3];
      eraMoon98(jd1, jd2, pv);
      // Light takes 1.3 s from the Moon: its place then.
      const double lightTime = eraPm(pv[0]) / kAuPerDayLight;
      for (int i = 0; i < 3; ++i) geocentric[i] = pv[0][i] - pv[1][i] * lightTime;
      return apparent(body, geocentric, earth);
    }
    // The body where it was when the light now arriving left it.
    double lightTime = 0;
    for (int pass = 0; pass < 3; ++pass) {
      double position[3];
      heliocentric(body, jd1, jd2 - lightTime, position);
      for (int i = 0; i < 3; ++i) geocentric[i] = position[i] - earth.helio[i];
      lightTime = eraPm(geocentric) / kAuPerDayLight;
    }
    return apparent(body, geocentric, earth);
  }
};

}  // namespace

const char* bodyKey(Body body) {
  switch (body) {
    case Body::Sun: return "Sun";
    case Body::Moon: return "Moon";
    case Body::Mercury: return "Mercury";
    case Body::Venus: return "Venus";
    case Body::Mars: return "Mars";
    case Body::Jupiter: return "Jupiter";
    case Body::Saturn: return "Saturn";
    case Body::Uranus: return "Uranus";
    case Body::Neptune: return "Neptune";
  }
  return "";
}

std::unique_ptr<Ephemeris> erfaEphemeris() { return std::make_unique<ErfaEphemeris>(); }

MoonPhase moonPhase(const BodyPlace& sun, const BodyPlace& moon) {
  const double a0 = sun.raHours * kHoursToRadians, d0 = sun.decDeg * kDegreesToRadians;
  const double a = moon.raHours * kHoursToRadians, d = moon.decDeg * kDegreesToRadians;
  // The Sun's elongation from the Moon; the Sun is so far that the phase
  // angle is its supplement.
  const double elongation = std::acos(std::sin(d0) * std::sin(d) + std::cos(d0) * std::cos(d) * std::cos(a0 - a));
  MoonPhase phase;
  phase.litFraction = (1 - std::cos(elongation)) / 2;
  phase.brightLimbDeg = std::atan2(std::cos(d0) * std::sin(a0 - a),
                                   std::sin(d0) * std::cos(d) - std::cos(d0) * std::sin(d) * std::cos(a0 - a)) *
                        kRadiansToDegrees;
  return phase;
}

}  // namespace caelora
