// SPDX-License-Identifier: GPL-2.0-or-later
#include "sky/chart_geometry.h"
#include "sky/geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace caelora {
namespace {

TEST(ProjectToDisc, NorthernLimitCircleAndPole) {
  DiscProjector p(50);
  EXPECT_TRUE(p.project(0, 90));
  EXPECT_NEAR(p.x(), 0, 1e-12);
  EXPECT_NEAR(p.y(), 0, 1e-12);
  EXPECT_TRUE(p.project(3, -40));  // the limit itself is on the disc
  EXPECT_NEAR(std::hypot(p.x(), p.y()), 0.89, 1e-7);
  const double kx = p.x(), ky = p.y();
  EXPECT_FALSE(p.project(9, -40.01));
  EXPECT_FALSE(p.onDisc());
  EXPECT_EQ(p.x(), kx);  // the previous position survives
  EXPECT_EQ(p.y(), ky);
  EXPECT_TRUE(p.project(6, 0));
  EXPECT_NEAR(p.x(), 0, 1e-7);
  EXPECT_NEAR(p.y(), -0.89 * 90 / 130, 1e-7);
}

TEST(ProjectToDisc, SouthernRulesIncludingLatitudeZero) {
  DiscProjector p(-30);
  EXPECT_TRUE(p.project(0, -90));
  EXPECT_NEAR(p.x(), 0, 1e-12);
  EXPECT_TRUE(p.project(0, 0));
  EXPECT_NEAR(p.x(), -0.89 * 90 / 150, 1e-7);
  EXPECT_NEAR(p.y(), 0, 1e-12);
  EXPECT_TRUE(p.project(5, 60));
  EXPECT_NEAR(std::hypot(p.x(), p.y()), 0.89, 1e-7);
  EXPECT_FALSE(p.project(5, 60.01));
  DiscProjector equator(0);
  EXPECT_TRUE(equator.project(0, -90));  // south pole at the centre
  EXPECT_NEAR(equator.x(), 0, 1e-12);
  EXPECT_FALSE(ProjectToDisc(0, 60.01, -30).onDisc);
}

TEST(ProjectToDisc, HoursRunClockwiseInTheNorthAndCounterClockwiseInTheSouth) {
  auto north = ProjectToDisc(6, 0, 50);
  EXPECT_LT(north.y, 0);
  auto north18 = ProjectToDisc(18, 0, 50);
  EXPECT_GT(north18.y, 0);
  auto south0 = ProjectToDisc(0, 0, -50);
  EXPECT_LT(south0.x, 0);
  auto south12 = ProjectToDisc(12, 0, -50);
  EXPECT_GT(south12.x, 0);
}

TEST(PolarAngle, Quadrants) {
  EXPECT_NEAR(PolarAngle(1, 0), 0, 1e-6);
  EXPECT_NEAR(PolarAngle(0, -1), kPi / 2, 1e-6);
  EXPECT_NEAR(PolarAngle(-1, 0), kPi, 1e-6);
  EXPECT_NEAR(PolarAngle(0, 1), 1.5 * kPi, 1e-6);
  EXPECT_NEAR(PolarAngle(0, 0), 1.75 * kPi, 1e-6);
  EXPECT_NEAR(PolarAngleD(0, 0), 1.75 * kPi, 1e-12);
  EXPECT_NEAR(PolarAngleD(0, -1), kPi / 2, 1e-12);
  EXPECT_NEAR(PolarAngleD(1, 1), 1.75 * kPi, 1e-12);
  for (float a : {0.3f, -0.7f, 2.0f})
    for (float b : {0.5f, -1.5f}) {
      EXPECT_GE(PolarAngle(a, b), 0);
      EXPECT_LT(PolarAngle(a, b), kTwoPi);
      EXPECT_NEAR(PolarAngle(a, b), std::fmod(std::atan2(-b, a) + kTwoPi, kTwoPi), 1e-5);
    }
}

TEST(ArcSine, AbsorbsTheUndefinedCases) {
  EXPECT_EQ(ArcSine(1), kHalfPi);
  EXPECT_EQ(ArcSine(-1), kHalfPi);
  EXPECT_EQ(ArcSine(2), kHalfPi);
  EXPECT_NEAR(ArcSine(0.5f), 0.5236, 1e-4);
  EXPECT_NEAR(ArcSine(-0.5f), -0.5236, 1e-4);
}

TEST(CircleThroughPoints, FindsTheCircle) {
  Circle c = CircleThroughPoints(1, 0, 0, 1, -1, 0);
  EXPECT_NEAR(c.cx, 0, 1e-6);
  EXPECT_NEAR(c.cy, 0, 1e-6);
  EXPECT_NEAR(c.r, 1, 1e-6);
  c = CircleThroughPoints(3, 2, 2, 3, 1, 2);
  EXPECT_NEAR(c.cx, 2, 1e-5);
  EXPECT_NEAR(c.cy, 2, 1e-5);
  EXPECT_NEAR(c.r, 1, 1e-5);
}

TEST(HorizonOutline, ClosedCurveTouchingTheLimitCircle) {
  for (int lat : {25, 50, 80, -35, -80}) {
    auto p = HorizonOutline(lat);
    EXPECT_NEAR(p[0], p[240], 1e-5) << lat;
    EXPECT_NEAR(p[1], p[241], 1e-5) << lat;
    for (int i = 242; i <= 250; ++i) EXPECT_EQ(p[i], 0) << lat;
    // h = 12 (point 60) is the lowest point of the horizon, on the limit circle.
    EXPECT_NEAR(std::hypot(p[120], p[121]), kLimitRadius, 1e-5) << lat;
    for (int i = 0; i <= 240; i += 2) EXPECT_LE(std::hypot(p[i], p[i + 1]), 0.8900001) << lat;
  }
}

TEST(BoxesTouch, MeasuresTheGapBetweenQuadrilaterals) {
  const auto square = [](double x, double y) {
    return TextBox{DiscPoint{x, y, true}, {x + 1, y, true}, {x + 1, y + 1, true}, {x, y + 1, true}};
  };
  EXPECT_TRUE(boxesTouch({square(0, 0)}, {square(0.5, 0.5)}, 0));    // overlapping
  EXPECT_TRUE(boxesTouch({square(0, 0)}, {square(1.05, 0)}, 0.1));   // 0.05 apart
  EXPECT_FALSE(boxesTouch({square(0, 0)}, {square(1.2, 0.3)}, 0.1));  // 0.2 apart
  const TextBox line{DiscPoint{-1, 0.5, true}, {3, 0.5, true}, {3, 0.5, true}, {-1, 0.5, true}};
  EXPECT_TRUE(boxesTouch({square(0, 0)}, {line}, 0));                 // a line across it
  EXPECT_TRUE(boxesTouch({square(0, 0)}, {square(0.2, 0.2), square(5, 5)}, 0));
}

// The horizon grid's altitude 0 is the horizon curve: each of its points is
// the curve's point of the same hour angle, within 0.001 disc units.
TEST(HorizonGrid, AltitudeZeroIsTheHorizonCurve) {
  for (int latitude : {25, 50, 80, -35}) {
    DiscProjector projector(latitude);
    for (int azimuth = 0; azimuth < 360; azimuth += 5) {
      const DiscPoint p = maskPlace(projector, 0, azimuth);
      const double h = maskPoint(0, azimuth, latitude).raHours + 6;
      projector.projectUnbounded(h - 6, horizonDeclination(h, latitude * kDegreesToRadians));
      EXPECT_NEAR(std::hypot(p.x - projector.x(), p.y - projector.y()), 0, 0.001) << latitude << " " << azimuth;
    }
    const HorizonGrid grid = horizonGrid(projector);
    EXPECT_EQ(grid.altitudeCircles.size(), 8u);
    EXPECT_EQ(grid.azimuthLines.size(), 12u);
  }
}

// The grid's lines, thinned, still pass within the tolerance (and the error
// of their sampling) of every degree of their curves.
TEST(HorizonGrid, ThinnedLinesStayOnTheirCurves) {
  const auto distanceTo = [](const DiscPoint& p, const std::vector<DiscPoint>& line) {
    double nearest = 1e9;
    for (std::size_t i = 1; i < line.size(); ++i) {
      const DiscPoint &a = line[i - 1], &b = line[i];
      const double dx = b.x - a.x, dy = b.y - a.y;
      const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
      nearest = std::min(nearest, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
    }
    return nearest;
  };
  for (int latitude : {25, 50, 80, -35}) {
    DiscProjector projector(latitude);
    const HorizonGrid grid = horizonGrid(projector);
    for (const GridLine& circle : grid.altitudeCircles) {
      EXPECT_LT(circle.points.size(), 121u);
      for (int azimuth = 0; azimuth < 360; ++azimuth)
        EXPECT_LT(distanceTo(maskPlace(projector, circle.degrees, azimuth), circle.points), 1.2 * kGridTolerance)
            << latitude << " " << circle.degrees << " " << azimuth;
    }
    for (const GridLine& line : grid.azimuthLines)
      for (int altitude = 0; altitude <= 80; ++altitude)
        EXPECT_LT(distanceTo(maskPlace(projector, altitude, line.degrees), line.points), 1.2 * kGridTolerance)
            << latitude << " " << line.degrees << " " << altitude;
  }
}

// The room of a month name reaches from its label's centre to the nearer of
// its month's first day and the next month's, north and south.
TEST(DateRing, MonthLabelRoomReachesTheNearerFirstDay) {
  for (const int latitude : {50, -35}) {
    const DateRing ring = dateRing(latitude);
    std::vector<double> starts;  // degrees from +x
    for (const DayTick& tick : dayTicks(ring, false))
      if (tick.outer == 1.0) starts.push_back(tick.angleRad * kRadiansToDegrees);
    ASSERT_EQ(starts.size(), 12u);
    const std::array<double, 12> rotations = monthLabelRotations(ring);
    for (int m = 0; m < 12; ++m) {
      const double centre = rotations[static_cast<std::size_t>(m)] + 90;  // turned from the top
      const double toStart = std::fabs(std::remainder(centre - starts[static_cast<std::size_t>(m)], 360));
      const double toEnd = std::fabs(std::remainder(starts[static_cast<std::size_t>((m + 1) % 12)] - centre, 360));
      EXPECT_NEAR(monthLabelRoomDeg(m) / 2, std::min(toStart, toEnd), 1e-9) << latitude << " month " << m;
      EXPECT_GT(monthLabelRoomDeg(m), 27) << m;
    }
  }
}

}  // namespace
}  // namespace caelora
