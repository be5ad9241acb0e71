// SPDX-License-Identifier: GPL-2.0-or-later
// The Milky Way outlines as the program carries them: resources compiled in
// from data/milkyway through chart/milky_way.qrc.
#pragma once

#include "sky/milky_way.h"

namespace caelora {

// The bytes of resources 101 to 104. Throws DataError naming a resource that
// the program does not carry.
MilkyWayOutlines loadMilkyWayOutlines();

}  // namespace caelora
