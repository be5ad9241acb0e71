// SPDX-License-Identifier: GPL-2.0-or-later
#include "sky/milky_way.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "sky/chart_geometry.h"
#include "sky/data_error.h"
#include "sky/geometry.h"

namespace caelora {
namespace {

// The galactic frame of the outlines (referred to the 1950 equinox).
constexpr double kPoleDeclinationRad = 0.47822021504644635;  // 27.4 degrees
constexpr double kNodeLongitudeRad = 0.5759586531581289;     // 33 degrees
constexpr double kNodeRightAscensionDeg = 282.25;

constexpr int kPairBytes = 4;

std::int16_t littleEndianInt16(unsigned char low, unsigned char high) {
  const auto bits = static_cast<std::uint16_t>(low | (high << 8));
  std::int16_t value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
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
    if (!in) throw DataError(Message("MilkyWayCannotOpen").with("file", path));
    outlines.bytes[i].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) throw DataError(Message("MilkyWayCannotRead").with("file", path));
  }
  return outlines;
}

std::vector<OutlineCode> decodeOutline(const std::string& bytes, int resourceNumber) {
  const std::string number = std::to_string(resourceNumber);
  if (bytes.size() % kPairBytes != 0) {
    throw DataError(Message("MilkyWayOddSize")
                        .with("number", number)
                        .with("bytes", std::to_string(bytes.size())));
  }
  const std::size_t count = bytes.size() / kPairBytes;
  if (count < 3) {
    throw DataError(Message("MilkyWayTooFewPoints")
                        .with("number", number)
                        .with("count", std::to_string(count)));
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

std::shared_ptr<const std::vector<EquatorialPoint>> equatorialOutline(const std::string& bytes,
                                                                      int resourceNumber) {
  static std::mutex mutex;
  static std::map<std::pair<int, std::string>, std::shared_ptr<const std::vector<EquatorialPoint>>> done;
  std::pair<int, std::string> key{resourceNumber, bytes};
  {
    const std::lock_guard<std::mutex> lock(mutex);
    if (const auto it = done.find(key); it != done.end()) return it->second;
  }
  const std::vector<OutlineCode> codes = decodeOutline(bytes, resourceNumber);
  auto points = std::make_shared<std::vector<EquatorialPoint>>();
  points->reserve(codes.size());
  for (const OutlineCode& code : codes) points->push_back(outlineToEquatorial(code));
  const std::lock_guard<std::mutex> lock(mutex);
  return done.try_emplace(std::move(key), std::move(points)).first->second;
}

Rgb milkyWayBandColour(ScreenScheme scheme, int intensity, int band) {
  const ScreenColours& colours = screenColours(scheme);
  return (band == 1 ? colours.milkyWayOuter : colours.milkyWayInner).at(intensity * 0.01);
}

ClipPolygon clippedMilkyWayBand(int latitudeDegrees, const MilkyWayOutlines& outlines, int band,
                                PolygonClipper& clipper) {
  if (band != 1 && band != 2) throw std::invalid_argument("Milky Way band must be 1 or 2");
  DiscProjector projector(latitudeDegrees);
  const ToMedium disc = [](const DiscPoint& p) { return ClipVertex{p.x, p.y}; };
  return visibleMilkyWayBand(outlines, band, projector, disc, clipper);
}

DisplayList LoadMilkyWay(const ChartSetup& setup, const MilkyWayOutlines& outlines) {
  const Settings& s = setup.settings;
  PolygonClipper clipper;
  DisplayList list;
  for (int band = 1; band <= 2; ++band) {
    const ClipPolygon triangles = clipper.triangles(clippedMilkyWayBand(s.latitude, outlines, band, clipper));
    const Rgb colour = milkyWayBandColour(s.colourScheme, s.milkyWayIntensity, band);
    list.color(colour.r, colour.g, colour.b);
    recordTriangles(list, triangles);
  }
  return list;
}

}  // namespace caelora
