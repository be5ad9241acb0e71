// SPDX-License-Identifier: GPL-2.0-or-later
// The star disc laid on a page: where its centre stands and how large one
// unit is. Every drawing of the disc, the mask and their lettering maps its
// points onto the page through here.
#pragma once

#include <cmath>

#include "sky/geometry.h"

namespace caelora {

struct PagePoint {
  double x = 0;
  double y = 0;
};

// The unit is half the page width. In it the page form of the projection
// (DiscProjector with the limit radius kLimit) lays the sky; the disc's rim
// lies at kRim, so a point in the screen's disc units (rim 1) stands at kRim
// times its place.
class PageDisc {
 public:
  static constexpr double kRim = 0.9;
  static constexpr double kLimit = 0.8;

  PageDisc(double centreX, double centreY, double unit) : centreX_(centreX), centreY_(centreY), unit_(unit) {}

  // The disc of both pages: centred across the page, its centre half a page
  // width below the top.
  static PageDisc ofPage(int pageWidth, int pageHeight) {
    return {pageWidth / 2.0, pageHeight - pageWidth / 2.0, pageWidth / 2.0};
  }

  double centreX() const { return centreX_; }
  double centreY() const { return centreY_; }
  double unit() const { return unit_; }
  // The rim of the disc, in page units.
  double rimRadius() const { return kRim * unit_; }

  // A point of the page form of the projection.
  PagePoint place(double u, double v) const { return {centreX_ + u * unit_, centreY_ + v * unit_}; }
  PagePoint place(const DiscPoint& p) const { return place(p.x, p.y); }
  // A point in disc units.
  PagePoint fromDisc(const DiscPoint& p) const { return place(kRim * p.x, kRim * p.y); }
  // A point `radius` disc units from the centre at `angleRad`, counted
  // counter-clockwise from +x.
  PagePoint polar(double radius, double angleRad) const {
    return place(kRim * radius * std::cos(angleRad), kRim * radius * std::sin(angleRad));
  }

  // The disc units of a page point.
  DiscPoint toDisc(const PagePoint& p) const {
    return {(p.x - centreX_) / (kRim * unit_), (p.y - centreY_) / (kRim * unit_), true};
  }

  // The same unit about another centre, given in disc units.
  PageDisc centredAt(const DiscPoint& centre) const {
    const PagePoint c = fromDisc(centre);
    return {c.x, c.y, unit_};
  }

 private:
  double centreX_;
  double centreY_;
  double unit_;
};

}  // namespace caelora
