// SPDX-License-Identifier: GPL-2.0-or-later
// A display list as a recording: the sequence of OpenGL 1.1 commands a sky
// loader would have issued. The GL edge compiles it into a real display list;
// tests read it without any GL context.
#pragma once

#include <cstdint>
#include <vector>

namespace caelora {

enum class Primitive : std::uint8_t {
  Points, Lines, LineLoop, LineStrip, Triangles, TriangleStrip, TriangleFan, Quads, Polygon
};

enum class Capability : std::uint8_t { PointSmooth, LineSmooth, PolygonSmooth };

struct GlCommand {
  enum class Op : std::uint8_t {
    Color,       // a, b, c = red, green, blue
    PointSize,   // a = size in pixels
    LineWidth,   // a = width in pixels
    Begin,       // primitive
    Vertex,      // a, b = x, y
    End,
    Enable,      // capability
    Disable,     // capability
    PushMatrix,
    PopMatrix,
    Rotate,      // a = degrees about (0, 0, 1)
    Translate,   // a, b = x, y
  };
  Op op;
  Primitive primitive = Primitive::Points;
  Capability capability = Capability::PointSmooth;
  float a = 0, b = 0, c = 0;

  bool operator==(const GlCommand& o) const {
    return op == o.op && primitive == o.primitive && capability == o.capability &&
           a == o.a && b == o.b && c == o.c;
  }
};

// Fixed list numbers of the chart.
enum ListNumber : int {
  kStarsList = 1,
  kFiguresList = 2,
  kNamesList = 4,
  kDateScaleList = 5,
  kMilkyWayList = 6,
  kWindowShapeList = 7,
  kMaskList = 8,
  kGridList = 9,
  kEclipticList = 10,
  kReadoutList = 11,  // the date and time the disc shows, over the mask
  // Later layers: drawn in the horizon window without turning (the horizon
  // grid), or with the disc.
  kHorizonGridList = 12,
  kBoundariesList = 13,
  kPlanetsList = 14,
  kMessierList = 15,
};

class DisplayList {
 public:
  void color(float r, float g, float b) { push({GlCommand::Op::Color, {}, {}, r, g, b}); }
  void pointSize(float s) { push({GlCommand::Op::PointSize, {}, {}, s}); }
  void lineWidth(float w) { push({GlCommand::Op::LineWidth, {}, {}, w}); }
  void begin(Primitive p) { push({GlCommand::Op::Begin, p}); }
  void vertex(float x, float y) { push({GlCommand::Op::Vertex, {}, {}, x, y}); }
  void end() { push({GlCommand::Op::End}); }
  void enable(Capability c) { push({GlCommand::Op::Enable, {}, c}); }
  void disable(Capability c) { push({GlCommand::Op::Disable, {}, c}); }
  void pushMatrix() { push({GlCommand::Op::PushMatrix}); }
  void popMatrix() { push({GlCommand::Op::PopMatrix}); }
  void rotate(float degrees) { push({GlCommand::Op::Rotate, {}, {}, degrees}); }
  void translate(float x, float y) { push({GlCommand::Op::Translate, {}, {}, x, y}); }
  // One command as it stands, for code that rewrites recordings.
  void add(const GlCommand& c) { push(c); }

  // Appends every command of another recording (used when a loader draws
  // text or a mark built elsewhere).
  void append(const DisplayList& other) {
    commands_.insert(commands_.end(), other.commands_.begin(), other.commands_.end());
  }

  const std::vector<GlCommand>& commands() const { return commands_; }
  bool empty() const { return commands_.empty(); }
  std::size_t size() const { return commands_.size(); }

 private:
  void push(const GlCommand& c) { commands_.push_back(c); }
  std::vector<GlCommand> commands_;
};

}  // namespace caelora
