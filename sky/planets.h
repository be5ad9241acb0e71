// SPDX-License-Identifier: GPL-2.0-or-later
// The Sun, the Moon and the planets on the disc at the chart's time (list
// 14): a dot for each, the Moon with its phase, and their names.
#pragma once

#include <vector>

#include "sky/chart_setup.h"
#include "sky/display_list.h"
#include "sky/ephemeris.h"

namespace caelora {

// The lit part of the Moon's disc about (0, 0): the bright limb's half
// circle and the terminator back, in pairs (limb, terminator) that a
// triangle strip fills. `brightLimb` is the unit direction of the bright
// limb on the disc; the terminator's half width is (2 lit - 1) radius,
// bowed towards the dark side past half.
std::vector<DiscPoint> litMoonStrip(double litFraction, const DiscPoint& brightLimb, double radius);

// List 14 for the instant of setup.instant (nothing without one), its
// bodies placed by `ephemeris`; each name from section "Planets" of the
// language file.
DisplayList LoadPlanets(const ChartSetup& setup, const Ephemeris& ephemeris);

}  // namespace caelora
