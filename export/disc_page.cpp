// Drawing the star-disc layers of the page. Every coordinate goes through
// FormatPdfNumber (or plain whole numbers where the chart always wrote them
// so), never through the locale.
#include "export/disc_page.h"

#include <cmath>
#include <string>

#include "export/page_projection.h"
#include "pdf/content.h"
#include "sky/data_error.h"
#include "sky/figures.h"
#include "sky/geometry.h"
#include "sky/milky_way.h"
#include "sky/polygon_clipper.h"
#include "sky/sequential_input.h"
#include "sky/stars.h"

namespace caelora {
namespace {

constexpr double kObliquityRad = 0.4091051766674709;
constexpr double kFaintestStarMagnitude = 5.00;
constexpr int kGridNumberSize = 6;

std::string number1(double v) { return FormatPdfNumber(v, 1); }

// "x y" of the projector's last point, one decimal each.
std::string point(const PageProjector& p) { return number1(p.x()) + " " + number1(p.y()); }

// +1 when the north celestial pole is at the centre. A latitude of 0 takes
// the southern rules like the projection; the plain sign would be 0 there
// and the circles of the grid would never reach the limit.
int poleSign(int latitude) { return latitude > 0 ? 1 : -1; }

int horizonDeclination(int latitude) { return latitude > 0 ? latitude - 90 : latitude + 90; }

// `text` ready to stand between the parentheses of a PDF literal string.
std::string escapedText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    if (ch == '\\' || ch == '(' || ch == ')') out += '\\';
    out += ch;
  }
  return out;
}

// The six lines that set `text` at a point of the disc, turned onto the
// tangent of the circle about the centre with the letter tops inward.
std::string tangentText(const DiscPoint& p, const std::string& x, const std::string& y, int size,
                        const std::string& text) {
  const double phi = PolarAngle(static_cast<float>(p.x), static_cast<float>(-p.y)) + kHalfPi;
  const std::string c = FormatPdfNumber(std::cos(phi), 2);
  const std::string s = FormatPdfNumber(std::sin(phi), 2);
  const std::string n = FormatPdfNumber(-std::sin(phi), 2);
  return "q 1 0 0 1 " + x + " " + y + " cm\r" + c + " " + s + " " + n + " " + c + " " +
         " 0 0 cm\rBT\r/F1 " + std::to_string(size) + " Tf\r(" + escapedText(text) +
         ") Tj\rET Q";
}

// Whole units, rounded down, in plain form.
std::string wholeUnits(double v) { return std::to_string(static_cast<long>(std::floor(v))); }

const char* starWidth(double magnitude) {
  if (magnitude < 1) return "4";
  if (magnitude < 2.5) return "3";
  if (magnitude <= 4) return "2";
  return "1";
}

// One outline of the Milky Way placed on the page without the declination
// test: points beyond the limit take part in the clipping.
void appendPageOutline(ClipPolygon& polygon, const std::string& bytes, int resource, PageProjector& projector) {
  ClipContour& contour = polygon.appendContour();
  const std::vector<OutlineCode> codes = decodeOutline(bytes, resource);
  contour.reserve(codes.size());
  for (const OutlineCode& code : codes) {
    const EquatorialPoint p = outlineToEquatorial(code);
    projector.projectUnbounded(p.raHours, p.decDeg);
    contour.push_back({projector.x(), projector.y()});
  }
}

// The limit circle on the page: 49 points every half hour, the last on the first.
ClipPolygon pageLimitCircle(int latitude, PageProjector& projector) {
  ClipPolygon circle;
  ClipContour& contour = circle.appendContour();
  for (int i = 0; i <= 48; ++i) {
    projector.projectUnbounded(i * 0.5, horizonDeclination(latitude));
    contour.push_back({projector.x(), projector.y()});
  }
  return circle;
}

