// The constellation boundaries: the shipped edges against an independent
// library (tests/fixtures/boundaries.txt, written by
// tools/make_boundaries_fixture.js), and the cut at the limit circle. The
// reader's errors are rows of tests/damaged_inputs.
#include "sky/boundaries.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/sky/replay.h"
#include "tests/test_support.h"

namespace caelora {
namespace {

const std::string kFixture = std::string(CAELORA_TEST_DIR) + "/../fixtures/boundaries.txt";

using Vector = std::array<double, 3>;

Vector unit(double x, double y, double z) {
  const double n = std::sqrt(x * x + y * y + z * z);
  return {x / n, y / n, z / n};
}

Vector toVector(const EquatorialPoint& p) {
  const double ra = p.raHours * kHoursToRadians, dec = p.decDeg * kDegreesToRadians;
  return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
}

// The place 0.05 degrees off the middle of points k[0] and k[1] of an edge,
// across the great circle through points k[2] and k[3] (side 1: towards
// their cross product).
EquatorialPoint offside(const std::vector<EquatorialPoint>& e, const std::array<std::size_t, 4>& k, int side) {
  const Vector i = toVector(e[k[0]]), j = toVector(e[k[1]]), a = toVector(e[k[2]]), b = toVector(e[k[3]]);
  const Vector m = unit(i[0] + j[0], i[1] + j[1], i[2] + j[2]);
  const Vector n = unit(a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]);
  const double t = side * std::tan(0.05 * kDegreesToRadians);
  const Vector p = unit(m[0] + t * n[0], m[1] + t * n[1], m[2] + t * n[2]);
  return {std::atan2(p[1], p[0]) / kHoursToRadians, std::asin(p[2]) * kRadiansToDegrees};
}

// Where an edge of n points is probed: the middle, and with three points or
// more the middle of the first and the last segment.
std::array<std::size_t, 4> probeIndices(const std::string& where, std::size_t n) {
  if (where == "first") return {0, 1, 0, 1};
  if (where == "last") return {n - 2, n - 1, n - 2, n - 1};
  return {(n - 1) / 2, n / 2, n / 2 - 1, (n - 1) / 2 + 1};
}

TEST(ShippedBoundaries, EachEdgePartsTheTwoConstellationsItNames) {
  const std::vector<BoundaryEdge> edges = ReadBoundaryEdges(std::string(CAELORA_SOURCE_DATA_DIR) + "/boundaries.dat");
  std::ifstream in(kFixture);
  ASSERT_TRUE(in) << kFixture;
  std::size_t probes = 0;
  std::set<std::size_t> middles;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream row(line);
    std::size_t record = 0;
    std::string where;
    std::array<EquatorialPoint, 2> fixed;
    std::array<std::string, 2> found;
    row >> record >> where >> fixed[0].raHours >> fixed[0].decDeg >> found[0] >> fixed[1].raHours >>
        fixed[1].decDeg >> found[1];
    ASSERT_TRUE(row && record >= 1 && record <= edges.size()) << line;
    const BoundaryEdge& edge = edges[record - 1];
    for (int s = 0; s < 2; ++s) {
      const EquatorialPoint p = offside(edge.points, probeIndices(where, edge.points.size()), s == 0 ? 1 : -1);
      EXPECT_NEAR(std::remainder(p.raHours - fixed[s].raHours, 24) * std::cos(p.decDeg * kDegreesToRadians), 0, 2e-6)
          << line;
      EXPECT_NEAR(p.decDeg, fixed[s].decDeg, 2e-6) << line;
    }
    EXPECT_EQ((std::set<std::string>{found[0], found[1]}), (std::set<std::string>{edge.first, edge.second}))
        << "edge " << record << " " << where << " (" << edge.first << "/" << edge.second << "): " << line;
    if (where == "middle") middles.insert(record);
    ++probes;
  }
  EXPECT_EQ(middles.size(), edges.size()) << "every edge is probed at its middle";
  EXPECT_GT(probes, 2 * edges.size());
}

TEST(BoundaryLayer, OneLinePrimitiveOfTheStepsWithBothEndsOnTheDisc) {
  // Latitude 50: the limit is declination -40, itself on the disc.
  test::ScratchFolder folder("boundaries_layer");
  test::writeFile(folder.path() / "boundaries.dat",
                  "\"Ori\",\"Mon\",5,6000,0,6000,-3900,6000,-4100,6000,-4000,6000,-3000\r\n"
                  "\"Hya\",\"Pyx\",2,9000,-4001,10000,-4001\r\n");
  ChartSetup setup;
  setup.programFolder = folder.path().string();
  setup.settings.latitude = 50;
  const std::vector<testing::Shape> shapes = testing::Replay(LoadBoundaries(setup));
  ASSERT_EQ(shapes.size(), 1u);
  ASSERT_EQ(shapes[0].primitive, Primitive::Lines);
  const double decs[] = {0, -39, -40, -30};  // steps 0 -> -39 and -40 -> -30
  ASSERT_EQ(shapes[0].points.size(), 4u);
  for (std::size_t k = 0; k < 4; ++k) {
    const DiscPoint p = ProjectToDisc(6, decs[k], 50);
    EXPECT_NEAR(shapes[0].points[k].x, p.x, 1e-6);
    EXPECT_NEAR(shapes[0].points[k].y, p.y, 1e-6);
  }
}

}  // namespace
}  // namespace caelora
