// SPDX-License-Identifier: GPL-2.0-or-later
// The Messier objects' reader, symbols and layer.
#include "sky/messier.h"

#include <cmath>

#include "sky/data_error.h"
#include "sky/geometry.h"
#include "sky/vector_font.h"

namespace caelora {
namespace {

constexpr double kLabelSize = 0.18;

MessierObject readObject(SequentialInput& in) {
  in.nextRecord();
  MessierObject o;
  o.number = static_cast<int>(in.readInteger(1, 110));
  o.kind = static_cast<MessierKind>(in.readInteger(1, 3));
  o.raHours = in.readInteger(0, 23999) / 1000.0;
  o.decDeg = in.readInteger(-9000, 9000) / 100.0;
  o.mag = in.readInteger(-200, 2000) / 100.0;
  in.endRecord();
  return o;
}

}  // namespace

std::vector<MessierObject> ReadMessierObjects(const std::string& path) {
  SequentialInput in(path, kMessierFileBound);
  in.requireOneLinePerRecord();
  std::vector<MessierObject> objects;
  while (!in.atEnd()) objects.push_back(readObject(in));
  if (objects.empty()) throw DataError(Message("NoMessierObjects").with("file", path));
  return objects;
}

std::vector<DiscPoint> messierSymbol(MessierKind kind) {
  std::vector<DiscPoint> outline;
  if (kind == MessierKind::Nebula) {
    const double h = 0.007;
    return {{-h, -h, true}, {h, -h, true}, {h, h, true}, {-h, h, true}};
  }
  const double rx = kind == MessierKind::Galaxy ? 0.011 : 0.008, ry = kind == MessierKind::Galaxy ? 0.0055 : 0.008;
  for (int i = 0; i < 16; ++i) {
    const double a = i * kTwoPi / 16;
    outline.push_back({rx * std::cos(a), ry * std::sin(a), true});
  }
  return outline;
}

DisplayList LoadMessier(const ChartSetup& setup) {
  const std::vector<MessierObject> objects = ReadMessierObjects(setup.dataFile("messier.dat"));
  const Rgb colour = screenColours(setup.settings.colourScheme).messier;
  DiscProjector disc(setup.settings.latitude);
  DisplayList list;
  list.enable(Capability::LineSmooth);
  list.lineWidth(1);
  list.color(colour.r, colour.g, colour.b);
  for (const MessierObject& o : objects) {
    if (o.mag > setup.settings.messierLimit || !disc.project(o.raHours, o.decDeg)) continue;
    const double x = disc.x(), y = disc.y();
    list.begin(Primitive::LineLoop);
    for (const DiscPoint& p : messierSymbol(o.kind)) list.vertex(static_cast<float>(x + p.x), static_cast<float>(y + p.y));
    list.end();
    const double angle = PolarAngle(static_cast<float>(x), static_cast<float>(-y)) * kRadiansToDegrees;
    drawLineText(list, setup.glyphs, setup.settings.colourScheme, std::hypot(x, y) + 0.012, angle,
                 "M" + std::to_string(o.number), kLabelSize, std::nullopt, colour);
  }
  list.disable(Capability::LineSmooth);
  return list;
}

}  // namespace caelora
