#include "export/page_projection.h"

#include <cmath>

#include "sky/geometry.h"

namespace caelora {

PageProjector::PageProjector(const ExportState& state)
    : latitude_(state.settings.latitude),
      width_(state.pageWidth()),
      centreY_(state.pageHeight() - state.discCentreFromTop) {}

bool PageProjector::project(double ra, double dec) {
  const bool north = latitude_ > 0;
  if (north ? dec < latitude_ - 90 : dec > latitude_ + 90) {
    onDisc_ = false;
    return false;
  }
  place(ra, dec);
  onDisc_ = true;
  return true;
}

void PageProjector::projectUnbounded(double ra, double dec) { place(ra, dec); }

void PageProjector::place(double ra, double dec) {
  const double h = ra * kHoursToRadians;
  if (latitude_ > 0) {
    const float r = static_cast<float>((90 - dec) * 0.8 / (180 - latitude_));
    x_ = (std::cos(h) * r + 1) * width_ / 2;
    y_ = centreY_ - std::sin(h) * r * width_ / 2;
  } else {
    const float r = static_cast<float>((dec + 90) * 0.8 / (latitude_ + 180));
    x_ = (-std::cos(h) * r + 1) * width_ / 2;
    y_ = centreY_ - std::sin(h) * r * width_ / 2;
  }
}

double discToPageX(const ExportState& state, double u) {
  return (0.9 * u + 1) * state.pageWidth() / 2.0;
}

double discToPageY(const ExportState& state, double v) {
  return (state.pageHeight() - state.discCentreFromTop) + v * 0.9 * state.pageWidth() / 2.0;
}

}  // namespace caelora
