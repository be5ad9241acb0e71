// SPDX-License-Identifier: GPL-2.0-or-later
// The star layer: the bright-star catalogue "yale.dat" and the recording of
// display list 1, every star a round point sized by its brightness.
#pragma once

#include <string>
#include <vector>

#include "sky/chart_setup.h"
#include "sky/display_list.h"
#include "sky/sequential_input.h"

namespace caelora {

// The faintest magnitude the catalogue may hold (kCatalogueLimit, 6.5).
constexpr double kFaintestMagnitude = kCatalogueLimit;
// No star outshines Sirius (-1.46) by much: a brighter magnitude would draw a
// point over the whole chart.
constexpr double kBrightestMagnitude = -2;

// The catalogue holds some 9,000 stars in about 160 KiB.
constexpr FileBound kCatalogueBound{8 * 1024 * 1024, "a star catalogue"};

// The size of a star's point in pixels: 1.3 sqrt(6.1 - magnitude), the law
// the chart has always drawn its stars to the limit 6.1 by. A chart that
// goes fainter gives every star at least kSmallestPoint, so that those
// beyond 6.1 show.
constexpr double kSizeAnchorMagnitude = 6.1;
constexpr float kSmallestPoint = 0.45f;
float starPointSize(double magnitude, double limit);

// One star of "yale.dat", converted from the stored integers.
struct StarRecord {
  double ra = 0;   // right ascension, hours (field / 1000)
  double dec = 0;  // declination, degrees (field / 100)
  double mag = 0;  // visual magnitude (field / 100)
  double ci = 0;   // B-V colour index in hundredths of a magnitude, as stored
};

// Starts the next record of `in` and reads its four fields. Throws DataError
// naming the file and record when a field is missing or not a number, the
// declination lies beyond a pole, or the star is fainter than 6.5 or
// brighter than -2.
StarRecord readStarRecord(SequentialInput& in);

// Every star of the catalogue at `path`, in file order (brightest first).
std::vector<StarRecord> readStarCatalogue(const std::string& path);

// Display list 1: per star down to the limit "SMapStarLim" its point size,
// in the colour scheme its colour, and for a star on the disc one point. Reads
// setup.dataFile("yale.dat") (brightest first) up to the first fainter star;
// any error propagates and no list is returned.
DisplayList LoadStars(const ChartSetup& setup);

}  // namespace caelora
