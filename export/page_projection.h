// SPDX-License-Identifier: GPL-2.0-or-later
// The page form of the projection: the sky laid on the page disc with its
// limit circle at 0.8 of a half page width (238 units) about the centre.
#pragma once

#include <optional>

#include "pdf/page_disc.h"
#include "sky/geometry.h"

namespace caelora {

class PageProjector {
 public:
  PageProjector(int latitudeDegrees, const PageDisc& disc)
      : disc_(disc), projector_(latitudeDegrees, PageDisc::kLimit) {}

  // prevodPDF: the page point of (ra hours, dec degrees); none for a point
  // beyond the horizon circle.
  std::optional<PagePoint> prevodPDF(double ra, double dec);
  // prevodPDF_Milky: the page point without the declination test.
  PagePoint prevodPDF_Milky(double ra, double dec);

  const PageDisc& disc() const { return disc_; }
  // The projection in the page disc's units, for the rules of the chart
  // geometry that take a projector.
  DiscProjector& pageForm() { return projector_; }

 private:
  PageDisc disc_;
  DiscProjector projector_;
};

}  // namespace caelora
