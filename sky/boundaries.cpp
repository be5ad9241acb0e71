// Constellation boundaries of the star disc, and the reader of their file.
#include "sky/boundaries.h"

#include "sky/data_error.h"
#include "sky/figures.h"
#include "sky/screen_colours.h"

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
  if (!isAbbreviation(text)) input.fail(Message("BoundaryNotAbbreviation"));
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
  SequentialInput input(path, kBoundaryFileBound);
  std::vector<BoundaryEdge> edges = ReadBoundaryEdges(input);
  if (edges.empty()) throw DataError(Message("NoBoundaries").with("file", path));
  return edges;
}

std::vector<DiscPolyline> visibleBoundaries(const std::vector<BoundaryEdge>& edges,
                                            DiscProjector& projector) {
  std::vector<DiscPolyline> runs;
  DiscPolyline run;
  const auto close = [&] {
    if (run.size() >= 2) runs.push_back(run);
    run.clear();
  };
  for (const BoundaryEdge& edge : edges) {
    for (const EquatorialPoint& p : edge.points) {
      if (projector.project(p.raHours, p.decDeg)) run.push_back({projector.x(), projector.y(), true});
      else close();
    }
    close();
  }
  return runs;
}

DisplayList LoadBoundaries(const ChartSetup& setup) {
  const std::vector<BoundaryEdge> edges = ReadBoundaryEdges(setup.dataFile("boundaries.dat"));
  DiscProjector disc(setup.settings.latitude);
  const Rgb colour = screenColours(setup.settings.colourScheme).boundaries;
  DisplayList list;
  list.color(colour.r, colour.g, colour.b);
  list.begin(Primitive::Lines);
  for (const DiscPolyline& run : visibleBoundaries(edges, disc)) {
    for (std::size_t i = 1; i < run.size(); ++i) {
      list.vertex(static_cast<float>(run[i - 1].x), static_cast<float>(run[i - 1].y));
      list.vertex(static_cast<float>(run[i].x), static_cast<float>(run[i].y));
    }
  }
  list.end();
  return list;
}

}  // namespace caelora
