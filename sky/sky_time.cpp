// SPDX-License-Identifier: GPL-2.0-or-later
// Sidereal time, the disc's turn for an instant, and civil times.
#include "sky/sky_time.h"

#include <charconv>
#include <cmath>

#include "i18n/language.h"
#include "sky/geometry.h"

namespace caelora {
namespace {

constexpr double kUnixJ2000 = 946728000;  // 2000-01-01 12:00 UTC
constexpr double kSecondsPerDay = 86400;
constexpr double kArcsecondsToRadians = kDegreesToRadians / 3600;

double wrap(double value, double period) {
  const double r = std::fmod(value, period);
  return r < 0 ? r + period : r;
}

// A point of the equator of date carried back to J2000: the inverse of
// the precession rotation R3(-z) R2(theta) R3(-zeta).
struct RaDec {
  double raRad;
  double decRad;
};
RaDec precessToJ2000(RaDec ofDate, double centuries) {
  const double t = centuries;
  const double zeta = (2306.2181 + (0.30188 + 0.017998 * t) * t) * t * kArcsecondsToRadians;
  const double z = (2306.2181 + (1.09468 + 0.018203 * t) * t) * t * kArcsecondsToRadians;
  const double theta = (2004.3109 - (0.42665 + 0.041833 * t) * t) * t * kArcsecondsToRadians;
  const double a = ofDate.raRad - z;
  const double cosDec = std::cos(ofDate.decRad), sinDec = std::sin(ofDate.decRad);
  const double x = std::cos(theta) * cosDec * std::cos(a) + std::sin(theta) * sinDec;
  const double y = cosDec * std::sin(a);
  const double w = -std::sin(theta) * cosDec * std::cos(a) + std::cos(theta) * sinDec;
  return {std::atan2(y, x) - zeta, std::asin(std::fmax(-1.0, std::fmin(1.0, w)))};
}

// Degrees the disc turns per second of time: counter-clockwise in the
// north, where the hours of the disc run clockwise.
double turnRate(int latitudeDegrees) {
  const double rate = 360 * kSiderealRate / kSecondsPerDay;
  return latitudeDegrees > 0 ? rate : -rate;
}

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Reads `digits` decimal digits at `pos`, moving past them.
bool readNumber(const std::string& text, std::size_t& pos, std::size_t digits, int& value) {
  if (pos + digits > text.size()) return false;
  const char* first = text.data() + pos;
  const auto [end, ec] = std::from_chars(first, first + digits, value);
  if (ec != std::errc() || end != first + digits || *first == '-' || *first == '+') return false;
  pos += digits;
  return true;
}

bool expect(const std::string& text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

std::string twoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

}  // namespace

double julianDate(double unixSeconds) { return unixSeconds / kSecondsPerDay + 2440587.5; }

double greenwichMeanSiderealHours(double unixSeconds) {
  const double days = (unixSeconds - kUnixJ2000) / kSecondsPerDay;
  const double t = days / 36525;
  const double degrees = 280.46061837 + 360.98564736629 * days + (0.000387933 - t / 38710000) * t * t;
  return wrap(degrees, 360) / 15;
}

double localSiderealHours(double unixSeconds, double longitudeDeg) {
  return wrap(greenwichMeanSiderealHours(unixSeconds) + longitudeDeg / 15, 24);
}

double zenithRaJ2000Hours(double unixSeconds, double longitudeDeg, int latitudeDegrees) {
  const double centuries = (unixSeconds - kUnixJ2000) / kSecondsPerDay / 36525;
  const RaDec zenith{localSiderealHours(unixSeconds, longitudeDeg) * kHoursToRadians,
                     latitudeDegrees * kDegreesToRadians};
  return wrap(precessToJ2000(zenith, centuries).raRad / kHoursToRadians, 24);
}

double discAngleFor(double unixSeconds, double longitudeDeg, int latitudeDegrees) {
  const double ra = zenithRaJ2000Hours(unixSeconds, longitudeDeg, latitudeDegrees);
  return wrap(latitudeDegrees > 0 ? 15 * ra - 90 : 90 - 15 * ra, 360);
}

double instantForDiscAngle(double discAngleDeg, double longitudeDeg, int latitudeDegrees, double fromUnixSeconds) {
  const double rate = turnRate(latitudeDegrees);
  const double ahead = wrap((discAngleDeg - discAngleFor(fromUnixSeconds, longitudeDeg, latitudeDegrees)) *
                                (rate > 0 ? 1 : -1),
                            360);
  double t = fromUnixSeconds + ahead / std::fabs(rate);
  // The precession at the zenith's declination makes the turn a little
  // uneven over the day (under a per cent): a few corrections take it up.
  for (int i = 0; i < 4; ++i)
    t += std::remainder(discAngleDeg - discAngleFor(t, longitudeDeg, latitudeDegrees), 360) / rate;
  return t < fromUnixSeconds ? t + 360 / std::fabs(rate) : t;
}

double discTurnFor(double seconds, int latitudeDegrees) { return seconds * turnRate(latitudeDegrees); }

CivilTime civilFromUnix(std::int64_t seconds) {
  std::int64_t days = seconds / 86400, rest = seconds % 86400;
  if (rest < 0) rest += 86400, --days;
  // Days from 1970-01-01 to the civil date, after Howard Hinnant's algorithm.
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  CivilTime c;
  c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  c.year = static_cast<int>(yoe + era * 400 + (c.month <= 2 ? 1 : 0));
  c.hour = static_cast<int>(rest / 3600);
  c.minute = static_cast<int>(rest % 3600 / 60);
  c.second = static_cast<int>(rest % 60);
  return c;
}

std::int64_t unixFromCivil(const CivilTime& c) {
  const std::int64_t y = c.year - (c.month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = c.month > 2 ? c.month - 3 : c.month + 9;
  const std::int64_t doy = (153 * mp + 2) / 5 + c.day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const std::int64_t days = era * 146097 + doe - 719468;
  return days * 86400 + c.hour * 3600 + c.minute * 60 + c.second;
}

std::optional<GivenTime> parseGivenTime(const std::string& text) {
  GivenTime given;
  CivilTime& c = given.civil;
  std::size_t pos = 0;
  if (!readNumber(text, pos, 4, c.year) || !expect(text, pos, '-') || !readNumber(text, pos, 2, c.month) ||
      !expect(text, pos, '-') || !readNumber(text, pos, 2, c.day) || !expect(text, pos, 'T') ||
      !readNumber(text, pos, 2, c.hour) || !expect(text, pos, ':') || !readNumber(text, pos, 2, c.minute))
    return std::nullopt;
  if (pos < text.size() && text[pos] == ':' && !(++pos, readNumber(text, pos, 2, c.second))) return std::nullopt;
  if (c.month < 1 || c.month > 12 || c.day < 1 || c.day > daysInMonth(c.year, c.month) || c.hour > 23 ||
      c.minute > 59 || c.second > 59)
    return std::nullopt;
  if (pos == text.size()) return given;
  if (text[pos] == 'Z' && pos + 1 == text.size()) {
    given.offsetSeconds = 0;
    return given;
  }
  const int sign = text[pos] == '+' ? 1 : (text[pos] == '-' ? -1 : 0);
  int hours = 0, minutes = 0;
  ++pos;
  if (sign == 0 || !readNumber(text, pos, 2, hours) || !expect(text, pos, ':') || !readNumber(text, pos, 2, minutes) ||
      pos != text.size() || hours > 14 || minutes > 59)
    return std::nullopt;
  given.offsetSeconds = sign * (hours * 3600 + minutes * 60);
  return given;
}

double hourScaleTurnDeg(const std::optional<double>& longitudeDeg, const TimeZoneFacts& zone) {
  return longitudeDeg && !zone.name.empty() ? *longitudeDeg - 15 * zone.standardOffsetHours : 0;
}

std::string chartTimeText(const CivilTime& local, const std::string& zone, const std::string& languageFile) {
  const std::vector<std::string> months = splitList(readLangKey(languageFile, "Sky_Time", "Months", "", 400));
  const std::string month = local.month <= static_cast<int>(months.size()) ? months[local.month - 1]
                                                                              : std::to_string(local.month);
  std::string text = readLangKey(languageFile, "Sky_Time", "DateTime", "{day} {month} {year} {time} {zone}", 200);
  text = withField(text, "{day}", std::to_string(local.day));
  text = withField(text, "{month}", month);
  text = withField(text, "{year}", std::to_string(local.year));
  text = withField(text, "{time}", twoDigits(local.hour) + ":" + twoDigits(local.minute));
  return withField(text, "{zone}",
                  zone.empty() ? readLangKey(languageFile, "Sky_Time", "LocalMeanTime", "local mean time", 100)
                               : zone);
}

}  // namespace caelora
