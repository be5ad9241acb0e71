// SPDX-License-Identifier: GPL-2.0-or-later
#include "sky/point_batches.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

namespace caelora {
namespace {

struct Colour {
  float r, g, b;
  bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Colour& o) const { return !(*this == o); }
};

struct Point {
  float x, y;
  float size;
  Colour colour;
};

// What a run of points draws, and the state it leaves behind.
struct PointRun {
  std::vector<Point> points;
  float lastSize = 0;  // 0: the run sets no size
  std::optional<Colour> lastColour;
  bool regroupable = true;
};

bool isPointCommand(const GlCommand& c, bool insidePoints) {
  switch (c.op) {
    case GlCommand::Op::Color:
    case GlCommand::Op::PointSize: return true;
    case GlCommand::Op::Begin: return !insidePoints && c.primitive == Primitive::Points;
    case GlCommand::Op::Vertex:
    case GlCommand::Op::End: return insidePoints;
    default: return false;
  }
}

// The commands from `first` on that only set sizes or colours or draw points;
// returns the index after them. `size` and `colour` are the state in force
// and are carried through the run.
std::size_t readRun(const std::vector<GlCommand>& cmds, std::size_t first, std::optional<float>& size,
                    std::optional<Colour>& colour, PointRun& run) {
  bool inside = false;
  std::size_t i = first;
  for (; i < cmds.size() && isPointCommand(cmds[i], inside); ++i) {
    const GlCommand& c = cmds[i];
    switch (c.op) {
      case GlCommand::Op::Color:
        colour = run.lastColour = Colour{c.a, c.b, c.c};
        break;
      case GlCommand::Op::PointSize:
        // OpenGL refuses a size of zero or less and keeps the one in force.
        if (c.a > 0) size = run.lastSize = c.a;
        break;
      case GlCommand::Op::Begin: inside = true; break;
      case GlCommand::Op::End: inside = false; break;
      default:  // a vertex
        if (!size || !colour) run.regroupable = false;
        run.points.push_back({c.a, c.b, size.value_or(0), colour.value_or(Colour{0, 0, 0})});
        break;
    }
  }
  // A run cut off inside its primitive is left to the commands that follow.
  if (inside) run.regroupable = false;
  return i;
}

long sizeClass(float size, float step) {
  return std::max(1L, std::lround(size / step));
}

void appendBatches(DisplayList& out, PointRun& run, float step) {
  std::stable_sort(run.points.begin(), run.points.end(), [step](const Point& p, const Point& q) {
    return sizeClass(p.size, step) < sizeClass(q.size, step);
  });
  std::optional<Colour> drawn;
  for (std::size_t i = 0; i < run.points.size();) {
    const long cls = sizeClass(run.points[i].size, step);
    out.pointSize(static_cast<float>(cls) * step);
    out.begin(Primitive::Points);
    for (; i < run.points.size() && sizeClass(run.points[i].size, step) == cls; ++i) {
      const Point& p = run.points[i];
      if (drawn != p.colour) out.color(p.colour.r, p.colour.g, p.colour.b);
      drawn = p.colour;
      out.vertex(p.x, p.y);
    }
    out.end();
  }
  if (run.lastSize > 0) out.pointSize(run.lastSize);
  if (run.lastColour && drawn != run.lastColour)
    out.color(run.lastColour->r, run.lastColour->g, run.lastColour->b);
}

void appendAsRecorded(DisplayList& out, const std::vector<GlCommand>& cmds, std::size_t from,
                      std::size_t to) {
  for (std::size_t i = from; i < to; ++i) out.add(cmds[i]);
}

}  // namespace

DisplayList batchPointsBySize(const DisplayList& list, float sizeStep) {
  const std::vector<GlCommand>& cmds = list.commands();
  DisplayList out;
  std::optional<float> size;
  std::optional<Colour> colour;
  for (std::size_t i = 0; i < cmds.size();) {
    PointRun run;
    const std::size_t end = readRun(cmds, i, size, colour, run);
    if (end == i) {
      // Not a point command: it passes through, and a colour or size it
      // cannot change is still known afterwards.
      out.add(cmds[i++]);
      continue;
    }
    if (run.regroupable && !run.points.empty()) appendBatches(out, run, sizeStep);
    else appendAsRecorded(out, cmds, i, end);
    i = end;
  }
  return out;
}

}  // namespace caelora
