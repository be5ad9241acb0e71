// SPDX-License-Identifier: GPL-2.0-or-later
// The grid of altitude and azimuth on the horizon window: it belongs to the
// horizon, so it stands still over the turning disc.
#pragma once

#include "sky/chart_setup.h"
#include "sky/display_list.h"

namespace caelora {

// List 12: circles of altitude and lines of azimuth, thin and dim so that
// they hide no star, their degrees in the chart's font, and a small cross
// at the zenith.
DisplayList LoadHorizonGrid(const ChartSetup& setup);

}  // namespace caelora
