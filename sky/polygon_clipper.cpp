#include "sky/polygon_clipper.h"

#include <GL/glu.h>
#include <clipper.hpp>

#include <array>
#include <cmath>
#include <deque>
#include <new>
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

// One run of the tessellator. GLU keeps pointers to the vertex coordinates
// until gluTessEndPolygon returns, so they live in a deque that never moves
// its elements; the vertices it makes where edges meet go there too.
struct TessRun {
  std::deque<std::array<GLdouble, 3>> storage;
  GLenum mode = GL_TRIANGLES;
  std::vector<ClipVertex> primitive;
  ClipPolygon result;
  GLenum error = 0;
  bool outOfMemory = false;
};

void addTriangle(ClipPolygon& out, const ClipVertex& a, const ClipVertex& b, const ClipVertex& c) {
  out.contours.push_back({a, b, c});
}

// Turns the primitive just ended into contours: strips stay strips, fans and
// triangle lists become one contour per triangle.
void flushPrimitive(TessRun& run) {
  const std::vector<ClipVertex>& p = run.primitive;
  switch (run.mode) {
    case GL_TRIANGLE_STRIP:
      if (p.size() >= 3) run.result.contours.push_back(p);
      break;
    case GL_TRIANGLE_FAN:
      for (std::size_t i = 1; i + 1 < p.size(); ++i) addTriangle(run.result, p[0], p[i], p[i + 1]);
      break;
    default:
      for (std::size_t i = 0; i + 2 < p.size(); i += 3) addTriangle(run.result, p[i], p[i + 1], p[i + 2]);
      break;
  }
  run.primitive.clear();
}

// The callbacks run inside the C library: nothing may be thrown through it.
void GLAPIENTRY onBegin(GLenum mode, void* data) {
  auto* run = static_cast<TessRun*>(data);
  run->mode = mode;
  run->primitive.clear();
}

void GLAPIENTRY onVertex(void* vertex, void* data) {
  auto* run = static_cast<TessRun*>(data);
  if (vertex == nullptr) return;
  const auto* xyz = static_cast<const GLdouble*>(vertex);
  try {
    run->primitive.push_back({xyz[0], xyz[1]});
  } catch (const std::bad_alloc&) {
    run->outOfMemory = true;
  }
}

void GLAPIENTRY onEnd(void* data) {
  auto* run = static_cast<TessRun*>(data);
  try {
    flushPrimitive(*run);
  } catch (const std::bad_alloc&) {
    run->outOfMemory = true;
  }
}

// Its presence alone makes GLU emit independent triangles, never fans or strips.
void GLAPIENTRY onEdgeFlag(GLboolean, void*) {}

void GLAPIENTRY onCombine(GLdouble coords[3], void* /*neighbours*/[4], GLfloat /*weights*/[4],
                          void** out, void* data) {
  auto* run = static_cast<TessRun*>(data);
  try {
    run->storage.push_back({coords[0], coords[1], coords[2]});
    *out = run->storage.back().data();
  } catch (const std::bad_alloc&) {
    run->outOfMemory = true;
    *out = nullptr;
  }
}

void GLAPIENTRY onError(GLenum error, void* data) { static_cast<TessRun*>(data)->error = error; }

template <typename F>
_GLUfuncptr callback(F* f) {
  return reinterpret_cast<_GLUfuncptr>(f);
}

GLUtesselator* newTessellator() {
  GLUtesselator* tess = gluNewTess();
  if (tess == nullptr) throw std::bad_alloc();
  gluTessCallback(tess, GLU_TESS_BEGIN_DATA, callback(onBegin));
  gluTessCallback(tess, GLU_TESS_VERTEX_DATA, callback(onVertex));
  gluTessCallback(tess, GLU_TESS_END_DATA, callback(onEnd));
  gluTessCallback(tess, GLU_TESS_COMBINE_DATA, callback(onCombine));
  gluTessCallback(tess, GLU_TESS_ERROR_DATA, callback(onError));
  gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
  gluTessNormal(tess, 0, 0, 1);
  return tess;
}

}  // namespace

PolygonClipper::PolygonClipper() : tess_(newTessellator()) {}

PolygonClipper::~PolygonClipper() {
  if (tess_ != nullptr) gluDeleteTess(tess_);
}

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

void PolygonClipper::discardTessellator() {
  gluDeleteTess(tess_);
  tess_ = nullptr;
}

ClipPolygon PolygonClipper::triangles(const ClipPolygon& polygon) { return tessellate(polygon, true); }

ClipPolygon PolygonClipper::triangleStrips(const ClipPolygon& polygon) {
  return tessellate(polygon, false);
}

ClipPolygon PolygonClipper::tessellate(const ClipPolygon& polygon, bool plainTriangles) {
  largestMagnitude(polygon, 0);  // rejects coordinates that are not finite
  if (tess_ == nullptr) tess_ = newTessellator();
  TessRun run;
  gluTessCallback(tess_, GLU_TESS_EDGE_FLAG_DATA, plainTriangles ? callback(onEdgeFlag) : nullptr);
  try {
    gluTessBeginPolygon(tess_, &run);
    for (const ClipContour& contour : polygon.contours) {
      gluTessBeginContour(tess_);
      for (const ClipVertex& v : contour) {
        run.storage.push_back({v.x, v.y, 0.0});
        gluTessVertex(tess_, run.storage.back().data(), run.storage.back().data());
      }
      gluTessEndContour(tess_);
    }
  } catch (...) {
    // Left inside a polygon, the tessellator would later report to a run
    // that no longer exists: it is not reused.
    discardTessellator();
    throw;
  }
  gluTessEndPolygon(tess_);
  if (run.error != 0 || run.outOfMemory) {
    discardTessellator();
    if (run.outOfMemory) throw std::bad_alloc();
    throw std::runtime_error(std::string("polygon clipper: triangulation failed: ") +
                             reinterpret_cast<const char*>(gluErrorString(run.error)));
  }
  return std::move(run.result);
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
