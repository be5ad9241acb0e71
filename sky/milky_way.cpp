#include "sky/milky_way.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "sky/data_error.h"
#include "sky/geometry.h"

namespace caelora {
namespace {

// The galactic frame of the outlines (referred to the 1950 equinox).
constexpr double kPoleDeclinationRad = 0.47822021504644635;  // 27.4 degrees
constexpr double kNodeLongitudeRad = 0.5759586531581289;     // 33 degrees
constexpr double kNodeRightAscensionDeg = 282.25;

constexpr int kPairBytes = 4;
constexpr int kLimitCirclePoints = 49;  // every half hour, the last on the first

std::int16_t littleEndianInt16(unsigned char low, unsigned char high) {
  const auto bits = static_cast<std::uint16_t>(low | (high << 8));
  std::int16_t value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

int resourceNumber(int band, int edge) { return 100 + 2 * (band - 1) + edge; }

void appendEdge(ClipPolygon& polygon, const std::vector<OutlineCode>& codes, DiscProjector& projector) {
  ClipContour& contour = polygon.appendContour();
  contour.reserve(codes.size());
  for (const OutlineCode& code : codes) {
    const EquatorialPoint p = outlineToEquatorial(code);
    projector.projectUnbounded(p.raHours, p.decDeg);
    contour.push_back({projector.x(), projector.y()});
  }
}

// The circle of declination that just touches the horizon, which the
// projection puts on the limit circle: a 48-gon with its corners on it.
ClipPolygon limitCircle(int latitudeDegrees) {
  const double limitDec = latitudeDegrees > 0 ? latitudeDegrees - 90 : latitudeDegrees + 90;
  DiscProjector projector(latitudeDegrees);
  ClipPolygon circle;
  ClipContour& contour = circle.appendContour();
  for (int i = 0; i < kLimitCirclePoints; ++i) {
    projector.projectUnbounded(i * 0.5, limitDec);
    contour.push_back({projector.x(), projector.y()});
  }
  return circle;
}

void recordTriangles(DisplayList& list, const ClipPolygon& triangles) {
  if (triangles.contours.empty()) return;
  list.begin(Primitive::Triangles);
  for (const ClipContour& triangle : triangles.contours) {
    for (const ClipVertex& v : triangle) list.vertex(static_cast<float>(v.x), static_cast<float>(v.y));
  }
  list.end();
}

}  // namespace

MilkyWayOutlines readMilkyWayOutlines(const std::string& folder) {
  MilkyWayOutlines outlines;
  for (int i = 0; i < 4; ++i) {
    const std::string path = folder + "/" + std::to_string(MilkyWayOutlines::kFirstResource + i) + ".bin";
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DataError(path + ": cannot open the Milky Way outline");
    outlines.bytes[i].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) throw DataError(path + ": cannot read the Milky Way outline");
  }
  return outlines;
}

std::vector<OutlineCode> decodeOutline(const std::string& bytes, int resourceNumber) {
  const std::string name = "Milky Way outline resource " + std::to_string(resourceNumber);
  if (bytes.size() % kPairBytes != 0) {
    throw DataError(name + ": " + std::to_string(bytes.size()) +
                    " bytes is not a whole number of 4-byte (longitude, latitude) pairs");
  }
  const std::size_t count = bytes.size() / kPairBytes;
  if (count < 3) {
    throw DataError(name + ": " + std::to_string(count) + " points, an outline needs at least 3");
  }
  std::vector<OutlineCode> codes(count);
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t i = 0; i < count; ++i, p += kPairBytes) {
    codes[i] = {littleEndianInt16(p[0], p[1]), littleEndianInt16(p[2], p[3])};
  }
  return codes;
}

EquatorialPoint outlineToEquatorial(OutlineCode code) {
  const double l = (360 - (code.c / 100.0 + 180)) * kDegreesToRadians;
  const double b = code.d / 1000.0 * kDegreesToRadians;
  const double fromNode = l - kNodeLongitudeRad;
  const double e = kPoleDeclinationRad;
  const auto sinDec = static_cast<float>(std::cos(e) * std::cos(b) * std::sin(fromNode) +
                                         std::sin(e) * std::sin(b));
  const double dec = ArcSine(sinDec);
  const double raFromNode =
      PolarAngleD(std::cos(fromNode) * std::cos(b),
                  std::cos(e) * std::sin(b) - std::sin(e) * std::cos(b) * std::sin(fromNode));
  return {(raFromNode * kRadiansToDegrees + kNodeRightAscensionDeg) / 15, dec * kRadiansToDegrees};
}

std::optional<Rgb> milkyWayBandColour(int colourScheme, int intensity, int band) {
  const double k = intensity * 0.01;
  const bool outer = band == 1;
  const auto grey = [](double v) { return Rgb{static_cast<float>(v), static_cast<float>(v), static_cast<float>(v)}; };
  switch (colourScheme) {
    case 0:
    case 1:
      return grey(k + (outer ? 0.15 : 0.25));
    case 2:
      return grey((outer ? 0.98 : 0.9) - k);
    case 3:
      return outer ? Rgb{static_cast<float>(k + 0.2), 0.1f, 0.1f}
                   : Rgb{static_cast<float>(k + 0.32), 0.18f, 0.18f};
    default:
      return std::nullopt;
  }
}

ClipPolygon clippedMilkyWayBand(int latitudeDegrees, const MilkyWayOutlines& outlines, int band,
                                PolygonClipper& clipper) {
  if (band != 1 && band != 2) throw std::invalid_argument("Milky Way band must be 1 or 2");
  DiscProjector projector(latitudeDegrees);
  ClipPolygon bandPolygon;
  for (int edge = 1; edge <= 2; ++edge) {
    const int number = resourceNumber(band, edge);
    appendEdge(bandPolygon, decodeOutline(outlines.resource(number), number), projector);
  }
  return clipper.intersection(bandPolygon, limitCircle(latitudeDegrees));
}

DisplayList LoadMilkyWay(const ChartSetup& setup, const MilkyWayOutlines& outlines) {
  const Settings& s = setup.settings;
  PolygonClipper clipper;
  DisplayList list;
  for (int band = 1; band <= 2; ++band) {
    const ClipPolygon triangles = clipper.triangles(clippedMilkyWayBand(s.latitude, outlines, band, clipper));
    if (const auto colour = milkyWayBandColour(s.colourScheme, s.milkyWayIntensity, band)) {
      list.color(colour->r, colour->g, colour->b);
    }
    recordTriangles(list, triangles);
  }
  return list;
}

}  // namespace caelora
