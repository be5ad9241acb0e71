// SPDX-License-Identifier: GPL-2.0-or-later
// The Sun, the Moon and the planets at an instant: where they stand in the
// chart's frame (J2000), and how much of the Moon is lit. An instant in,
// places out; the library that computes them stays behind this interface.
#pragma once

#include <array>
#include <memory>
#include <string>

namespace caelora {

enum class Body { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune };
constexpr std::array<Body, 9> kBodies = {Body::Sun,     Body::Moon,   Body::Mercury, Body::Venus,  Body::Mars,
                                         Body::Jupiter, Body::Saturn, Body::Uranus,  Body::Neptune};

// The body's name as the language file's section "Planets" keys it.
const char* bodyKey(Body body);

struct BodyPlace {
  Body body = Body::Sun;
  double raHours = 0;  // apparent geocentric place, carried back to the J2000 frame
  double decDeg = 0;
};

// The Moon's phase: the lit fraction of its disc, and the position angle
// (degrees from celestial north through east) of the middle of its bright
// limb, which faces the Sun.
struct MoonPhase {
  double litFraction = 0;
  double brightLimbDeg = 0;
};

class Ephemeris {
 public:
  virtual ~Ephemeris() = default;
  // Every body of kBodies, in that order, at the instant (seconds since
  // 1970-01-01 00:00 UTC).
  virtual std::array<BodyPlace, 9> placesAt(double unixSeconds) const = 0;
};

// The places from the IAU's ERFA routines: the Earth from eraEpv00, the
// planets from eraPlan94, the Moon from eraMoon98, each seen across the
// light time and moved by the aberration of the Earth's motion.
std::unique_ptr<Ephemeris> erfaEphemeris();

// The phase of the Moon from the places of the Sun and the Moon.
MoonPhase moonPhase(const BodyPlace& sun, const BodyPlace& moon);

}  // namespace caelora
