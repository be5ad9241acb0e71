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

float pointSize(double mag) {
  return static_cast<float>(std::sqrt(kFaintestMagnitude - mag) * 1.3);
}

}  // namespace

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
    in.fail("right ascension " + shownNumber(star.ra) + " h lies outside 0..24 h");
  // A declination beyond a pole would be drawn mirrored across it.
  if (std::fabs(star.dec) > 90)
    in.fail("declination " + shownNumber(star.dec) + " lies beyond the pole");
  if (kFaintestMagnitude - star.mag < 0)
    in.fail("magnitude " + shownNumber(star.mag) + " is fainter than 6.1");
  if (star.mag < kBrightestMagnitude)
    in.fail("magnitude " + shownNumber(star.mag) + " is brighter than any star (-2)");
  return star;
}

std::vector<StarRecord> readStarCatalogue(const std::string& path) {
  SequentialInput in(path, kCatalogueBound);
  std::vector<StarRecord> stars;
  while (!in.atEnd()) stars.push_back(readStarRecord(in));
  if (stars.empty()) throw DataError(path + ": holds no stars");
  return stars;
}

DisplayList LoadStars(const ChartSetup& setup) {
  SequentialInput in(setup.dataFile("yale.dat"), kCatalogueBound);
  // One colour for every star, or each its own.
  const std::optional<Rgb> oneColour = screenColours(setup.settings.colourScheme).stars;
  DiscProjector projector(setup.settings.latitude);
  DisplayList list;
  if (oneColour) list.color(oneColour->r, oneColour->g, oneColour->b);
  while (!in.atEnd()) {
    const StarRecord star = readStarRecord(in);
    const bool onDisc = projector.project(star.ra, star.dec);
    // Size (and colour) go into the list for every star, drawn or not.
    list.pointSize(pointSize(star.mag));
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
  if (in.record() == 0) throw DataError(in.name() + ": holds no stars");
  return list;
}

}  // namespace caelora
