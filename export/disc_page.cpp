// SPDX-License-Identifier: GPL-2.0-or-later
// Drawing the star-disc layers of the page. Every coordinate goes through
// FormatPdfNumber (or plain whole numbers where the chart always wrote them
// so), never through the locale.
#include "export/disc_page.h"

#include <cmath>
#include <string>

#include "export/page_projection.h"
#include "pdf/content.h"
#include "pdf/text_string.h"
#include "sky/boundaries.h"
#include "sky/chart_geometry.h"
#include "sky/data_error.h"
#include "sky/figures.h"
#include "sky/geometry.h"
#include "sky/messier.h"
#include "sky/milky_way.h"
#include "sky/polygon_clipper.h"
#include "sky/sequential_input.h"
#include "sky/stars.h"

namespace caelora {
namespace {

constexpr int kGridNumberSize = 6;

// The six lines that set `text` at a point of the disc, turned onto the
// tangent of the circle about the centre with the letter tops inward.
std::string tangentText(const DiscPoint& p, const std::string& x, const std::string& y, int size,
                        const std::string& text) {
  const double phi = PolarAngle(static_cast<float>(p.x), static_cast<float>(-p.y)) + kHalfPi;
  const std::string c = FormatPdfNumber(std::cos(phi), 2);
  const std::string s = FormatPdfNumber(std::sin(phi), 2);
  const std::string n = FormatPdfNumber(-std::sin(phi), 2);
  return "q 1 0 0 1 " + x + " " + y + " cm\r" + c + " " + s + " " + n + " " + c + " " +
         " 0 0 cm\rBT\r/F1 " + std::to_string(size) + " Tf\r" + pdfLiteral(text) + " Tj\rET Q";
}

// Whole units, rounded down, in plain form.
std::string wholeUnits(double v) { return std::to_string(static_cast<long>(std::floor(v))); }

// The width of a star's dot. Below magnitude 5 (a kit printed fainter than
// the usual 5.0) the dot is the smallest a printer makes reliably.
const char* starWidth(double magnitude) {
  if (magnitude < 1) return "4";
  if (magnitude < 2.5) return "3";
  if (magnitude <= 4) return "2";
  if (magnitude <= 5) return "1";
  return "0.6";
}

// A contour as the page writes it: the first vertex in whole units with
// "m", the rest joined on one line with "l". Returns false for a contour of
// two vertices or fewer, which is skipped.
bool writeContour(ExportState& state, const ClipContour& contour) {
  if (contour.size() <= 2) return false;
  state.line(wholeUnits(contour[0].x) + " " + wholeUnits(contour[0].y) + " m");
  std::string rest;
  rest.reserve(15 * contour.size());
  for (std::size_t i = 1; i < contour.size(); ++i) rest += pdfPoint({contour[i].x, contour[i].y}) + " l ";
  state.line(rest);
  return true;
}

void declinationCircles(ExportState& state, PageProjector& projector) {
  for (const int dec : gridDeclinations(state.settings.latitude)) {
    std::string circle;
    for (int i = 0; i <= 120; ++i) {  // every 0.2 h, the last point on the first
      circle += pdfPoint(projector.prevodPDF_Milky(i * 0.2, dec)) + (i == 0 ? " m\r" : " l ");
    }
    state.line(circle + "S");
  }
}

void hourLines(ExportState& state, PageProjector& projector) {
  const int latitude = state.settings.latitude;
  for (int h = 0; h < 24; ++h) {
    const std::string from = pdfPoint(projector.prevodPDF_Milky(h, hourLineStartDeclination(h, latitude)));
    const std::string to = pdfPoint(projector.prevodPDF_Milky(h, horizonCircleDeclination(latitude)));
    state.line(from + " m\r" + to + " l S");
  }
}

void hourNumbers(ExportState& state) {
  const int latitude = state.settings.latitude;
  const PageDisc disc = state.disc();
  state.line(state.fill(Ink::GridNumbers));
  for (int h = 0; h < 24; ++h) {
    const DiscPoint p = ProjectToDisc(gridNumberRaHours(h, latitude), -3 * poleSign(latitude), latitude);
    if (!p.onDisc) continue;
    const PagePoint at = disc.fromDisc(p);
    state.line(tangentText(p, FormatPdfNumber(at.x, 2), FormatPdfNumber(at.y, 2), kGridNumberSize,
                           std::to_string(h)));
  }
}

void centreCross(ExportState& state) {
  const PageDisc disc = state.disc();
  const double c = disc.centreX();
  const double y0 = disc.centreY();
  const auto at = [](double x, double y, const char* op) { return pdfPoint({x, y}) + op + "\r"; };
  state.line(state.stroke(Ink::Figures) + "\r" + at(c - 6, y0, " m") + at(c + 6, y0, " l") +
             at(c, y0 - 6, " m") + at(c, y0 + 6, " l") + "S");
}

}  // namespace

void plotDiscFace(ExportState& state) {
  const PageDisc disc = state.disc();
  const auto cx = static_cast<float>(disc.centreX());
  const auto cy = static_cast<float>(disc.centreY());
  state.line(state.stroke(Ink::DiscOutline));
  state.line(state.fill(Ink::Disc));
  state.line(pdfCirclePath(cx, cy, static_cast<float>(disc.rimRadius())) + "b");
  state.line(state.stroke(Ink::Rim));
  state.line("2 w\r" + pdfCirclePath(cx, cy, static_cast<float>(kWindowRimRadius * disc.rimRadius())) + "S\r1 w");
}

void plotMilkyWay(ExportState& state) {
  PageProjector projector(state.settings.latitude, state.disc());
  const ToMedium toPage = [&projector](const DiscPoint& p) {
    const PagePoint at = projector.disc().place(p);
    return ClipVertex{at.x, at.y};
  };
  PolygonClipper clipper;
  for (int band = 1; band <= 2; ++band) {
    const std::string& colour = state.colour(band == 1 ? Ink::MilkyWayOuter : Ink::MilkyWayInner);
    state.line(colour + " k");
    state.line(colour + " K");
    const ClipPolygon visible = visibleMilkyWayBand(state.milkyWay, band, projector.pageForm(), toPage, clipper);
    bool any = false;
    for (const ClipContour& contour : visible.contours) any = writeContour(state, contour) || any;
    // A fill with no path before it would be an error in the content stream.
    if (any) state.line("b*");
  }
}

void plotGrid(ExportState& state) {
  PageProjector projector(state.settings.latitude, state.disc());
  state.line(state.stroke(Ink::Grid));
  state.line("0.5 w");
  declinationCircles(state, projector);
  hourLines(state, projector);
  hourNumbers(state);
}

void plotBoundaries(ExportState& state) {
  const std::vector<BoundaryEdge> edges = ReadBoundaryEdges(state.dataFile("boundaries.dat"));
  PageProjector projector(state.settings.latitude, state.disc());
  state.line(state.stroke(Ink::Boundaries));
  state.line("0.4 w\r[2 2] 0 d");
  for (const DiscPolyline& run : visibleBoundaries(edges, projector.pageForm())) {
    std::string path = pdfPoint(projector.disc().place(run[0])) + " m\r";
    for (std::size_t i = 1; i < run.size(); ++i) path += pdfPoint(projector.disc().place(run[i])) + " l ";
    state.line(path + "S");
  }
  state.line("[] 0 d");
}

void plotEcliptic(ExportState& state) {
  PageProjector projector(state.settings.latitude, state.disc());
  state.line(state.stroke(Ink::Ecliptic));
  state.line("0.8 w");
  for (const DiscSegment& segment : eclipticSegments(projector.pageForm(), 1)) {
    state.line(pdfPoint(projector.disc().place(segment.from)) + " m\r" +
               pdfPoint(projector.disc().place(segment.to)) + " l S");
  }
}

void plotConLines(ExportState& state) {
  state.line(state.stroke(Ink::Figures));
  const std::vector<FigureSegment> segments = ReadFigureSegments(state.settings.linesFile);
  state.line("0.5 w");
  PageProjector projector(state.settings.latitude, state.disc());
  for (const FigureSegment& segment : segments) {
    const std::optional<PagePoint> from = projector.prevodPDF(segment.ra1Hours, segment.dec1Deg);
    if (!from) continue;
    const std::optional<PagePoint> to = projector.prevodPDF(segment.ra2Hours, segment.dec2Deg);
    if (!to) continue;
    state.line(pdfPoint(*from) + " m\r" + pdfPoint(*to) + " l S");
  }
}

void plotStars(ExportState& state) {
  SequentialInput in(state.dataFile("yale.dat"), kCatalogueBound);
  state.line("1 J\r" + state.stroke(Ink::Stars));
  PageProjector projector(state.settings.latitude, state.disc());
  std::string width;  // the width class of the last star written
  while (!in.atEnd()) {
    const StarRecord star = readStarRecord(in);
    // The catalogue runs brightest first: the first fainter star ends the layer.
    if (star.mag > state.settings.printStarLimit) break;
    const std::optional<PagePoint> place = projector.prevodPDF(star.ra, star.dec);
    if (!place) continue;
    std::string piece;
    if (const char* w = starWidth(star.mag); width != w) {
      width = w;
      piece = width + " w\r";
    }
    // A line of length zero: the round caps make it a dot as wide as the line.
    const std::string at = pdfPoint(*place);
    state.line(piece + at + " m\r" + at + " l S");
  }
  // A catalogue without a single record would give a chart without stars.
  if (in.record() == 0) throw DataError(in.name() + ": holds no stars");
  centreCross(state);
}

void plotConNames(ExportState& state) {
  const std::vector<ConstellationRecord> records = ReadConstellationRecords(state.dataFile("Cons.txt"));
  const PageDisc disc = state.disc();
  state.line(state.fill(Ink::ConstellationNames));
  const int size = state.settings.nameSize + 6;
  for (const ConstellationRecord& record : records) {
    const DiscPoint p = ProjectToDisc(record.raHours, record.decDeg, state.settings.latitude);
    if (!p.onDisc) continue;
    const PagePoint at = disc.fromDisc(p);
    state.line(tangentText(p, wholeUnits(at.x), wholeUnits(at.y), size, record.abbreviation));
  }
}

void plotMessier(ExportState& state) {
  const std::vector<MessierObject> objects = ReadMessierObjects(state.dataFile("messier.dat"));
  const PageDisc disc = state.disc();
  PageProjector projector(state.settings.latitude, disc);
  state.line(state.stroke(Ink::Messier) + "\r" + state.fill(Ink::Messier) + "\r0.5 w");
  for (const MessierObject& o : objects) {
    if (o.mag > state.settings.messierLimit) continue;
    const std::optional<PagePoint> at = projector.prevodPDF(o.raHours, o.decDeg);
    if (!at) continue;
    std::string path;
    const double scale = PageDisc::kRim * disc.unit();
    const std::vector<DiscPoint> symbol = messierSymbol(o.kind);
    for (std::size_t i = 0; i < symbol.size(); ++i)
      path += pdfPoint({at->x + symbol[i].x * scale, at->y + symbol[i].y * scale}) + (i == 0 ? " m " : " l ");
    state.line(path + "s");
    const DiscPoint where = disc.toDisc(*at);
    const PagePoint label = disc.fromDisc({where.x * (1 + 0.012 / std::hypot(where.x, where.y)),
                                           where.y * (1 + 0.012 / std::hypot(where.x, where.y)), true});
    state.line(tangentText(where, wholeUnits(label.x), wholeUnits(label.y), 5, "M" + std::to_string(o.number)));
  }
}

}  // namespace caelora
