// SPDX-License-Identifier: GPL-2.0-or-later
// The date ring between the limit circle and the rim. The year starts at 79
// degrees (counter-clockwise from +x) in the north and runs clockwise; the
// south mirrors it. A year of 365 days, no leap day.
#include "export/month_scale.h"

#include <array>
#include <cmath>
#include <string>

#include "i18n/language.h"
#include "pdf/content.h"
#include "sky/chart_geometry.h"

namespace caelora {
namespace {

void monthNames(ExportState& state, const DateRing& ring) {
  const bool daily = state.settings.dailyScale;
  const std::array<double, 12> rotations = monthLabelRotations(ring);
  for (int m = 1; m <= 12; ++m) {
    pdfArcText(state.writer, state.disc(), rotations[m - 1], daily ? 0.95 : 0.93,
               guiText(state.languageFile(), 500 + m), daily ? 12 : 16);
  }
}

// From the limit circle of the page form out to the tick's end.
void ticks(ExportState& state, const DateRing& ring) {
  const PageDisc disc = state.disc();
  std::string piece;
  for (const DayTick& tick : dayTicks(ring, state.settings.dailyScale)) {
    const PagePoint inner = disc.place(PageDisc::kLimit * std::cos(tick.angleRad),
                                       PageDisc::kLimit * std::sin(tick.angleRad));
    piece += pdfPoint(inner) + " m ";
    piece += pdfPoint(disc.polar(tick.outer, tick.angleRad)) + " l ";
  }
  state.line(piece + "S");
}

void dayNumbers(ExportState& state, const DateRing& ring) {
  for (const DayLabel& label : dayLabels(ring))
    pdfArcText(state.writer, state.disc(), label.rotationDeg, 0.924, std::to_string(label.day), 6);
}

}  // namespace

void plotMonths(ExportState& state) {
  const DateRing ring = dateRing(state.settings.latitude);
  state.line(state.fill(Ink::DateScale) + " " + state.stroke(Ink::DateScale));
  monthNames(state, ring);
  ticks(state, ring);
  if (state.settings.dailyScale) dayNumbers(state, ring);
}

}  // namespace caelora
