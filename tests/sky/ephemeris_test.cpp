// SPDX-License-Identifier: GPL-2.0-or-later
// The places of the Sun, the Moon and the planets against an independent
// library (tests/fixtures/ephemeris.txt, written by
// tools/make_ephemeris_fixture.js with astronomy-engine): 300 instants from
// 1950 to 2100.
#include "sky/ephemeris.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "sky/geometry.h"
#include "sky/messier.h"
#include "sky/planets.h"

namespace caelora {
namespace {

double arcMinutesApart(double ra1, double dec1, double ra2, double dec2) {
  const double a1 = ra1 * kHoursToRadians, d1 = dec1 * kDegreesToRadians;
  const double a2 = ra2 * kHoursToRadians, d2 = dec2 * kDegreesToRadians;
  const double c = std::sin(d1) * std::sin(d2) + std::cos(d1) * std::cos(d2) * std::cos(a1 - a2);
  return std::acos(std::fmin(1.0, c)) * kRadiansToDegrees * 60;
}

TEST(Ephemeris, PlacesWithinTwoArcMinutesAndTheMoonWithinFive) {
  std::ifstream in(std::string(CAELORA_TEST_DIR) + "/../fixtures/ephemeris.txt");
  const std::unique_ptr<Ephemeris> ephemeris = erfaEphemeris();
  std::map<Body, double> worst;
  double worstLit = 0;
  int instants = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    double unix = 0;
    fields >> unix;
    const std::array<BodyPlace, 9> places = ephemeris->placesAt(unix);
    for (const BodyPlace& place : places) {
      double ra = 0, dec = 0;
      fields >> ra >> dec;
      worst[place.body] = std::fmax(worst[place.body], arcMinutesApart(place.raHours, place.decDeg, ra, dec));
    }
    double lit = 0;
    fields >> lit;
    worstLit = std::fmax(worstLit, std::fabs(moonPhase(places[0], places[1]).litFraction - lit));
    ++instants;
  }
  EXPECT_EQ(instants, 300);
  for (const auto& [body, error] : worst) {
    EXPECT_LT(error, body == Body::Moon ? 5 : 2) << bodyKey(body);
    std::printf("%-8s largest error %.2f'\n", bodyKey(body), error);
  }
  EXPECT_LT(worstLit, 0.01);
  std::printf("Moon's lit fraction: largest error %.4f\n", worstLit);
}

// The sky over Prague on 15 January 2026 at 21:00: every body drawn on the
// disc stands within two pixels (of a 900-pixel chart) of where the other
// library puts it.
TEST(Ephemeris, BodiesStandOnTheDiscWhereTheOtherLibraryPutsThem) {
  std::ifstream in(std::string(CAELORA_TEST_DIR) + "/../fixtures/ephemeris.txt");
  std::string line;
  std::getline(in, line);  // the heading
  std::getline(in, line);  // the Prague evening comes first
  std::istringstream fields(line);
  double unix = 0;
  fields >> unix;
  ChartSetup setup;
  setup.instant = unix;
  const DisplayList list = LoadPlanets(setup, *erfaEphemeris());
  std::vector<std::pair<float, float>> drawn;  // the dots, and the Moon's centre
  for (std::size_t i = 0; i + 1 < list.commands().size(); ++i) {
    const GlCommand& c = list.commands()[i];
    if (c.op == GlCommand::Op::Begin && (c.primitive == Primitive::Points || c.primitive == Primitive::TriangleFan))
      drawn.emplace_back(list.commands()[i + 1].a, list.commands()[i + 1].b);
  }
  std::size_t k = 0;
  for (int body = 0; body < 9; ++body) {
    double ra = 0, dec = 0;
    fields >> ra >> dec;
    const DiscPoint p = ProjectToDisc(ra, dec, 50);
    if (!p.onDisc) continue;
    ASSERT_LT(k, drawn.size());
    EXPECT_LT(std::hypot(drawn[k].first - p.x, drawn[k].second - p.y), 2.0 / 450) << bodyKey(kBodies[body]);
    ++k;
  }
  EXPECT_EQ(k, drawn.size());
  EXPECT_GE(k, 6u);
}

// The Messier objects drawn down to a limit, against the file's lines
// counted here (at 50 north the sky north of -40 is on the disc).
TEST(Messier, ObjectsDrawnDownToTheirOwnLimit) {
  const std::string data = CAELORA_SOURCE_DATA_DIR;
  ChartSetup setup;
  setup.programFolder = data;
  for (const double limit : {6.0, 8.0, 10.0}) {
    setup.settings.messierLimit = limit;
    std::ifstream in(data + "/messier.dat");
    int listed = 0;
    for (std::string line; std::getline(in, line);) {
      int number = 0, kind = 0, ra = 0, dec = 0, mag = 0;
      if (std::sscanf(line.c_str(), "%d,%d,%d,%d,%d", &number, &kind, &ra, &dec, &mag) == 5)
        listed += mag / 100.0 <= limit && dec >= -4000;
    }
    int symbols = 0;
    const DisplayList list = LoadMessier(setup);
    for (const GlCommand& c : list.commands())
      symbols += c.op == GlCommand::Op::Begin && c.primitive == Primitive::LineLoop;
    EXPECT_EQ(symbols, listed) << limit;
  }
}

// The bright limb faces the Sun: at the first quarter (the Sun 90 degrees
// west of the Moon along the equator) it looks west, half the disc lit.
TEST(Ephemeris, TheBrightLimbFacesTheSun) {
  const MoonPhase firstQuarter = moonPhase({Body::Sun, 0, 0}, {Body::Moon, 6, 0});
  EXPECT_NEAR(firstQuarter.litFraction, 0.5, 1e-9);
  EXPECT_NEAR(firstQuarter.brightLimbDeg, -90, 1e-6);  // position angle 270: west
  EXPECT_NEAR(moonPhase({Body::Sun, 0, 0}, {Body::Moon, 12, 0}).litFraction, 1, 1e-9);
}

}  // namespace
}  // namespace caelora
