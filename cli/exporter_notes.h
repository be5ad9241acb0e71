// SPDX-License-Identifier: GPL-2.0-or-later
// What the two programs of the command line share: their one-line notes on
// standard error, the settings of the user's store and the check of a zone
// named on the command line. caelora-export writes the documents and starts
// caelora-render for a picture; the user sees one program.
#pragma once

#include <string>

#include "cli/export_options.h"
#include "settings/settings.h"

namespace caelora {

// Status of a command line that cannot be used.
constexpr int kBadUsage = 2;

// "caelora-export: <note>" on standard error, on one line.
void printNote(std::string note);

// The settings of the user's store (the defaults where it has none); a store
// that cannot be read is noted and its values are not used.
Settings storedSettings(const std::string& folder);

// Throws UsageError when --time-zone names a zone the zone rules do not know.
void checkTimeZone(const SettingOverrides& overrides);

}  // namespace caelora