// A contour as the page writes it: the first vertex in whole units with
// "m", the rest joined on one line with "l". Returns false for a contour of
// two vertices or fewer, which is skipped.
bool writeContour(ExportState& state, const ClipContour& contour) {
  if (contour.size() <= 2) return false;
  state.line(wholeUnits(contour[0].x) + " " + wholeUnits(contour[0].y) + " m");
  std::string rest;
  rest.reserve(15 * contour.size());
  for (std::size_t i = 1; i < contour.size(); ++i) {
    rest += number1(contour[i].x) + " " + number1(contour[i].y) + " l ";
  }
  state.line(rest);
  return true;
}

void declinationCircles(ExportState& state, PageProjector& projector, int s, int limit) {
  for (int dec = 90 * s; dec * s >= limit * s; dec -= 30 * s) {
    std::string circle;
    for (int i = 0; i <= 120; ++i) {  // every 0.2 h, the last point on the first
      projector.projectUnbounded(i * 0.2, dec);
      circle += point(projector) + (i == 0 ? " m\r" : " l ");
    }
    state.line(circle + "S");
  }
}

void hourLines(ExportState& state, PageProjector& projector, int s, int limit) {
  for (int h = 0; h < 24; ++h) {
    // Every 6 h from the pole, the even hours between from 60 degrees, the
    // odd ones from 30, as on screen.
    const int step = h % 6;
    const int start = step == 0 ? 90 : (step == 2 || step == 4 ? 60 : 30);
    projector.projectUnbounded(h, start * s);
    const std::string from = point(projector);
    projector.projectUnbounded(h, limit);
    state.line(from + " m\r" + point(projector) + " l S");
  }
}

void hourNumbers(ExportState& state, int s) {
  state.line(state.fill(31));
  for (int h = 0; h < 24; ++h) {
    const DiscPoint p = ProjectToDisc(h - 0.04 * s, -3 * s, state.settings.latitude);
    if (!p.onDisc) continue;
    state.line(tangentText(p, FormatPdfNumber(discToPageX(state, p.x), 2),
                           FormatPdfNumber(discToPageY(state, p.y), 2), kGridNumberSize,
                           std::to_string(h)));
  }
}

void centreCross(ExportState& state) {
  const double c = state.pageWidth() / 2.0;
  const double y0 = state.discCentreY;
  const auto at = [](double x, double y, const char* op) {
    return FormatPdfNumber(x, 1) + " " + FormatPdfNumber(y, 1) + op + "\r";
  };
  state.line(state.stroke(21) + "\r" + at(c - 6, y0, " m") + at(c + 6, y0, " l") +
             at(c, y0 - 6, " m") + at(c, y0 + 6, " l") + "S");
}

}  // namespace

void plotDiscFace(ExportState& state) {
  const auto cx = static_cast<float>(state.discCentreX);
  const auto cy = static_cast<float>(state.pageHeight() - state.discCentreFromTop);
  state.line(state.stroke(14));
  state.line(state.fill(15));
  state.line(pdfCirclePath(cx, cy, static_cast<float>(0.9 * state.discCentreX)) + "b");
  state.line(state.stroke(16));
  state.line("2 w\r" + pdfCirclePath(cx, cy, static_cast<float>(0.81 * state.discCentreX)) + "S\r1 w");
}

void plotMilkyWay(ExportState& state) {
  const int latitude = state.settings.latitude;
  PageProjector projector(state);
  PolygonClipper clipper;
  for (int band = 1; band <= 2; ++band) {
    const std::string& colour = state.exportColours.at(band == 1 ? 27 : 28);
    state.line(colour + " k");
    state.line(colour + " K");
    ClipPolygon bandPolygon;
    for (int edge = 1; edge <= 2; ++edge) {
      const int resource = 100 + 2 * (band - 1) + edge;
      appendPageOutline(bandPolygon, state.milkyWay.resource(resource), resource, projector);
    }
    const ClipPolygon visible = clipper.intersection(bandPolygon, pageLimitCircle(latitude, projector));
    bool any = false;
    for (const ClipContour& contour : visible.contours) any = writeContour(state, contour) || any;
    // A fill with no path before it would be an error in the content stream.
    if (any) state.line("b*");
  }
}

