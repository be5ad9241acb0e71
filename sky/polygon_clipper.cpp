// SPDX-License-Identifier: GPL-2.0-or-later
#include "sky/polygon_clipper.h"

#include <clipper.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace caelora {
namespace {

// Clipper works on integers. Coordinates are scaled by a power of two (so the
// way back is exact) that keeps the largest of them below 2^29, inside the
// range where Clipper's fast 64-bit arithmetic is exact.
constexpr double kIntegerReach = 536870912.0;  // 2^29

double largestMagnitude(const ClipPolygon& polygon, double sofar) {
  for (const ClipContour& contour : polygon.contours) {
    for (const ClipVertex& v : contour) {
      if (!std::isfinite(v.x) || !std::isfinite(v.y)) {
        throw std::invalid_argument("polygon clipper: a vertex has a coordinate that is not finite");
      }
      sofar = std::fmax(sofar, std::fmax(std::fabs(v.x), std::fabs(v.y)));
    }
  }
  return sofar;
}

double integerScale(double largest) {
  if (!(largest > 0)) return 1.0;
  return std::ldexp(1.0, static_cast<int>(std::floor(std::log2(kIntegerReach / largest))));
}

ClipperLib::Paths toIntegerPaths(const ClipPolygon& polygon, double scale) {
  ClipperLib::Paths paths;
  paths.reserve(polygon.contours.size());
  for (const ClipContour& contour : polygon.contours) {
    ClipperLib::Path path;
    path.reserve(contour.size());
    for (const ClipVertex& v : contour) {
      path.emplace_back(std::llround(v.x * scale), std::llround(v.y * scale));
    }
    paths.push_back(std::move(path));
  }
  return paths;
}

ClipPolygon fromIntegerPaths(const ClipperLib::Paths& paths, double scale) {
  ClipPolygon polygon;
  polygon.contours.reserve(paths.size());
  for (const ClipperLib::Path& path : paths) {
    ClipContour& contour = polygon.appendContour();
    contour.reserve(path.size());
    for (const ClipperLib::IntPoint& p : path) {
      contour.push_back({static_cast<double>(p.X) / scale, static_cast<double>(p.Y) / scale});
    }
  }
  return polygon;
}

// The even-odd inside of simple contours (no two edges cross), cut into
// trapezoids by horizontal lines through every vertex. Within one slab the
// edges that span it keep their left-to-right order, and the even-odd rule
// pairs them: first with second, third with fourth.
struct SlabEdge {
  ClipVertex low;   // the end with the smaller y
  ClipVertex high;
  double xAt(double y) const {
    if (y <= low.y) return low.x;
    if (y >= high.y) return high.x;
    return low.x + (high.x - low.x) * (y - low.y) / (high.y - low.y);
  }
};

struct Trapezoid {
  ClipVertex a, b, c, d;  // lower left, lower right, upper right, upper left
};

std::vector<SlabEdge> slabEdges(const ClipPolygon& polygon, std::vector<double>& levels) {
  std::vector<SlabEdge> edges;
  for (const ClipContour& contour : polygon.contours) {
    for (std::size_t i = 0, n = contour.size(); i < n; ++i) {
      const ClipVertex& p = contour[i];
      const ClipVertex& q = contour[(i + 1) % n];
      levels.push_back(p.y);
      if (p.y == q.y) continue;  // a horizontal edge bounds slabs, it spans none
      edges.push_back(p.y < q.y ? SlabEdge{p, q} : SlabEdge{q, p});
    }
  }
  std::sort(levels.begin(), levels.end());
  levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
  std::sort(edges.begin(), edges.end(),
            [](const SlabEdge& e, const SlabEdge& f) { return e.low.y < f.low.y; });
  return edges;
}

// A trapezoid still growing upwards: the same two edges bound it in every
// slab since `bottom`.
struct OpenTrapezoid {
  const SlabEdge* left;
  const SlabEdge* right;
  double bottom;
};

Trapezoid closedAt(const OpenTrapezoid& t, double top) {
  return {{t.left->xAt(t.bottom), t.bottom},
          {t.right->xAt(t.bottom), t.bottom},
          {t.right->xAt(top), top},
          {t.left->xAt(top), top}};
}

// Slab by slab, the pairs of edges that bound the inside; a pair that bounds
// the slab above as well grows into it, so that each trapezoid ends only
// where one of its edges does (or another edge cuts in between them).
std::vector<Trapezoid> trapezoids(const ClipPolygon& simple) {
  std::vector<double> levels;
  const std::vector<SlabEdge> edges = slabEdges(simple, levels);
  std::vector<Trapezoid> result;
  std::vector<const SlabEdge*> active;
  std::vector<OpenTrapezoid> open, growing;
  std::size_t next = 0;
  for (std::size_t k = 0; k + 1 < levels.size(); ++k) {
    const double lo = levels[k], hi = levels[k + 1], mid = (lo + hi) / 2;
    active.erase(std::remove_if(active.begin(), active.end(),
                                [lo](const SlabEdge* e) { return e->high.y <= lo; }),
                 active.end());
    while (next < edges.size() && edges[next].low.y <= lo) active.push_back(&edges[next++]);
    std::sort(active.begin(), active.end(),
              [mid](const SlabEdge* e, const SlabEdge* f) { return e->xAt(mid) < f->xAt(mid); });
    growing.clear();
    for (std::size_t i = 0; i + 1 < active.size(); i += 2) {
      const SlabEdge* left = active[i];
      const SlabEdge* right = active[i + 1];
      const auto same = std::find_if(open.begin(), open.end(), [&](const OpenTrapezoid& t) {
        return t.left == left && t.right == right;
      });
      if (same != open.end()) {
        growing.push_back(*same);
        open.erase(same);
      } else {
        growing.push_back({left, right, lo});
      }
    }
    for (const OpenTrapezoid& t : open) result.push_back(closedAt(t, lo));
    open.swap(growing);
  }
  if (!levels.empty())
    for (const OpenTrapezoid& t : open) result.push_back(closedAt(t, levels.back()));
  return result;
}

bool hasArea(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c) {
  return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y) != 0;
}

}  // namespace

