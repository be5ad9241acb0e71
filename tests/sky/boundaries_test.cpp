// The constellation boundaries: the shipped edges against an independent
// library (tests/fixtures/boundaries.txt, written by
// tools/make_boundaries_fixture.js), and the cut at the limit circle. The
// reader's errors are rows of tests/damaged_inputs.
#include "sky/boundaries.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/sky/replay.h"

namespace caelora {
namespace {

const std::string kFixture = std::string(CAELORA_TEST_DIR) + "/../fixtures/boundaries.txt";

using Vector = std::array<double, 3>;

Vector toVector(const EquatorialPoint& p) {
  const double ra = p.raHours * kHoursToRadians, dec = p.decDeg * kDegreesToRadians;
  return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
}

Vector unit(const Vector& v) {
  const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  return {v[0] / n, v[1] / n, v[2] / n};
}

// The two places 0.05 degrees either side of the middle of v[i], v[j],
// across the great circle through v[a] and v[b] (first towards a x b).
std::array<EquatorialPoint, 2> sides(const std::vector<Vector>& v, std::size_t i, std::size_t j,
                                     std::size_t a, std::size_t b) {
  const Vector m = unit({v[i][0] + v[j][0], v[i][1] + v[j][1], v[i][2] + v[j][2]});
  const Vector n = unit({v[a][1] * v[b][2] - v[a][2] * v[b][1], v[a][2] * v[b][0] - v[a][0] * v[b][2],
                         v[a][0] * v[b][1] - v[a][1] * v[b][0]});
  const double t = std::tan(0.05 * kDegreesToRadians);
  std::array<EquatorialPoint, 2> out;
  for (int s = 0; s < 2; ++s) {
    const double k = s == 0 ? t : -t;
    const Vector p = unit({m[0] + k * n[0], m[1] + k * n[1], m[2] + k * n[2]});
    out[s] = {std::fmod(std::atan2(p[1], p[0]) / kHoursToRadians + 24, 24), std::asin(p[2]) * kRadiansToDegrees};
  }
  return out;
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
    std::vector<Vector> v;
    for (const EquatorialPoint& p : edge.points) v.push_back(toVector(p));
    const auto [i, j, a, b] = probeIndices(where, v.size());
    const std::array<EquatorialPoint, 2> computed = sides(v, i, j, a, b);
    for (int s = 0; s < 2; ++s) {
      EXPECT_NEAR(std::remainder(computed[s].raHours - fixed[s].raHours, 24) * std::cos(fixed[s].decDeg * kDegreesToRadians),
                  0, 2e-6) << line;
      EXPECT_NEAR(computed[s].decDeg, fixed[s].decDeg, 2e-6) << line;
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
  const auto folder = std::filesystem::path(::testing::TempDir()) / "caelora-boundaries";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "boundaries.dat", std::ios::binary)
      << "\"Ori\",\"Mon\",5,6000,0,6000,-3900,6000,-4100,6000,-4000,6000,-3000\r\n"
         "\"Hya\",\"Pyx\",2,9000,-4001,10000,-4001\r\n";
  ChartSetup setup;
  setup.programFolder = folder.string();
  setup.settings.latitude = 50;
  const std::vector<testing::Shape> shapes = testing::Replay(LoadBoundaries(setup));
  std::filesystem::remove_all(folder);
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
