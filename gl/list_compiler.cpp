// Replays a recording into glNewList / glEndList.
#include "gl/list_compiler.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

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

// At the End of a point primitive drawn with `size`: when only colour
// changes and settings of that same size stand between it and the next Begin
// of points, returns the index of that Begin, else 0. A size set and then
// replaced before anything is drawn changes nothing either.
std::size_t nextPointBatch(const std::vector<GlCommand>& cmds, std::size_t end, float size) {
  float pending = size;
  for (std::size_t i = end + 1; i < cmds.size(); ++i) {
    const GlCommand& c = cmds[i];
    if (c.op == GlCommand::Op::Color) continue;
    if (c.op == GlCommand::Op::PointSize) {
      pending = c.a;
      continue;
    }
    if (c.op == GlCommand::Op::Begin && c.primitive == Primitive::Points && pending == size)
      return i;
    return 0;
  }
  return 0;
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

}  // namespace

void compileList(int number, const DisplayList& list) {
  const std::vector<GlCommand>& cmds = list.commands();
  glNewList(static_cast<GLuint>(number), GL_COMPILE);
  bool inPoints = false;
  bool sizeKnown = false;
  float size = 0;
  for (std::size_t i = 0; i < cmds.size(); ++i) {
    const GlCommand& c = cmds[i];
    if (c.op == GlCommand::Op::PointSize) sizeKnown = true, size = c.a;
    if (c.op == GlCommand::Op::Begin) inPoints = c.primitive == Primitive::Points && sizeKnown;
    if (c.op == GlCommand::Op::End && inPoints) {
      if (std::size_t next = nextPointBatch(cmds, i, size)) {
        // glColor is allowed inside glBegin/glEnd: keep the primitive open;
        // the sizes in between equal the one in force.
        for (std::size_t k = i + 1; k < next; ++k)
          if (cmds[k].op == GlCommand::Op::Color) issue(cmds[k]);
        i = next;
        continue;
      }
      inPoints = false;
    }
    issue(c);
  }
  glEndList();
}

void deleteChartLists() { glDeleteLists(1, kEclipticList); }

}  // namespace caelora
