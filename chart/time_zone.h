// SPDX-License-Identifier: GPL-2.0-or-later
// The rules of time zones, from Qt's zone database: what the chart needs to
// know of a zone, its offset at an instant, and a zone time resolved to an
// instant across the daylight-saving changes. An empty zone name is local
// mean time at the place's longitude.
#pragma once

#include <optional>
#include <string>

#include "sky/sky_time.h"

namespace caelora {

bool isKnownTimeZone(const std::string& name);

// The facts of `name` in the year of `unixSeconds`; an unknown or empty
// name gives no facts (local mean time).
TimeZoneFacts timeZoneFacts(const std::string& name, double unixSeconds);

// The clock of a zone at an instant: its offset from UTC, its abbreviation
// ("CET", "CEST") and whether summer time is in force. For local mean time
// (no zone) the offset is the longitude's, 4 minutes a degree.
struct ZoneClock {
  int offsetSeconds = 0;
  std::string abbreviation;
  bool summerTime = false;
};
ZoneClock zoneClockAt(const std::string& name, double longitudeDeg, double unixSeconds);

// A zone time as an instant. When the clocks go forward the time does not
// exist (Missing, and the instant the same wall time would have in the
// offset before the change); when they go back it happens twice (Twice,
// and the earlier instant).
struct ZoneInstant {
  enum class Kind { Exact, Missing, Twice };
  double unixSeconds = 0;
  Kind kind = Kind::Exact;
};
ZoneInstant resolveZoneTime(const std::string& name, double longitudeDeg, const CivilTime& local);

// The date and time of an instant on the zone's clock, in the words of the
// language file.
std::string chartTimeText(const std::string& name, double longitudeDeg, double unixSeconds,
                          const std::string& languageFile);

}  // namespace caelora
