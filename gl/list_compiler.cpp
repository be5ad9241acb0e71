// SPDX-License-Identifier: GPL-2.0-or-later
// Replays a recording into glNewList / glEndList.
#include "gl/list_compiler.h"

#include <GL/gl.h>

#include <cstdint>

#include "sky/point_batches.h"

namespace caelora {

namespace {

GLenum glPrimitive(Primitive p) {
  switch (p) {
    case Primitive::Points: return GL_POINTS;
    case Primitive::Lines: return GL_LINES;
    case Primitive::LineLoop: return GL_LINE_LOOP;
    case Primitive::LineStrip: return GL_LINE_STRIP;
    case Primitive::Triangles: return GL_TRIANGLES;
    case Primitive::TriangleStrip: return GL_TRIANGLE_STRIP;
    case Primitive::TriangleFan: return GL_TRIANGLE_FAN;
    case Primitive::Quads: return GL_QUADS;
    case Primitive::Polygon: return GL_POLYGON;
  }
  return GL_POINTS;
}

GLenum glCapability(Capability c) {
  switch (c) {
    case Capability::PointSmooth: return GL_POINT_SMOOTH;
    case Capability::LineSmooth: return GL_LINE_SMOOTH;
    case Capability::PolygonSmooth: return GL_POLYGON_SMOOTH;
  }
  return GL_POINT_SMOOTH;
}

void issue(const GlCommand& c) {
  switch (c.op) {
    case GlCommand::Op::Color: glColor3f(c.a, c.b, c.c); break;
    case GlCommand::Op::PointSize: glPointSize(c.a); break;
    case GlCommand::Op::LineWidth: glLineWidth(c.a); break;
    case GlCommand::Op::Begin: glBegin(glPrimitive(c.primitive)); break;
    case GlCommand::Op::Vertex: glVertex2f(c.a, c.b); break;
    case GlCommand::Op::End: glEnd(); break;
    case GlCommand::Op::Enable: glEnable(glCapability(c.capability)); break;
    case GlCommand::Op::Disable: glDisable(glCapability(c.capability)); break;
    case GlCommand::Op::PushMatrix: glPushMatrix(); break;
    case GlCommand::Op::PopMatrix: glPopMatrix(); break;
    case GlCommand::Op::Rotate: glRotatef(c.a, 0.0f, 0.0f, 1.0f); break;
    case GlCommand::Op::Translate: glTranslatef(c.a, c.b, 0.0f); break;
  }
}

std::uint64_t generation = 0;
std::uint64_t readouts = 0;

}  // namespace

void compileList(int number, const DisplayList& list) {
  ++(number == kReadoutList ? readouts : generation);
  const DisplayList batched = batchPointsBySize(list);
  glNewList(static_cast<GLuint>(number), GL_COMPILE);
  for (const GlCommand& c : batched.commands()) issue(c);
  glEndList();
}

void deleteChartLists() {
  ++generation;
  glDeleteLists(1, kMessierList);  // every list of the chart, 1 to the last
}

std::uint64_t listsGeneration() { return generation; }

std::uint64_t readoutCompilations() { return readouts; }

}  // namespace caelora
