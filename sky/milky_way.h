// SPDX-License-Identifier: GPL-2.0-or-later
// The Milky Way layer: two nested bands, each the region between a northern
// and a southern edge given in galactic coordinates (outline resources 101 to
// 104), cut at the limit circle and filled beneath every other layer.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sky/chart_setup.h"
#include "sky/display_list.h"
#include "sky/geometry.h"
#include "sky/polygon_clipper.h"
#include "sky/screen_colours.h"

namespace caelora {

// The bytes of the four outline resources, in the order 101, 102, 103, 104:
// outer band north and south edge, inner band north and south edge.
struct MilkyWayOutlines {
  static constexpr int kFirstResource = 101;
  std::array<std::string, 4> bytes;

  const std::string& resource(int number) const { return bytes.at(number - kFirstResource); }
};

// The four outlines read from <folder>/101.bin .. 104.bin; a missing file
// throws DataError naming it.
MilkyWayOutlines readMilkyWayOutlines(const std::string& folder);

// One outline point as stored: c = (180 - l) x 100, d = b x 1000, with l and b
// the galactic longitude and latitude in degrees.
struct OutlineCode {
  std::int16_t c = 0;
  std::int16_t d = 0;
};

// The little-endian int16 pairs of one resource. Throws DataError naming the
// resource when its length is not a whole number of pairs or it holds fewer
// than three points (no outline).
std::vector<OutlineCode> decodeOutline(const std::string& bytes, int resourceNumber);

// A stored outline point in the equatorial frame the chart projects.
EquatorialPoint outlineToEquatorial(OutlineCode code);

// The points of an outline resource in the equatorial frame, the same for
// every latitude: worked out once per process for each resource's bytes and
// shared from then on (safe from several threads). Throws as decodeOutline.
std::shared_ptr<const std::vector<EquatorialPoint>> equatorialOutline(const std::string& bytes,
                                                                      int resourceNumber);

// Fill colour of band 1 (outer) or 2 (inner) for a colour scheme and the
// brightness "SMapIMMode".
Rgb milkyWayBandColour(ScreenScheme scheme, int intensity, int band);

// Band 1 or 2 cut at the limit circle, in disc coordinates: outer boundaries
// and holes that, filled by the even-odd rule, give the visible part of the
// band (visibleMilkyWayBand on the screen's disc).
ClipPolygon clippedMilkyWayBand(int latitudeDegrees, const MilkyWayOutlines& outlines, int band,
                                PolygonClipper& clipper);

// Display list 6: both bands as triangles, the outer band first.
DisplayList LoadMilkyWay(const ChartSetup& setup, const MilkyWayOutlines& outlines);

}  // namespace caelora
