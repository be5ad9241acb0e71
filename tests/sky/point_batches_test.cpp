// SPDX-License-Identifier: GPL-2.0-or-later
// Points gathered by size step: every point is still drawn, in its colour,
// at a size within half a step of its own, and the state after a run is the
// one the recording left; what cannot be gathered safely stays as recorded.
#include "sky/point_batches.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

#include "sky/stars.h"

namespace caelora {
namespace {

using Op = GlCommand::Op;

struct DrawnPoint {
  float x, y, size, r, g, b;
  bool operator<(const DrawnPoint& o) const {
    return std::tie(x, y, r, g, b, size) < std::tie(o.x, o.y, o.r, o.g, o.b, o.size);
  }
};

// What a recording draws as points, and the size and colour it leaves, as
// OpenGL would have it: a size of zero or less is refused.
struct Outcome {
  std::vector<DrawnPoint> points;
  std::vector<Op> otherOps;  // everything that is not about points, in order
  float size = -1;
  float colour[3] = {-1, -1, -1};
  int begins = 0;
};

Outcome play(const DisplayList& list) {
  Outcome out;
  bool points = false;
  for (const GlCommand& c : list.commands()) {
    switch (c.op) {
      case Op::PointSize:
        if (c.a > 0) out.size = c.a;
        break;
      case Op::Color:
        out.colour[0] = c.a, out.colour[1] = c.b, out.colour[2] = c.c;
        break;
      case Op::Begin:
        points = c.primitive == Primitive::Points;
        out.begins += points;
        if (!points) out.otherOps.push_back(c.op);
        break;
      case Op::Vertex:
        if (points) out.points.push_back({c.a, c.b, out.size, out.colour[0], out.colour[1], out.colour[2]});
        else out.otherOps.push_back(c.op);
        break;
      case Op::End:
        if (!points) out.otherOps.push_back(c.op);
        points = false;
        break;
      default: out.otherOps.push_back(c.op); break;
    }
  }
  return out;
}

void expectSamePointsWithinHalfAStep(Outcome recorded, Outcome batched) {
  ASSERT_EQ(batched.points.size(), recorded.points.size());
  std::sort(recorded.points.begin(), recorded.points.end());
  std::sort(batched.points.begin(), batched.points.end());
  for (std::size_t i = 0; i < recorded.points.size(); ++i) {
    const DrawnPoint& p = recorded.points[i];
    const DrawnPoint& q = batched.points[i];
    ASSERT_EQ(std::tie(p.x, p.y, p.r, p.g, p.b), std::tie(q.x, q.y, q.r, q.g, q.b)) << i;
    EXPECT_LE(std::fabs(p.size - q.size), kPointSizeStep / 2 + 1e-6f) << p.size << " drawn " << q.size;
  }
}

TEST(PointBatches, TheStarCatalogueTakesAFewPrimitivesAndKeepsEveryStar) {
  for (int scheme : {0, 3}) {
    ChartSetup setup;
    setup.settings = defaultSettings(CAELORA_SOURCE_DATA_DIR);
    setup.settings.colourScheme = static_cast<ScreenScheme>(scheme);
    setup.programFolder = CAELORA_SOURCE_DATA_DIR;
    const DisplayList stars = LoadStars(setup);
    const Outcome recorded = play(stars);
    const Outcome batched = play(batchPointsBySize(stars));
    EXPECT_GT(recorded.begins, 1000);
    EXPECT_LE(batched.begins, 32) << "scheme " << scheme;
    expectSamePointsWithinHalfAStep(recorded, batched);
    EXPECT_EQ(batched.size, recorded.size);
    EXPECT_EQ(std::vector<float>(batched.colour, batched.colour + 3),
              std::vector<float>(recorded.colour, recorded.colour + 3));
  }
}

TEST(PointBatches, RunsStayBetweenTheCommandsThatBoundThem) {
  DisplayList l;
  l.pointSize(2);
  l.color(1, 0, 0);
  l.begin(Primitive::Points); l.vertex(0, 0); l.end();
  l.pointSize(1);
  l.begin(Primitive::Points); l.vertex(1, 0); l.end();
  l.rotate(90);  // the points after it are turned: they may not move before it
  l.pointSize(3);
  l.begin(Primitive::Points); l.vertex(2, 0); l.end();
  l.pointSize(0);  // refused: the next point keeps size 3
  l.begin(Primitive::Points); l.vertex(3, 0); l.end();
  l.begin(Primitive::Lines); l.vertex(0, 0); l.color(0, 1, 0); l.vertex(1, 1); l.end();
  const DisplayList batched = batchPointsBySize(l);
  const Outcome recorded = play(l);
  const Outcome out = play(batched);
  expectSamePointsWithinHalfAStep(recorded, out);
  EXPECT_EQ(out.otherOps, recorded.otherOps);
  EXPECT_EQ(out.points[3].size, 3);
  EXPECT_EQ(out.colour[1], 1);
  // Before the turn: size 1 first, then 2, then back to 1 as recorded.
  std::vector<std::pair<Op, float>> sizesBeforeTurn;
  for (const GlCommand& c : batched.commands()) {
    if (c.op == Op::Rotate) break;
    if (c.op == Op::PointSize) sizesBeforeTurn.push_back({c.op, c.a});
  }
  ASSERT_EQ(sizesBeforeTurn.size(), 3u);
  EXPECT_EQ(sizesBeforeTurn[0].second, 1);
  EXPECT_EQ(sizesBeforeTurn[1].second, 2);
  EXPECT_EQ(sizesBeforeTurn[2].second, 1);
}

TEST(PointBatches, APointWhoseSizeOrColourComesFromOutsideIsLeftAsRecorded) {
  DisplayList noSize;
  noSize.color(1, 1, 1);
  noSize.begin(Primitive::Points); noSize.vertex(0, 0); noSize.end();
  noSize.pointSize(2);
  noSize.begin(Primitive::Points); noSize.vertex(1, 0); noSize.end();
  EXPECT_EQ(batchPointsBySize(noSize).commands(), noSize.commands());

  DisplayList noColour;
  noColour.pointSize(4);
  noColour.begin(Primitive::Points); noColour.vertex(0, 0); noColour.end();
  noColour.color(1, 0, 0);
  noColour.pointSize(1);
  noColour.begin(Primitive::Points); noColour.vertex(1, 0); noColour.end();
  EXPECT_EQ(batchPointsBySize(noColour).commands(), noColour.commands());
}

}  // namespace
}  // namespace caelora
