// SPDX-License-Identifier: GPL-2.0-or-later
#include "sky/polygon_clipper.h"

#include <clipper.hpp>

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

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

// The even-odd inside of contours of which no two edges cross (they may
// touch at vertices), cut into trapezoids by horizontal lines through every
// vertex. The sweep goes up level by level and keeps the edges that span
// the current slab in their left-to-right order, which no level changes for
// the edges that go on through it. Whether the inside lies to the right of
// an edge holds for the edge's whole life; such a left edge bounds one open
// trapezoid with its right neighbour, which closes only where one of the two
// ends or another edge comes between them. A level touches only the edges
// that end or start there and their neighbours, so the sweep takes
// O((v + t) log v) for v vertices and t trapezoids, whatever the input.
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

__extension__ using Wide = __int128;  // products of three 31-bit coordinates

struct SweepEdge {
  SlabEdge at;                    // in the polygon's units: the corners are taken from it
  ClipperLib::IntPoint low, high;  // on Clipper's grid: the order is decided exactly
  bool insideRight = false;       // the inside lies to the right (a left edge)
  bool open = false;              // as a left edge: bounds an open trapezoid
  SweepEdge* right = nullptr;     // that trapezoid's right edge
  double bottom = 0;              // and where it began
  SweepEdge* owner = nullptr;     // as a right edge: the left edge of its trapezoid
};

// Left-to-right order at the height `twiceY` / 2, exact on the grid: an
// edge's x there is low.x + dx (y - low.y) / dy, compared without division.
struct LeftOfAt {
  const long long* twiceY;
  std::size_t* comparisons;
  Wide scaledX(const SweepEdge* e) const {  // 2 dy x
    const long long dy = e->high.Y - e->low.Y;
    return Wide{2} * e->low.X * dy + Wide{e->high.X - e->low.X} * (*twiceY - 2 * e->low.Y);
  }
  bool operator()(const SweepEdge* e, const SweepEdge* f) const {
    ++*comparisons;
    const Wide left = scaledX(e) * (f->high.Y - f->low.Y), right = scaledX(f) * (e->high.Y - e->low.Y);
    if (left != right) return left < right;
    return std::less<const SweepEdge*>()(e, f);  // edges that lie on one another
  }
};

class TrapezoidSweep {
 public:
  TrapezoidSweep(const ClipperLib::Paths& paths, double scale, std::size_t& comparisons)
      : scale_(scale), active_(LeftOfAt{&twiceY_, &comparisons}) {
    for (const ClipperLib::Path& path : paths) {
      for (std::size_t i = 0, n = path.size(); i < n; ++i) {
        const ClipperLib::IntPoint& p = path[i];
        const ClipperLib::IntPoint& q = path[(i + 1) % n];
        levels_.push_back(p.Y);
        if (p.Y == q.Y) continue;  // a horizontal edge bounds slabs, it spans none
        const ClipperLib::IntPoint& low = p.Y < q.Y ? p : q;
        const ClipperLib::IntPoint& high = p.Y < q.Y ? q : p;
        edges_.push_back({{{low.X / scale, low.Y / scale}, {high.X / scale, high.Y / scale}}, low, high});
      }
    }
    std::sort(levels_.begin(), levels_.end());
    levels_.erase(std::unique(levels_.begin(), levels_.end()), levels_.end());
    for (SweepEdge& e : edges_) {
      starting_.push_back(&e);
      ending_.push_back(&e);
    }
    std::sort(starting_.begin(), starting_.end(), [](const SweepEdge* e, const SweepEdge* f) { return e->low.Y < f->low.Y; });
    std::sort(ending_.begin(), ending_.end(), [](const SweepEdge* e, const SweepEdge* f) { return e->high.Y < f->high.Y; });
  }

  std::vector<Trapezoid> run() {
    for (std::size_t k = 0; k < levels_.size(); ++k) {
      const long long level = levels_[k];
      // Trapezoids that close here all span the slab below: they are put in
      // order across it.
      if (k > 0) keyY_ = (static_cast<double>(levels_[k - 1]) / scale_ + static_cast<double>(level) / scale_) / 2;
      touched_.clear();
      removeEnding(level);
      if (k + 1 < levels_.size()) {
        twiceY_ = level + levels_[k + 1];
        insertStarting(level);
        for (SweepEdge* e : touched_) reopen(e, level);
      } else {
        for (SweepEdge* e : active_) close(e, level);
      }
      emitClosed();
    }
    return std::move(result_);
  }

 private:
  using Active = std::set<SweepEdge*, LeftOfAt>;

  SweepEdge* neighbour(Active::iterator at, bool after) {
    if (after) return ++at == active_.end() ? nullptr : *at;
    return at == active_.begin() ? nullptr : *--at;
  }

