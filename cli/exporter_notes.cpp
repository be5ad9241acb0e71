// SPDX-License-Identifier: GPL-2.0-or-later
// Notes, stored settings and the zone check of the command-line programs.
#include "cli/exporter_notes.h"

#include <cstdio>

#include "chart/step_runner.h"
#include "chart/time_zone.h"
#include "settings/qt/qsettings_store.h"

namespace caelora {

void printNote(std::string note) {
  for (char& ch : note) {
    if (ch == '\n' || ch == '\r') ch = ' ';  // one line per message
  }
  std::fprintf(stderr, "caelora-export: %s\n", note.c_str());
}

Settings storedSettings(const std::string& folder) {
  StepRunner steps(printNote);
  Settings settings = defaultSettings(folder);
  steps.run("settings", [&] {
    QSettingsStore store;
    settings = loadSettings(store, folder);
  });
  return settings;
}

void checkTimeZone(const SettingOverrides& overrides) {
  if (overrides.timeZone && !overrides.timeZone->empty() && !isKnownTimeZone(*overrides.timeZone))
    throw UsageError("--time-zone: no time zone is called \"" + *overrides.timeZone +
                     "\" (an IANA name such as Europe/Prague)");
}

}  // namespace caelora
