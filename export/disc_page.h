// SPDX-License-Identifier: GPL-2.0-or-later
// The layers of the star-disc page (page 2): the disc face, the Milky Way,
// the coordinate grid, the constellation boundaries, the ecliptic, the
// constellation figures, the stars
// and the constellation names, each appended to the current page stream as
// PDF path and text operators. They mirror the on-screen layers and place
// the sky with the page form of the same projection.
#pragma once

#include "export/export_state.h"

namespace caelora {

// The filled disc with its outline, and the 2-wide rim line just outside the
// limit circle.
void plotDiscFace(ExportState& state);
// Both Milky Way bands cut at the limit circle, filled by the even-odd rule,
// the outer band first.
void plotMilkyWay(ExportState& state);
// Declination circles every 30 degrees, hour lines and hour numbers.
void plotGrid(ExportState& state);
// The constellation boundaries of boundaries.dat as thin dashed lines; a
// step with an end beyond the limit is left out.
void plotBoundaries(ExportState& state);
// The ecliptic in 1-degree steps; only segments with both ends on the disc.
void plotEcliptic(ExportState& state);
// The figure set named by the settings; a segment with an end beyond the
// limit is left out.
void plotConLines(ExportState& state);
// Stars down to the print limit "SMapPrnLim" (5.0) as round dots, the
// centre cross.
void plotStars(ExportState& state);
// The Messier objects as bright as "SMapMesLim": a symbol for each kind
// and its number.
void plotMessier(ExportState& state);
// The constellation abbreviations of Cons.txt along the tangent.
void plotConNames(ExportState& state);

}  // namespace caelora
