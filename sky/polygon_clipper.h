// SPDX-License-Identifier: GPL-2.0-or-later
// Polygons of several contours read by the even-odd rule: their intersection
// (Clipper, on integers scaled from the doubles) and their triangulation
// into trapezoids between horizontal lines through the vertices. The Milky
// Way bands on screen and on the page go through here.
#pragma once

#include <cstddef>
#include <vector>

namespace caelora {

struct ClipVertex {
  double x = 0;
  double y = 0;
};

// A closed contour: the last vertex joins the first.
using ClipContour = std::vector<ClipVertex>;

// A polygon as a set of contours. Its inside is every point that a ray from
// it crosses an odd number of times: two nested loops make a band.
struct ClipPolygon {
  std::vector<ClipContour> contours;

  ClipContour& appendContour() {
    contours.emplace_back();
    return contours.back();
  }
};

// What a triangulation cost: the vertices of the contours it swept (those
// of the polygon and one at each crossing of its edges) and the comparisons
// of the sweep's order. They grow as v log v, whatever the contours.
struct SweepWork {
  std::size_t vertices = 0;
  std::size_t comparisons = 0;
};

class PolygonClipper {
 public:
  // The region inside both polygons, as outer boundaries and holes that do
  // not cross: filled by the even-odd rule they reproduce it. Throws
  // std::invalid_argument for a coordinate that is not finite and
  // std::runtime_error when the clipping fails.
  ClipPolygon intersection(const ClipPolygon& a, const ClipPolygon& b) const;

  // Triangles that cover the polygon's even-odd inside exactly once; each
  // contour of the result is one triangle (three vertices). `work`, when
  // given, learns what the sweep cost.
  ClipPolygon triangles(const ClipPolygon& polygon, SweepWork* work = nullptr) const;

  // The same covering as triangle strips: each contour of the result is one
  // strip, whose vertices k, k+1, k+2 form its k-th triangle.
  ClipPolygon triangleStrips(const ClipPolygon& polygon) const;

};

// Area enclosed by one contour (shoelace formula), positive when the contour
// runs counter-clockwise with y upward.
double signedArea(const ClipContour& contour);

}  // namespace caelora
