// SPDX-License-Identifier: GPL-2.0-or-later
// Zone clocks across the daylight-saving changes of 2026 (Prague: 29 March
// and 25 October at 01:00 UTC; New York: 8 March and 1 November at 02:00
// local time), and zone times the clocks skip or pass twice.
#include "chart/time_zone.h"

#include <gtest/gtest.h>

namespace caelora {
namespace {

double at(int year, int month, int day, int hour, int minute) {
  return static_cast<double>(unixFromCivil({year, month, day, hour, minute, 0}));
}

TEST(TimeZone, OffsetsAndAbbreviationsEitherSideOfTheChanges) {
  struct Case {
    const char* zone;
    double utc;
    int offsetHours;
    bool summer;
  };
  const Case cases[] = {{"Europe/Prague", at(2026, 3, 29, 0, 59), 1, false},
                        {"Europe/Prague", at(2026, 3, 29, 1, 0), 2, true},
                        {"Europe/Prague", at(2026, 10, 25, 0, 59), 2, true},
                        {"Europe/Prague", at(2026, 10, 25, 1, 0), 1, false},
                        {"America/New_York", at(2026, 3, 8, 6, 59), -5, false},
                        {"America/New_York", at(2026, 3, 8, 7, 0), -4, true},
                        {"America/New_York", at(2026, 11, 1, 5, 59), -4, true},
                        {"America/New_York", at(2026, 11, 1, 6, 0), -5, false}};
  for (const Case& c : cases) {
    const ZoneClock clock = zoneClockAt(c.zone, 0, c.utc);
    EXPECT_EQ(clock.offsetSeconds, c.offsetHours * 3600) << c.zone << " " << c.utc;
    EXPECT_EQ(clock.summerTime, c.summer) << c.zone << " " << c.utc;
  }
  EXPECT_EQ(zoneClockAt("Europe/Prague", 14.4, at(2026, 1, 15, 20, 0)).abbreviation, "CET");
  // Without a zone, the clock is the place's mean time: 4 minutes a degree.
  EXPECT_EQ(zoneClockAt("", 14.4, at(2026, 1, 15, 20, 0)).offsetSeconds, 3456);
}

TEST(TimeZone, ZoneTimesTheClocksSkipOrPassTwice) {
  const auto resolve = [](const char* zone, CivilTime t) { return resolveZoneTime(zone, 0, t); };
  const ZoneInstant evening = resolve("Europe/Prague", {2026, 1, 15, 21, 0, 0});
  EXPECT_EQ(evening.kind, ZoneInstant::Kind::Exact);
  EXPECT_EQ(evening.unixSeconds, at(2026, 1, 15, 20, 0));
  EXPECT_EQ(resolve("Europe/Prague", {2026, 3, 29, 2, 30, 0}).kind, ZoneInstant::Kind::Missing);
  const ZoneInstant twice = resolve("Europe/Prague", {2026, 10, 25, 2, 30, 0});
  EXPECT_EQ(twice.kind, ZoneInstant::Kind::Twice);
  EXPECT_EQ(twice.unixSeconds, at(2026, 10, 25, 0, 30));  // the first, in summer time
  EXPECT_EQ(resolve("America/New_York", {2026, 3, 8, 2, 30, 0}).kind, ZoneInstant::Kind::Missing);
  EXPECT_EQ(resolve("America/New_York", {2026, 11, 1, 1, 30, 0}).kind, ZoneInstant::Kind::Twice);
  EXPECT_EQ(resolve("America/New_York", {2026, 7, 15, 22, 0, 0}).unixSeconds, at(2026, 7, 16, 2, 0));
}

TEST(TimeZone, FactsOfAZoneForTheHourScale) {
  const TimeZoneFacts prague = timeZoneFacts("Europe/Prague", at(2026, 12, 8, 12, 0));
  EXPECT_EQ(prague.standardOffsetHours, 1);
  EXPECT_TRUE(prague.keepsSummerTime);
  EXPECT_NEAR(hourScaleTurnDeg(14.4, prague), -0.6, 1e-9);
  EXPECT_FALSE(timeZoneFacts("Asia/Tokyo", at(2026, 12, 8, 12, 0)).keepsSummerTime);
  EXPECT_TRUE(timeZoneFacts("Europe/Atlantis", 0).name.empty());
  EXPECT_EQ(hourScaleTurnDeg(14.4, TimeZoneFacts{}), 0);  // local mean time
}

}  // namespace
}  // namespace caelora
