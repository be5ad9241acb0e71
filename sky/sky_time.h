// SPDX-License-Identifier: GPL-2.0-or-later
// The sky at a time: sidereal time, the turn of the disc for an instant and
// the instant for a turn, and the civil dates and times the chart shows.
// Instants are seconds since 1970-01-01 00:00 UTC as computer clocks count
// them (no leap seconds); UT1 is taken as UTC, which it follows within a
// second. Time zones are the edge's business: the core takes an offset.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace caelora {

// Sidereal days per solar day.
constexpr double kSiderealRate = 1.00273790935;

double julianDate(double unixSeconds);

// Greenwich mean sidereal time, hours 0..24: the IAU 1982 expression in
// UT1.
double greenwichMeanSiderealHours(double unixSeconds);

// Local mean sidereal time at a longitude (degrees east), hours 0..24.
double localSiderealHours(double unixSeconds, double longitudeDeg);

// The right ascension (hours, J2000, the frame of the chart's stars) of
// the zenith: the local sidereal time of the equinox of date carried back
// to 2000 by the precession (IAU 1976) at the place's declination.
double zenithRaJ2000Hours(double unixSeconds, double longitudeDeg, int latitudeDegrees);

// The turn of the disc (degrees counter-clockwise, 0..360) that puts the sky
// of the instant under the mask's window: the zenith's right ascension on
// the meridian, which the unturned disc holds at 6 h.
double discAngleFor(double unixSeconds, double longitudeDeg, int latitudeDegrees);

// The first instant at or after `fromUnixSeconds` at which the disc turned
// by `discAngleDeg` shows the sky: the reverse of discAngleFor, within a
// second.
double instantForDiscAngle(double discAngleDeg, double longitudeDeg, int latitudeDegrees, double fromUnixSeconds);

// How far the disc turns (degrees counter-clockwise) while `seconds` pass,
// at the mean rate (the precession at the zenith varies it by under a per
// cent over a day).
double discTurnFor(double seconds, int latitudeDegrees);

// A date and time on a clock, proleptic Gregorian.
struct CivilTime {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  bool operator==(const CivilTime& o) const {
    return year == o.year && month == o.month && day == o.day && hour == o.hour && minute == o.minute &&
           second == o.second;
  }
};
CivilTime civilFromUnix(std::int64_t seconds);
std::int64_t unixFromCivil(const CivilTime& civil);

// A time as given on a command line: "YYYY-MM-DDTHH:MM" (seconds may
// follow), read as the place's zone time, or with "Z" or "+hh:mm"/"-hh:mm"
// as that offset from UTC. None for a text that is not such a time.
struct GivenTime {
  CivilTime civil;
  std::optional<int> offsetSeconds;
};
std::optional<GivenTime> parseGivenTime(const std::string& text);

// What the chart needs to know of a time zone; the edge asks the zone's
// rules for it. An empty name is local mean time.
struct TimeZoneFacts {
  std::string name;                // IANA name, "Europe/Prague"
  double standardOffsetHours = 0;  // winter time's offset from UTC
  bool keepsSummerTime = false;    // this year
};

// The hour scale of the mask reads zone time when turned by (longitude -
// zone meridian) degrees the way the hours grow; 0 without a longitude or
// a zone.
double hourScaleTurnDeg(const std::optional<double>& longitudeDeg, const TimeZoneFacts& zone);

// "8 December 2026 21:30 CET" in the words of the language file (section
// "Sky_Time"); `zone` is the zone's abbreviation, or empty for local mean
// time, which the text then names.
std::string chartTimeText(const CivilTime& local, const std::string& zone, const std::string& languageFile);

}  // namespace caelora