ClipPolygon PolygonClipper::intersection(const ClipPolygon& a, const ClipPolygon& b) const {
  const double scale = integerScale(largestMagnitude(b, largestMagnitude(a, 0)));
  ClipperLib::Clipper clipper;
  // Contours of fewer than three distinct points enclose nothing; Clipper
  // declines them, which is what the even-odd rule would make of them.
  clipper.AddPaths(toIntegerPaths(a, scale), ClipperLib::ptSubject, true);
  clipper.AddPaths(toIntegerPaths(b, scale), ClipperLib::ptClip, true);
  ClipperLib::Paths solution;
  if (!clipper.Execute(ClipperLib::ctIntersection, solution, ClipperLib::pftEvenOdd,
                       ClipperLib::pftEvenOdd)) {
    throw std::runtime_error("polygon clipper: the intersection failed");
  }
  return fromIntegerPaths(solution, scale);
}

ClipPolygon PolygonClipper::simplified(const ClipPolygon& polygon) const {
  const double scale = integerScale(largestMagnitude(polygon, 0));
  ClipperLib::Clipper clipper;
  clipper.StrictlySimple(true);
  clipper.AddPaths(toIntegerPaths(polygon, scale), ClipperLib::ptSubject, true);
  ClipperLib::Paths solution;
  if (!clipper.Execute(ClipperLib::ctUnion, solution, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd)) {
    throw std::runtime_error("polygon clipper: the polygon could not be made simple");
  }
  return fromIntegerPaths(solution, scale);
}

ClipPolygon PolygonClipper::triangles(const ClipPolygon& polygon) const {
  ClipPolygon out;
  for (const Trapezoid& t : trapezoids(simplified(polygon))) {
    if (hasArea(t.a, t.b, t.c)) out.contours.push_back({t.a, t.b, t.c});
    if (hasArea(t.a, t.c, t.d)) out.contours.push_back({t.a, t.c, t.d});
  }
  return out;
}

ClipPolygon PolygonClipper::triangleStrips(const ClipPolygon& polygon) const {
  ClipPolygon out;
  // Strip a, b, d, c: its triangles are (a, b, d) and (b, d, c).
  for (const Trapezoid& t : trapezoids(simplified(polygon))) out.contours.push_back({t.a, t.b, t.d, t.c});
  return out;
}

double signedArea(const ClipContour& contour) {
  double twice = 0;
  for (std::size_t i = 0, n = contour.size(); i < n; ++i) {
    const ClipVertex& p = contour[i];
    const ClipVertex& q = contour[(i + 1) % n];
    twice += p.x * q.y - q.x * p.y;
  }
  return twice / 2;
}

}  // namespace caelora
