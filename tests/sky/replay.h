// SPDX-License-Identifier: GPL-2.0-or-later
// Test helper: replays a recording's matrix commands (push, pop, rotate,
// translate) and collects every primitive with its vertices in disc
// coordinates, so that tests can check where lettering really lands.
#pragma once

#include <cmath>
#include <vector>

#include "sky/display_list.h"

namespace caelora::testing {

struct Point {
  double x = 0;
  double y = 0;
};

struct Shape {
  Primitive primitive = Primitive::Points;
  std::vector<Point> points;  // disc coordinates, after the matrix stack
};

// 2-D affine transform: (x, y) -> (a x + c y + e, b x + d y + f).
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
  Affine then(const Affine& m) const {  // this * m
    return {a * m.a + c * m.b, b * m.a + d * m.b, a * m.c + c * m.d,
            b * m.c + d * m.d, a * m.e + c * m.f + e, b * m.e + d * m.f + f};
  }
  Point apply(double x, double y) const { return {a * x + c * y + e, b * x + d * y + f}; }
};

inline std::vector<Shape> Replay(const DisplayList& list) {
  std::vector<Shape> shapes;
  std::vector<Affine> stack(1);
  for (const GlCommand& c : list.commands()) {
    switch (c.op) {
      case GlCommand::Op::PushMatrix: stack.push_back(stack.back()); break;
      case GlCommand::Op::PopMatrix: stack.pop_back(); break;
      case GlCommand::Op::Rotate: {
        const double r = c.a * 3.14159265358979 / 180;
        stack.back() = stack.back().then({std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0});
        break;
      }
      case GlCommand::Op::Translate:
        stack.back() = stack.back().then({1, 0, 0, 1, c.a, c.b});
        break;
      case GlCommand::Op::Begin: shapes.push_back({c.primitive, {}}); break;
      case GlCommand::Op::Vertex: shapes.back().points.push_back(stack.back().apply(c.a, c.b)); break;
      default: break;
    }
  }
  return shapes;
}

inline std::vector<Shape> ShapesOf(const std::vector<Shape>& shapes, Primitive p) {
  std::vector<Shape> out;
  for (const Shape& s : shapes)
    if (s.primitive == p) out.push_back(s);
  return out;
}

inline double Radius(const Point& p) { return std::hypot(p.x, p.y); }

inline std::vector<GlCommand> CommandsOf(const DisplayList& list, GlCommand::Op op) {
  std::vector<GlCommand> out;
  for (const GlCommand& c : list.commands())
    if (c.op == op) out.push_back(c);
  return out;
}

}  // namespace caelora::testing
