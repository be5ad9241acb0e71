// SPDX-License-Identifier: GPL-2.0-or-later
// One document per drawable latitude: 25..80 degrees north and south.
#pragma once

#include <string>
#include <vector>

#include "export/colours.h"
#include "settings/settings.h"
#include "sky/milky_way.h"

namespace caelora {

// "caelora-50N.pdf", "caelora-35S.pdf".
std::string latitudeFileName(int latitudeDegrees);

// Writes the 112 documents into `folder` (created when missing) with the
// settings' other choices; returns their paths. Stops at the first failure
// with ExportError naming the file; documents already finished stay.
std::vector<std::string> exportAllLatitudes(const Settings& settings, const std::string& programFolder,
                                            const MilkyWayOutlines& milkyWay, ExportScheme scheme,
                                            const std::string& folder, const TimeZoneFacts& zone = {});

}  // namespace caelora
