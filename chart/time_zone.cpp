// SPDX-License-Identifier: GPL-2.0-or-later
// Time zones through QTimeZone.
#include "chart/time_zone.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <cmath>
#include <vector>

namespace caelora {
namespace {

QTimeZone zoneOf(const std::string& name) { return QTimeZone(QByteArray::fromStdString(name)); }

QDateTime utc(double unixSeconds) {
  return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::floor(unixSeconds)), Qt::UTC);
}

int meanTimeOffset(double longitudeDeg) { return static_cast<int>(std::lround(longitudeDeg * 240)); }

}  // namespace

bool isKnownTimeZone(const std::string& name) {
  return !name.empty() && QTimeZone::isTimeZoneIdAvailable(QByteArray::fromStdString(name));
}

TimeZoneFacts timeZoneFacts(const std::string& name, double unixSeconds) {
  if (!isKnownTimeZone(name)) return {};
  const QTimeZone zone = zoneOf(name);
  const int year = utc(unixSeconds).date().year();
  const QDateTime winter(QDate(year, 1, 15), QTime(12, 0), Qt::UTC), summer(QDate(year, 7, 15), QTime(12, 0), Qt::UTC);
  TimeZoneFacts facts;
  facts.name = name;
  facts.standardOffsetHours = zone.standardTimeOffset(winter) / 3600.0;
  facts.keepsSummerTime = zone.isDaylightTime(winter) || zone.isDaylightTime(summer);
  return facts;
}

ZoneClock zoneClockAt(const std::string& name, double longitudeDeg, double unixSeconds) {
  if (!isKnownTimeZone(name)) return {meanTimeOffset(longitudeDeg), "", false};
  const QTimeZone zone = zoneOf(name);
  const QDateTime at = utc(unixSeconds);
  return {zone.offsetFromUtc(at), zone.abbreviation(at).toStdString(), zone.isDaylightTime(at)};
}

ZoneInstant resolveZoneTime(const std::string& name, double longitudeDeg, const CivilTime& local) {
  const double wall = static_cast<double>(unixFromCivil(local));
  if (!isKnownTimeZone(name)) return {wall - meanTimeOffset(longitudeDeg), ZoneInstant::Kind::Exact};
  // The offsets in force a day either side are the only ones the wall
  // time can have; each that gives it back is a solution.
  const int before = zoneClockAt(name, 0, wall - 86400).offsetSeconds;
  const int after = zoneClockAt(name, 0, wall + 86400).offsetSeconds;
  std::vector<double> solutions;
  for (const int offset : {before, after}) {
    const double instant = wall - offset;
    if (zoneClockAt(name, 0, instant).offsetSeconds == offset &&
        std::find(solutions.begin(), solutions.end(), instant) == solutions.end())
      solutions.push_back(instant);
  }
  if (solutions.empty()) return {wall - before, ZoneInstant::Kind::Missing};
  std::sort(solutions.begin(), solutions.end());
  return {solutions.front(), solutions.size() > 1 ? ZoneInstant::Kind::Twice : ZoneInstant::Kind::Exact};
}

std::string chartTimeText(const std::string& name, double longitudeDeg, double unixSeconds,
                          const std::string& languageFile) {
  const ZoneClock clock = zoneClockAt(name, longitudeDeg, unixSeconds);
  const CivilTime local = civilFromUnix(static_cast<std::int64_t>(std::floor(unixSeconds)) + clock.offsetSeconds);
  return chartTimeText(local, clock.abbreviation, languageFile);
}

}  // namespace caelora
