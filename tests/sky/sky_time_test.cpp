// SPDX-License-Identifier: GPL-2.0-or-later
// The chart's clock against an independent library (tests/fixtures/sky_time.txt,
// written by tools/make_sky_time_fixture.js): sidereal time, and the stars
// that stand above and below the horizon in the window of the turned disc.
#include "sky/sky_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "sky/chart_geometry.h"
#include "sky/stars.h"

namespace caelora {
namespace {

const std::string kFixture = std::string(CAELORA_TEST_DIR) + "/../fixtures/sky_time.txt";

std::vector<std::string> fixtureLines(const std::string& kind) {
  std::ifstream in(kFixture);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (line.rfind(kind + " ", 0) == 0) lines.push_back(line.substr(kind.size() + 1));
  return lines;
}

TEST(SkyTime, GreenwichMeanSiderealTimeWithinHalfASecond) {
  const auto lines = fixtureLines("gmst");
  ASSERT_EQ(lines.size(), 300u);
  for (const std::string& line : lines) {
    std::istringstream in(line);
    double unix = 0, hours = 0;
    in >> unix >> hours;
    EXPECT_NEAR(std::remainder(greenwichMeanSiderealHours(unix) - hours, 24) * 3600, 0, 0.5) << line;
  }
}

// Even-odd test of a point against the horizon window's outline.
bool inWindow(const DiscPoint& p, const std::array<float, 251>& outline) {
  bool inside = false;
  for (int i = 0, j = 238; i <= 238; j = i, i += 2) {
    const double xi = outline[i], yi = outline[i + 1], xj = outline[j], yj = outline[j + 1];
    if ((yi > p.y) != (yj > p.y) && p.x < (xj - xi) * (p.y - yi) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
}

TEST(SkyTime, StarsAboveTheHorizonShowInTheWindowOfTheTurnedDisc) {
  std::vector<StarRecord> bright;
  for (const StarRecord& star : readStarCatalogue(std::string(CAELORA_SOURCE_DATA_DIR) + "/yale.dat"))
    if (star.mag < 3.5) bright.push_back(star);
  const auto lines = fixtureLines("sky");
  ASSERT_GE(lines.size(), 30u);
  int checked = 0;
  for (const std::string& line : lines) {
    std::istringstream in(line);
    int latitude = 0;
    double longitude = 0, unix = 0;
    std::string altitudes;
    in >> latitude >> longitude >> unix >> altitudes;
    const double turn = discAngleFor(unix, longitude, latitude) * kDegreesToRadians;
    const auto outline = HorizonOutline(latitude);
    std::istringstream list(altitudes);
    for (const StarRecord& star : bright) {
      double altitude = 0;
      list >> altitude;
      list.ignore(1);
      if (std::fabs(altitude) <= 3) continue;
      const DiscPoint p = ProjectToDisc(star.ra, star.dec, latitude);
      const DiscPoint turned{p.x * std::cos(turn) - p.y * std::sin(turn), p.x * std::sin(turn) + p.y * std::cos(turn), true};
      EXPECT_EQ(p.onDisc && inWindow(turned, outline), altitude > 0)
          << line.substr(0, 30) << " star at " << star.ra << " h " << star.dec << " altitude " << altitude;
      ++checked;
    }
  }
  EXPECT_GT(checked, 5000);
}

// The star that Astronomy Engine puts nearest the zenith stands at its
// zenith distance from the horizon grid's zenith on the turned disc (the
// projection keeps distances only along hour circles: across them it
// stretches them by up to a third at these latitudes).
TEST(SkyTime, TheGridsZenithIsWhereTheSkysZenithIs) {
  std::vector<StarRecord> bright;
  for (const StarRecord& star : readStarCatalogue(std::string(CAELORA_SOURCE_DATA_DIR) + "/yale.dat"))
    if (star.mag < 3.5) bright.push_back(star);
  int checked = 0;
  for (const std::string& line : fixtureLines("sky")) {
    std::istringstream in(line);
    int latitude = 0;
    double longitude = 0, unix = 0;
    std::string altitudes;
    in >> latitude >> longitude >> unix >> altitudes;
    std::istringstream list(altitudes);
    double highest = -90;
    const StarRecord* top = nullptr;
    for (const StarRecord& star : bright) {
      double altitude = 0;
      list >> altitude;
      list.ignore(1);
      if (altitude > highest) highest = altitude, top = &star;
    }
    if (highest < 84) continue;
    DiscProjector projector(latitude);
    const DiscPoint zenith = horizonGrid(projector).zenith;
    const double turn = discAngleFor(unix, longitude, latitude) * kDegreesToRadians;
    const DiscPoint p = ProjectToDisc(top->ra, top->dec, latitude);
    const double x = p.x * std::cos(turn) - p.y * std::sin(turn), y = p.x * std::sin(turn) + p.y * std::cos(turn);
    const double perDegree = kLimitRadius / (180 - std::abs(latitude));
    const double apart = std::hypot(x - zenith.x, y - zenith.y) / perDegree;
    EXPECT_GE(apart, 90 - highest - 0.3) << line.substr(0, 30);
    EXPECT_LE(apart, (90 - highest) * 1.35 + 0.3) << line.substr(0, 30);
    ++checked;
  }
  EXPECT_GT(checked, 3);
}

TEST(SkyTime, TurnAndInstantAreEachOthersReverse) {
  for (int latitude : {50, -34, 80, -25}) {
    for (double unix : {631152000.0, 1768507200.0, 2840140800.0}) {  // 1990, 2026, 2060
      const double angle = discAngleFor(unix, 14.4, latitude);
      const double back = instantForDiscAngle(angle, 14.4, latitude, unix - 5 * 3600);
      EXPECT_NEAR(back, unix, 1) << latitude;
      // From just after it, the same sky comes back a sidereal day later.
      EXPECT_NEAR(instantForDiscAngle(angle, 14.4, latitude, unix + 10) - unix, 86400 / kSiderealRate, 1);
      // The mean rate, within what the precession at the zenith varies it by.
      EXPECT_NEAR(std::remainder(discAngleFor(unix + 600, 14.4, latitude) - angle, 360) / discTurnFor(600, latitude), 1,
                  0.06);
    }
  }
}

TEST(CivilTime, ReadsTimesAsGivenAndRefusesTheRest) {
  const auto given = parseGivenTime("2026-01-15T21:00");
  ASSERT_TRUE(given);
  EXPECT_EQ(given->civil, (CivilTime{2026, 1, 15, 21, 0, 0}));
  EXPECT_FALSE(given->offsetSeconds);
  EXPECT_EQ(parseGivenTime("2026-07-15T22:00Z")->offsetSeconds, 0);
  EXPECT_EQ(parseGivenTime("2026-07-15T22:00:30-04:00")->offsetSeconds, -4 * 3600);
  EXPECT_EQ(parseGivenTime("2024-02-29T00:00+05:30")->offsetSeconds, 5 * 3600 + 1800);
  for (const char* bad : {"", "2026-01-15", "2026-1-15T21:00", "2026-02-29T10:00", "2026-01-15T24:00",
                          "2026-01-15T21:60", "2026-01-15 21:00", "2026-01-15T21:00+5", "2026-01-15T21:00CET"})
    EXPECT_FALSE(parseGivenTime(bad)) << bad;
  for (const std::int64_t t : {std::int64_t{0}, std::int64_t{951782400}, std::int64_t{-86401}, std::int64_t{4102444799}})
    EXPECT_EQ(unixFromCivil(civilFromUnix(t)), t);
  EXPECT_EQ(civilFromUnix(1768510800), (CivilTime{2026, 1, 15, 21, 0, 0}));
}

TEST(CivilTime, ChartTimeTextInTheLanguageOfTheFile) {
  const std::string data = CAELORA_SOURCE_DATA_DIR;
  const CivilTime evening{2026, 12, 8, 21, 30, 0};
  EXPECT_EQ(chartTimeText(evening, "CET", data + "/english.lng"), "8 Dec 2026 21:30 CET");
  EXPECT_EQ(chartTimeText(evening, "", data + "/czech.lng"), "8. prosince 2026 21:30 m\xEDstn\xED st\xF8" "edn\xED \xE8" "as");
}

}  // namespace
}  // namespace caelora