  // The trapezoid of left edge `e` ends at `level`; it is written out with
  // the others of the level in their left-to-right order below it.
  void close(SweepEdge* e, long long level) {
    if (!e->insideRight || !e->open) return;
    e->open = false;
    const double top = static_cast<double>(level) / scale_;
    const double key = e->at.xAt(keyY_);
    closed_.push_back({key, {{e->at.xAt(e->bottom), e->bottom},
                             {e->right->at.xAt(e->bottom), e->bottom},
                             {e->right->at.xAt(top), top},
                             {e->at.xAt(top), top}}});
  }

  void removeEnding(long long level) {
    for (; nextEnding_ < ending_.size() && ending_[nextEnding_]->high.Y <= level; ++nextEnding_) {
      SweepEdge* e = ending_[nextEnding_];
      const Active::iterator at = active_.find(e);
      if (at == active_.end()) continue;
      close(e, level);
      if (!e->insideRight && e->owner) {
        close(e->owner, level);
        touched_.push_back(e->owner);
      }
      if (SweepEdge* after = neighbour(at, true)) touched_.push_back(after);  // its new neighbour, found below
      active_.erase(at);
    }
  }

  void insertStarting(long long level) {
    std::vector<SweepEdge*> started;
    for (; nextStarting_ < starting_.size() && starting_[nextStarting_]->low.Y <= level; ++nextStarting_) {
      active_.insert(starting_[nextStarting_]);
      started.push_back(starting_[nextStarting_]);
    }
    std::sort(started.begin(), started.end(), active_.key_comp());
    for (SweepEdge* e : started) {
      const SweepEdge* before = neighbour(active_.find(e), false);
      e->insideRight = before == nullptr || !before->insideRight;
      touched_.push_back(e);
      if (before) touched_.push_back(const_cast<SweepEdge*>(before));
    }
  }

  // The left edge next to a change bounds a trapezoid with its right
  // neighbour from here on; one that bounded another closes.
  void reopen(SweepEdge* e, long long level) {
    const Active::iterator at = active_.find(e);
    if (at == active_.end()) return;
    if (!e->insideRight) {  // a right edge: its left neighbour is the one to look at
      SweepEdge* before = neighbour(at, false);
      if (before != nullptr && before->insideRight) reopen(before, level);
      return;
    }
    SweepEdge* after = neighbour(at, true);
    if (e->open && e->right == after) return;
    close(e, level);
    if (after == nullptr) return;
    e->open = true;
    e->right = after;
    e->bottom = static_cast<double>(level) / scale_;
    after->owner = e;
  }

  void emitClosed() {
    std::sort(closed_.begin(), closed_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [key, trapezoid] : closed_) result_.push_back(trapezoid);
    closed_.clear();
  }

  double scale_;
  std::deque<SweepEdge> edges_;
  std::vector<long long> levels_;
  std::vector<SweepEdge*> starting_, ending_;
  std::size_t nextStarting_ = 0, nextEnding_ = 0;
  long long twiceY_ = 0;
  double keyY_ = 0;
  Active active_;
  std::vector<SweepEdge*> touched_;
  std::vector<std::pair<double, Trapezoid>> closed_;
  std::vector<Trapezoid> result_;
};

bool hasArea(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c) {
  return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y) != 0;
}

// The polygon's even-odd inside as contours of which no two edges cross
// (Clipper's union; they may touch at vertices, which the sweep allows),
// cut into trapezoids.
std::vector<Trapezoid> trapezoids(const ClipPolygon& polygon, SweepWork* work) {
  const double scale = integerScale(largestMagnitude(polygon, 0));
  ClipperLib::Clipper clipper;
  clipper.AddPaths(toIntegerPaths(polygon, scale), ClipperLib::ptSubject, true);
  ClipperLib::Paths simple;
  if (!clipper.Execute(ClipperLib::ctUnion, simple, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd)) {
    throw std::runtime_error("polygon clipper: the polygon could not be made simple");
  }
  SweepWork done;
  for (const ClipperLib::Path& path : simple) done.vertices += path.size();
  std::vector<Trapezoid> result = TrapezoidSweep(simple, scale, done.comparisons).run();
  if (work != nullptr) *work = done;
  return result;
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

ClipPolygon PolygonClipper::triangles(const ClipPolygon& polygon, SweepWork* work) const {
  ClipPolygon out;
  for (const Trapezoid& t : trapezoids(polygon, work)) {
    if (hasArea(t.a, t.b, t.c)) out.contours.push_back({t.a, t.b, t.c});
    if (hasArea(t.a, t.c, t.d)) out.contours.push_back({t.a, t.c, t.d});
  }
  return out;
}

ClipPolygon PolygonClipper::triangleStrips(const ClipPolygon& polygon) const {
  ClipPolygon out;
  // Strip a, b, d, c: its triangles are (a, b, d) and (b, d, c).
  for (const Trapezoid& t : trapezoids(polygon, nullptr)) out.contours.push_back({t.a, t.b, t.d, t.c});
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
