// SPDX-License-Identifier: GPL-2.0-or-later
// prevodPDF and prevodPDF_Milky.
#include "export/page_projection.h"

namespace caelora {

std::optional<PagePoint> PageProjector::prevodPDF(double ra, double dec) {
  if (!projector_.project(ra, dec)) return std::nullopt;
  return disc_.place(projector_.x(), projector_.y());
}

PagePoint PageProjector::prevodPDF_Milky(double ra, double dec) {
  projector_.projectUnbounded(ra, dec);
  return disc_.place(projector_.x(), projector_.y());
}

}  // namespace caelora
