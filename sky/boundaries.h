// The constellation boundaries: the reader of "boundaries.dat", the parts of
// the boundaries that lie on the disc (for the screen and the page alike),
// and the recording of them for the star disc.
#pragma once

#include <string>
#include <vector>

#include "sky/chart_setup.h"
#include "sky/display_list.h"
#include "sky/geometry.h"
#include "sky/sequential_input.h"

namespace caelora {

// One edge of the boundaries: the stretch between two corners where two
// constellations meet, as the points of a line (J2000) close enough together
// that it may be drawn straight from one to the next.
struct BoundaryEdge {
  std::string first;   // the constellations on either side, by their
  std::string second;  // three-letter IAU abbreviations
  std::vector<EquatorialPoint> points;
};

// One record a line: the two abbreviations, the number of points (2..361),
// then each point's right ascension in thousandths of an hour and
// declination in hundredths of a degree. Throws DataError naming the file
// and the record for a record cut short or too long, an abbreviation that
// is not three letters, a count out of range or a position out of range.
// The boundaries hold some 800 edges in about 90 KiB.
constexpr FileBound kBoundaryFileBound{4 * 1024 * 1024, "a boundary file"};

std::vector<BoundaryEdge> ReadBoundaryEdges(SequentialInput& input);
// The same for a file, which must hold at least one edge.
std::vector<BoundaryEdge> ReadBoundaryEdges(const std::string& path);

// The parts of the edges that lie on the disc, in the projector's units:
// every run of consecutive points that all project onto it, of two points
// or more. A step with an end beyond the limit circle is left out, as a
// figure's segment is.
using DiscPolyline = std::vector<DiscPoint>;
std::vector<DiscPolyline> visibleBoundaries(const std::vector<BoundaryEdge>& edges,
                                            DiscProjector& projector);

// List 13: the boundaries on the disc in the scheme's colour, every step one
// line of a single GL_LINES primitive, drawn at the line width in force.
DisplayList LoadBoundaries(const ChartSetup& setup);

}  // namespace caelora
