// SPDX-License-Identifier: GPL-2.0-or-later
// The grab region of the stage from the horizon outline and the rim band.
#include "app/grab_region.h"

#include <QPolygon>
#include <QRegion>
#include <cmath>

#include "sky/chart_geometry.h"
#include "sky/geometry.h"
#include "ui/whole_pixels.h"

namespace caelora {

namespace {

constexpr int kHorizonPoints = 120;

// A point of the disc (radius 1 at the rim, y upward) in stage pixels.
StagePoint discToStage(double x, double y, int stageWidth, int stageHeight) {
  return {roundHalfEven(stageWidth * (x + 1) / 2), roundHalfEven(stageHeight * (1 - y) / 2)};
}

StagePoint rimPoint(int angleDeg, double radius, int stageWidth, int stageHeight) {
  const double a = angleDeg * kDegreesToRadians;
  return discToStage(radius * std::cos(a), radius * std::sin(a), stageWidth, stageHeight);
}

QPolygon toPolygon(const std::vector<StagePoint>& points) {
  QPolygon polygon;
  polygon.reserve(static_cast<int>(points.size()));
  for (const StagePoint& p : points) polygon.append(QPoint(p.x, p.y));
  return polygon;
}

}  // namespace

std::vector<StagePoint> horizonWindowPolygon(int latitudeDegrees, int stageWidth,
                                             int stageHeight) {
  const auto outline = HorizonOutline(latitudeDegrees);
  std::vector<StagePoint> points;
  points.reserve(kHorizonPoints);
  for (int k = 0; k < kHorizonPoints; ++k) {
    points.push_back(discToStage(outline[2 * k], outline[2 * k + 1], stageWidth, stageHeight));
  }
  return points;
}

std::vector<StagePoint> rimBandPolygon(int stageWidth, int stageHeight) {
  const std::vector<int> angles = windowRimAnglesDeg();
  std::vector<StagePoint> points;
  for (auto a = angles.begin(); a != angles.end(); ++a)
    points.push_back(rimPoint(*a, kRimRadius, stageWidth, stageHeight));
  for (auto a = angles.rbegin(); a != angles.rend(); ++a)
    points.push_back(rimPoint(*a, kWindowRimRadius, stageWidth, stageHeight));
  return points;
}

QRegion buildGrabRegion(int latitudeDegrees, int stageWidth, int stageHeight) {
  const QRegion window(toPolygon(horizonWindowPolygon(latitudeDegrees, stageWidth, stageHeight)),
                       Qt::WindingFill);
  const QRegion band(toPolygon(rimBandPolygon(stageWidth, stageHeight)), Qt::WindingFill);
  return band.united(window);
}

}  // namespace caelora
