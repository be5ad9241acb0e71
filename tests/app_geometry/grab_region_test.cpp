// SPDX-License-Identifier: GPL-2.0-or-later
// The grab region: its two outlines in stage pixels and what a press inside
// or outside them finds; the pointer angle and the turn of each drag step.
#include <gtest/gtest.h>

#include <QPoint>
#include <QRegion>
#include <cmath>

#include "app/grab_region.h"
#include "app/disc_drag.h"
#include "sky/chart_geometry.h"
#include "sky/geometry.h"

namespace caelora {
namespace {

// A point of the disc (rim radius 1, y upward) at `angleDeg` counter-
// clockwise from the right-hand horizontal, in pixels of a size x size stage.
QPoint onDisc(double angleDeg, double radius, int size) {
  const double a = angleDeg * kDegreesToRadians;
  return {static_cast<int>(std::lround(size * (radius * std::cos(a) + 1) / 2)),
          static_cast<int>(std::lround(size * (1 - radius * std::sin(a)) / 2))};
}

// The middle of the horizon window: the mean of its outline.
QPoint windowMiddle(int latitude, int size) {
  const auto points = horizonWindowPolygon(latitude, size, size);
  double x = 0, y = 0;
  for (const StagePoint& p : points) x += p.x, y += p.y;
  return {static_cast<int>(x / points.size()), static_cast<int>(y / points.size())};
}

TEST(GrabOutlines, HorizonWindowIsTheOutlineMappedOntoPixels) {
  const auto outline = HorizonOutline(50);
  const auto points = horizonWindowPolygon(50, 400, 300);
  ASSERT_EQ(points.size(), 120u);
  for (int k : {0, 37, 119}) {
    EXPECT_NEAR(points[k].x, 400 * 0.5 * (outline[2 * k] + 1), 0.5) << k;
    EXPECT_NEAR(points[k].y, 300 * 0.5 * (1 - outline[2 * k + 1]), 0.5) << k;
  }
}

TEST(GrabOutlines, RimBandRunsOutwardThenBackInside) {
  const auto band = rimBandPolygon(400, 400);
  ASSERT_EQ(band.size(), 98u);
  // Outer edge from -30 degrees, inner edge back to -30 degrees.
  EXPECT_EQ(band.front(), (StagePoint{373, 300}));  // 400 (cos -30 + 1) / 2 = 373.2
  EXPECT_EQ(band[24], (StagePoint{200, 0}));        // the top of the rim, 90 degrees
  EXPECT_EQ(band[48], (StagePoint{27, 300}));       // 210 degrees
  EXPECT_EQ(band[49], (StagePoint{44, 290}));       // radius 0.9 at 210 degrees
  EXPECT_EQ(band.back(), (StagePoint{356, 290}));   // 400 (0.9 cos -30 + 1) / 2 = 355.9
}

TEST(GrabRegion, HoldsTheHorizonWindowAndTheUpperRim) {
  for (int latitude : {25, 50, 71, 80, -35, -80}) {
    const QRegion region = buildGrabRegion(latitude, 400, 400);
    EXPECT_TRUE(region.contains(windowMiddle(latitude, 400))) << latitude;
    for (double a : {-25.0, 0.0, 90.0, 180.0, 205.0})
      EXPECT_TRUE(region.contains(onDisc(a, 0.95, 400))) << latitude << " at " << a;
  }
}

TEST(GrabRegion, LeavesOutTheLowestRimAndTheMask) {
  for (int latitude : {25, 50, 80, -50}) {
    const QRegion region = buildGrabRegion(latitude, 400, 400);
    // The lowest 120 degrees of the rim, under the hour scale.
    for (double a : {215.0, 240.0, 270.0, 300.0, 325.0})
      EXPECT_FALSE(region.contains(onDisc(a, 0.95, 400))) << latitude << " at " << a;
    // The mask between the horizon window and the rim band, above the
    // window, and the corners of the stage beyond the disc.
    EXPECT_FALSE(region.contains(onDisc(90, 0.87, 400))) << latitude;
    EXPECT_FALSE(region.contains(QPoint(3, 3))) << latitude;
    EXPECT_FALSE(region.contains(QPoint(396, 396))) << latitude;
  }
}

TEST(GrabRegion, FollowsTheStageSize) {
  const QRegion small = buildGrabRegion(50, 200, 200);
  const QRegion large = buildGrabRegion(50, 800, 800);
  // The top of the rim, within the pixel that the polygon fill leaves out.
  EXPECT_LE(small.boundingRect().top(), 1);
  EXPECT_LE(large.boundingRect().top(), 1);
  EXPECT_NEAR(large.boundingRect().width(), 4 * small.boundingRect().width(), 4);
  EXPECT_TRUE(large.contains(windowMiddle(50, 800)));
}

TEST(PointerAngle, CountsCounterClockwiseFromTheRightWithYDownward) {
  EXPECT_NEAR(pointerAngleDeg(300, 200, 400, 400), 0, 1e-4);
  EXPECT_NEAR(pointerAngleDeg(200, 100, 400, 400), 90, 1e-4);   // above the centre
  EXPECT_NEAR(pointerAngleDeg(100, 200, 400, 400), 180, 1e-4);
  EXPECT_NEAR(pointerAngleDeg(200, 300, 400, 400), 270, 1e-4);  // below it
  EXPECT_NEAR(pointerAngleDeg(300, 100, 400, 400), 45, 1e-4);
  EXPECT_NEAR(pointerAngleDeg(200, 200, 400, 400), 315, 1e-4);  // the centre itself
}

TEST(TurnStep, TakesTheShorterWayAcrossTheRightHandHorizontal) {
  EXPECT_DOUBLE_EQ(turnStep(10, 25), 15);
  EXPECT_DOUBLE_EQ(turnStep(25, 10), -15);
  EXPECT_DOUBLE_EQ(turnStep(355, 5), 10);
  EXPECT_DOUBLE_EQ(turnStep(5, 355), -10);
  // Steps round a whole circle add up to 360.
  double total = 0;
  for (int a = 0; a < 360; a += 20) total += turnStep(a, (a + 20) % 360);
  EXPECT_DOUBLE_EQ(total, 360);
}

}  // namespace
}  // namespace caelora
