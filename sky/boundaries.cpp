// The reader of the constellation boundaries.
#include "sky/boundaries.h"

#include "sky/data_error.h"
#include "sky/figures.h"

namespace caelora {
namespace {

// A full circle in steps of one degree, with its last point on its first.
constexpr long kMostPoints = 361;

bool isAbbreviation(const std::string& text) {
  if (text.size() != 3) return false;
  for (const char c : text)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  return true;
}

std::string readAbbreviation(SequentialInput& input) {
  std::string text = input.readText();
  if (!isAbbreviation(text)) input.fail("a constellation is not named by three letters");
  return text;
}

BoundaryEdge readEdge(SequentialInput& input) {
  BoundaryEdge edge;
  edge.first = readAbbreviation(input);
  edge.second = readAbbreviation(input);
  const long count = input.readInteger(2, kMostPoints);
  edge.points.reserve(static_cast<std::size_t>(count));
  for (long i = 0; i < count; ++i) {
    EquatorialPoint p;
    p.raHours = readRaHours(input);
    p.decDeg = readDecDegrees(input);
    edge.points.push_back(p);
  }
  return edge;
}

}  // namespace

std::vector<BoundaryEdge> ReadBoundaryEdges(SequentialInput& input) {
  std::vector<BoundaryEdge> edges;
  input.requireOneLinePerRecord();
  while (!input.atEnd()) {
    input.nextRecord();
    edges.push_back(readEdge(input));
    input.endRecord();
  }
  return edges;
}

std::vector<BoundaryEdge> ReadBoundaryEdges(const std::string& path) {
  SequentialInput input(path);
  std::vector<BoundaryEdge> edges = ReadBoundaryEdges(input);
  if (edges.empty()) throw DataError(path + ": holds no boundaries");
  return edges;
}

}  // namespace caelora
