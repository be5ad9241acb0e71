// SPDX-License-Identifier: GPL-2.0-or-later
// Constellation figures and names of the star disc, and the readers of their
// data files.
#include "sky/figures.h"

#include <cmath>

#include "sky/data_error.h"
#include "sky/geometry.h"
#include "sky/vector_font.h"

namespace caelora {

double readRaHours(SequentialInput& input) {
  const double v = input.readNumber();
  if (v < 0 || v > 24000)
    input.fail(Message("FigureRaOutside").with("value", shownNumber(v)));
  return v / 1000;
}

double readDecDegrees(SequentialInput& input) {
  const double v = input.readNumber();
  if (v < -9000 || v > 9000)
    input.fail(Message("FigureDecOutside").with("value", shownNumber(v)));
  return v / 100;
}

std::vector<FigureSegment> ReadFigureSegments(SequentialInput& input) {
  std::vector<FigureSegment> segments;
  input.requireOneLinePerRecord();
  while (!input.atEnd()) {
    input.nextRecord();
    FigureSegment s;
    s.ra1Hours = readRaHours(input);
    s.dec1Deg = readDecDegrees(input);
    s.ra2Hours = readRaHours(input);
    s.dec2Deg = readDecDegrees(input);
    input.endRecord();
    segments.push_back(s);
  }
  return segments;
}

std::vector<FigureSegment> ReadFigureSegments(const std::string& path) {
  SequentialInput input(path, kFigureFileBound);
  std::vector<FigureSegment> segments = ReadFigureSegments(input);
  if (segments.empty()) throw DataError(Message("NoFigureLines").with("file", path));
  return segments;
}

std::vector<ConstellationRecord> ReadConstellationRecords(SequentialInput& input) {
  std::vector<ConstellationRecord> records;
  input.requireOneLinePerRecord();
  while (!input.atEnd()) {
    input.nextRecord();
    input.readText();  // the first field carries nothing the chart uses
    ConstellationRecord r;
    r.raHours = readRaHours(input);
    r.decDeg = readDecDegrees(input);
    r.abbreviation = input.readText();
    r.name = input.readText();
    input.endRecord();
    records.push_back(std::move(r));
  }
  return records;
}

std::vector<ConstellationRecord> ReadConstellationRecords(const std::string& path) {
  SequentialInput input(path, kConstellationTableBound);
  std::vector<ConstellationRecord> records = ReadConstellationRecords(input);
  if (records.empty()) throw DataError(Message("NoConstellations").with("file", path));
  return records;
}

Rgb FigureColour(ScreenScheme scheme, int lineIntensity) {
  return screenColours(scheme).figures.at(lineIntensity * 0.04);
}

double NameSize(int nameSizeSetting) { return nameSizeSetting * 0.08 + 0.2; }

DisplayList LoadFigures(const ChartSetup& setup) {
  const std::vector<FigureSegment> segments = ReadFigureSegments(setup.settings.linesFile);
  DisplayList list;
  const Rgb colour = FigureColour(setup.settings.colourScheme, setup.settings.lineIntensity);
  list.color(colour.r, colour.g, colour.b);
  DiscProjector disc(setup.settings.latitude);
  for (const FigureSegment& s : segments) {
    // A segment with an end below the horizon circle is left out whole.
    if (!disc.project(s.ra1Hours, s.dec1Deg)) continue;
    const double x1 = disc.x(), y1 = disc.y();
    if (!disc.project(s.ra2Hours, s.dec2Deg)) continue;
    list.begin(Primitive::Lines);
    list.vertex(static_cast<float>(x1), static_cast<float>(y1));
    list.vertex(static_cast<float>(disc.x()), static_cast<float>(disc.y()));
    list.end();
  }
  return list;
}

DisplayList LoadNames(const ChartSetup& setup) {
  const std::vector<ConstellationRecord> records =
      ReadConstellationRecords(setup.dataFile("Cons.txt"));
  const double size = NameSize(setup.settings.nameSize);
  DisplayList list;
  list.enable(Capability::LineSmooth);
  list.lineWidth(1.6f);
  DiscProjector disc(setup.settings.latitude);
  for (const ConstellationRecord& r : records) {
    if (!disc.project(r.raHours, r.decDeg)) continue;
    const double x = disc.x(), y = disc.y();
    // The name starts at its label point and runs along the tangent, so it
    // turns with the disc.
    const double angle =
        PolarAngle(static_cast<float>(x), static_cast<float>(-y)) * kRadiansToDegrees;
    const double radius = std::sqrt(x * x + y * y);
    drawLineText(list, setup.glyphs, setup.settings.colourScheme, radius, angle, r.abbreviation,
                 size);
  }
  list.disable(Capability::LineSmooth);
  list.lineWidth(1);
  return list;
}

}  // namespace caelora
