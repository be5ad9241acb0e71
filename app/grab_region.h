// SPDX-License-Identifier: GPL-2.0-or-later
// Where a press of the left button takes hold of the star disc: the horizon
// window of the mask plus a band along the upper rim of the disc, in stage
// pixels (y downward). The outlines are plain arithmetic; the region is Qt's.
#pragma once

#include <vector>

class QRegion;

namespace caelora {

struct StagePoint {
  int x = 0;
  int y = 0;
  bool operator==(const StagePoint& o) const { return x == o.x && y == o.y; }
};

// The horizon window of `latitudeDegrees` on a stage of the given size: the
// first 120 points of HorizonOutline (the 121st closes the curve and is left
// to the polygon), mapped from -1..1 with y upward onto pixels, rounded to
// the nearest pixel with halves to even.
std::vector<StagePoint> horizonWindowPolygon(int latitudeDegrees, int stageWidth,
                                             int stageHeight);

// The rim band: the outer edge of the disc from -30 to 210 degrees
// (counter-clockwise from the right-hand horizontal) in steps of 5, then the
// circle of radius 0.9 back from 210 to -30; 98 points. It leaves out the
// lowest 120 degrees of the rim, below the mask's hour scale.
std::vector<StagePoint> rimBandPolygon(int stageWidth, int stageHeight);

// The grab region: both polygons filled with the winding rule, united.
QRegion buildGrabRegion(int latitudeDegrees, int stageWidth, int stageHeight);

}  // namespace caelora