void plotGrid(ExportState& state) {
  const int latitude = state.settings.latitude;
  const int s = poleSign(latitude);
  const int limit = latitude - 90 * s;
  PageProjector projector(state);
  state.line(state.stroke(30));
  state.line("0.5 w");
  declinationCircles(state, projector, s, limit);
  hourLines(state, projector, s, limit);
  hourNumbers(state, s);
}

void plotEcliptic(ExportState& state) {
  PageProjector projector(state);
  state.line(state.stroke(29));
  state.line("0.8 w");
  const double sinE = std::sin(kObliquityRad);
  const double cosE = std::cos(kObliquityRad);
  std::string previous;
  bool previousOnDisc = false;
  for (int degrees = 0; degrees <= 360; ++degrees) {
    const double lambda = degrees * kDegreesToRadians;
    const double ra = (PolarAngle(static_cast<float>(cosE * std::sin(lambda)),
                                  static_cast<float>(std::cos(lambda))) + kHalfPi) / kHoursToRadians;
    const double dec = ArcSine(static_cast<float>(std::sin(lambda) * sinE)) * kRadiansToDegrees;
    const bool onDisc = projector.project(ra, dec);
    if (!onDisc) {
      previousOnDisc = false;
      continue;
    }
    const std::string here = point(projector);
    if (previousOnDisc) state.line(previous + " m\r" + here + " l S");
    previous = here;
    previousOnDisc = true;
  }
}

void plotConLines(ExportState& state) {
  state.line(state.stroke(21));
  const std::vector<FigureSegment> segments = ReadFigureSegments(state.settings.linesFile);
  state.line("0.5 w");
  PageProjector projector(state);
  for (const FigureSegment& segment : segments) {
    if (!projector.project(segment.ra1Hours, segment.dec1Deg)) continue;
    const std::string first = point(projector);
    if (!projector.project(segment.ra2Hours, segment.dec2Deg)) continue;
    state.line(first + " m\r" + point(projector) + " l S");
  }
}

void plotStars(ExportState& state) {
  SequentialInput in(state.dataFile("yale.dat"));
  state.line("1 J\r" + state.stroke(20));
  PageProjector projector(state);
  std::string width;  // the width class of the last star written
  while (!in.atEnd()) {
    const StarRecord star = readStarRecord(in);
    // The catalogue runs brightest first: the first fainter star ends the layer.
    if (star.mag > kFaintestStarMagnitude) break;
    if (!projector.project(star.ra, star.dec)) continue;
    std::string piece;
    if (const char* w = starWidth(star.mag); width != w) {
      width = w;
      piece = width + " w\r";
    }
    // A line of length zero: the round caps make it a dot as wide as the line.
    const std::string at = point(projector);
    state.line(piece + at + " m\r" + at + " l S");
  }
  // A catalogue without a single record would give a chart without stars.
  if (in.record() == 0) throw DataError(in.name() + ": holds no stars");
  state.discCentreY = state.pageHeight() - state.pageWidth() / 2.0;
  centreCross(state);
}

void plotConNames(ExportState& state) {
  const std::vector<ConstellationRecord> records = ReadConstellationRecords(state.dataFile("Cons.txt"));
  state.line(state.fill(25));
  const int size = state.settings.nameSize + 6;
  for (const ConstellationRecord& record : records) {
    const DiscPoint p = ProjectToDisc(record.raHours, record.decDeg, state.settings.latitude);
    if (!p.onDisc) continue;
    state.line(tangentText(p, wholeUnits(discToPageX(state, p.x)), wholeUnits(discToPageY(state, p.y)),
                           size, record.abbreviation));
  }
}

}  // namespace caelora
