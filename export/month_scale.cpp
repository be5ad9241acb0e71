// The date ring between the limit circle and the rim. The year starts at 79
// degrees (counter-clockwise from +x) in the north and runs clockwise; the
// south mirrors it. A year of 365 days, no leap day.
#include "export/month_scale.h"

#include <array>
#include <cmath>
#include <string>

#include "i18n/language.h"
#include "pdf/content.h"
#include "sky/geometry.h"

namespace caelora {
namespace {

constexpr std::array<int, 12> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr double kDayDegrees = 360.0 / 365.0;

struct RingFrame {
  double startDeg;  // 1 January
  int direction;    // +1 north, -1 south
};

RingFrame ringFrame(int latitude) {
  return {latitude < 0 ? 79.0 + 180.0 : 79.0, latitude > 0 ? 1 : -1};
}

// Outer end of the tick of day index d (0 the first of the month), as a
// fraction of the rim radius; 0 for no tick.
double tickLength(int d, bool daily) {
  if (d == 0) return 1;
  if (d == 10 || d == 20 || d == 30) return daily ? 0.918 : 0.91;
  if (!daily) return 0;
  return d % 5 == 0 ? 0.918 : 0.908;
}

void monthNames(ExportState& state, const RingFrame& ring) {
  const bool daily = state.settings.dailyScale;
  double a = ring.startDeg;
  for (int m = 1; m <= 12; ++m) {
    const int days = kMonthDays[m - 1];
    const double angle = (a - days / 2.0) * ring.direction - 90;
    a -= 360.0 * days / 365;
    pdfArcText(state.writer, angle, daily ? 0.95 : 0.93, guiText(state.languageFile(), 500 + m),
               daily ? 12 : 16, state.discCentreFromTop);
  }
}

void ticks(ExportState& state, const RingFrame& ring) {
  const double w = state.pageWidth();
  const double centreY = state.pageHeight() - state.discCentreFromTop;
  std::string piece;
  double a = ring.startDeg;
  for (const int days : kMonthDays) {
    for (int d = 0; d < days; ++d) {
      const double phi = a * ring.direction * kDegreesToRadians;
      a -= kDayDegrees;
      const double k = tickLength(d, state.settings.dailyScale);
      if (k == 0) continue;
      // From the limit circle (0.8 of the half page) out to k of the rim.
      piece += FormatPdfNumber((0.8 * std::cos(phi) + 1) * w / 2, 1) + " " +
               FormatPdfNumber(centreY + 0.8 * std::sin(phi) * w / 2, 1) + " m ";
      piece += FormatPdfNumber((1 + k * 0.9 * std::cos(phi)) * w / 2, 1) + " " +
               FormatPdfNumber(centreY + k * 0.9 * std::sin(phi) * w / 2, 1) + " l ";
    }
  }
  state.line(piece + "S");
}

void dayNumbers(ExportState& state, const RingFrame& ring) {
  double a = ring.startDeg;
  for (const int days : kMonthDays) {
    for (int d = 0; d < days; ++d) {
      const double angle = a * ring.direction - 90;
      a -= kDayDegrees;
      if (d > 0 && d % 5 == 0) {
        pdfArcText(state.writer, angle, 0.924, std::to_string(d), 6, state.discCentreFromTop);
      }
    }
  }
}

}  // namespace

void plotMonths(ExportState& state) {
  const RingFrame ring = ringFrame(state.settings.latitude);
  state.line(state.exportColours.at(19) + " k " + state.exportColours.at(19) + " K");
  monthNames(state, ring);
  ticks(state, ring);
  if (state.settings.dailyScale) dayNumbers(state, ring);
}

}  // namespace caelora
