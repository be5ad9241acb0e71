// SPDX-License-Identifier: GPL-2.0-or-later
// Two small pieces of the exported chart: the triangles of the mask's hour
// scale, and the band below the star disc that reaches down to the fold line.
#pragma once

#include "export/export_state.h"

namespace caelora {

// One filled triangle of the time scale, its apex on radius 0.9 of the disc
// and pointing outwards: an hour mark for kind 1, a half-hour mark for any
// other kind. angleDeg runs clockwise from the top of the disc. Sets no
// colour: the caller has set the fill colour.
void timePDFtriangle(ExportState& state, double angleDeg, int kind);

// vypln: the filled band below the disc on the star-disc page, bounded above
// by an arc just outside the rim and below by the level of the mask's fold
// line, between the mask's side margins.
void vypln(ExportState& state);

}  // namespace caelora
