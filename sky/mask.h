// SPDX-License-Identifier: GPL-2.0-or-later
// The fixed mask over the star disc: the shape of the horizon window written
// into the stencil (list 7) and the mask drawn around it (list 8) with its
// horizon line, azimuth ticks, direction names and hour scale.
#pragma once

#include "sky/chart_setup.h"
#include "sky/display_list.h"

namespace caelora {

// List 7, stencil only (no colour): the strip of the rim from 30 degrees
// below the right end of the horizontal axis over the top to 30 degrees
// below its left end, where the date scale shows, and the horizon window as
// one filled polygon.
DisplayList BuildWindowShape(const ChartSetup& setup);

// List 8: the gradient background, the horizon line with eight azimuth
// ticks and the direction names (texts 520 to 527 of the language file) as
// far as the latitude leaves room for them, the hour numbers round the top
// with a second row one hour on, and the half-hour marks.
DisplayList BuildMask(const ChartSetup& setup);

// One hour mark pointing up from radius 0.8 to 0.9, in the current matrix.
void DrawHourMark(DisplayList& list, ScreenScheme scheme);
// One half-hour mark pointing up from radius 0.87 to 0.9.
void DrawHalfHourMark(DisplayList& list, ScreenScheme scheme);

}  // namespace caelora
