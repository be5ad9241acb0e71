// SPDX-License-Identifier: GPL-2.0-or-later
// The bright-star catalogue and the star layer of the on-screen chart.
#include "sky/stars.h"

#include <cmath>

#include "sky/data_error.h"
#include "sky/geometry.h"

namespace caelora {
namespace {

// The colour scheme tints each star from its B-V index: blue-white for negative
// indices, through yellow and orange, white again for the reddest (>= 2.90),
// which the formulas would otherwise turn dark.
Rgb starColour(double ci) {
  if (ci < 0) {
    const float rg = static_cast<float>(1 + 0.01 * ci);
    return {rg, rg, 0.95f};
  }
  if (ci < 290) {
    return {1.0f, static_cast<float>(1 - 0.0015 * ci), static_cast<float>(0.98 - 0.0025 * ci)};
  }
  return {1.0f, 1.0f, 1.0f};
}


}  // namespace

float starPointSize(double magnitude, double limit) {
  const auto anchored = static_cast<float>(std::sqrt(std::fmax(kSizeAnchorMagnitude - magnitude, 0.0)) * 1.3);
  return limit > kSizeAnchorMagnitude ? std::fmax(anchored, kSmallestPoint) : anchored;
}

StarRecord readStarRecord(SequentialInput& in) {
  in.requireOneLinePerRecord();
  in.nextRecord();
  StarRecord star;
  star.ra = in.readNumber() / 1000;
  star.dec = in.readNumber() / 100;
  const double magField = in.readNumber();
  star.ci = in.readNumber();
  in.endRecord();
  star.mag = magField / 100;
  if (star.ra < 0 || star.ra > 24)
    in.fail(Message("StarRaOutside").with("value", shownNumber(star.ra)));
  // A declination beyond a pole would be drawn mirrored across it.
  if (std::fabs(star.dec) > 90)
    in.fail(Message("StarDecBeyondPole").with("value", shownNumber(star.dec)));
  if (kFaintestMagnitude - star.mag < 0)
    in.fail(Message("StarTooFaint").with("value", shownNumber(star.mag)));
  if (star.mag < kBrightestMagnitude)
    in.fail(Message("StarTooBright").with("value", shownNumber(star.mag)));
  return star;
}

std::vector<StarRecord> readStarCatalogue(const std::string& path) {
  SequentialInput in(path, kCatalogueBound);
  std::vector<StarRecord> stars;
  while (!in.atEnd()) stars.push_back(readStarRecord(in));
  if (stars.empty()) throw DataError(Message("NoStars").with("file", path));
  return stars;
}

DisplayList LoadStars(const ChartSetup& setup) {
  SequentialInput in(setup.dataFile("yale.dat"), kCatalogueBound);
  // One colour for every star, or each its own.
  const std::optional<Rgb> oneColour = screenColours(setup.settings.colourScheme).stars;
  DiscProjector projector(setup.settings.latitude);
  DisplayList list;
  if (oneColour) list.color(oneColour->r, oneColour->g, oneColour->b);
  const double limit = setup.settings.starLimit;
  while (!in.atEnd()) {
    const StarRecord star = readStarRecord(in);
    if (star.mag > limit) break;
    const bool onDisc = projector.project(star.ra, star.dec);
    // Size (and colour) go into the list for every star, drawn or not.
    list.pointSize(starPointSize(star.mag, limit));
    if (!oneColour) {
      const Rgb c = starColour(star.ci);
      list.color(c.r, c.g, c.b);
    }
    if (onDisc) {
      list.begin(Primitive::Points);
      list.vertex(static_cast<float>(projector.x()), static_cast<float>(projector.y()));
      list.end();
    }
  }
  if (in.record() == 0) throw DataError(Message("NoStars").with("file", in.name()));
  return list;
}

}  // namespace caelora
