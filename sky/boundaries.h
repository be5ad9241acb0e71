// The constellation boundaries: the reader of "boundaries.dat".
#pragma once

#include <string>
#include <vector>

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
std::vector<BoundaryEdge> ReadBoundaryEdges(SequentialInput& input);
// The same for a file, which must hold at least one edge.
std::vector<BoundaryEdge> ReadBoundaryEdges(const std::string& path);

}  // namespace caelora
