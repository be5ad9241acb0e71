// SPDX-License-Identifier: GPL-2.0-or-later
// Constellation figures (straight segments between stars, from a figure-set
// file "*.con") and constellation names (from "Cons.txt"), recorded for the
// star disc; and the readers of both files, which the PDF export shares.
#pragma once

#include <string>
#include <vector>

#include "sky/chart_setup.h"
#include "sky/display_list.h"
#include "sky/sequential_input.h"

namespace caelora {

// One segment of a figure set. The file stores four numbers per record: right
// ascension in thousandths of an hour and declination in hundredths of a
// degree, first end then second end.
struct FigureSegment {
  double ra1Hours = 0;
  double dec1Deg = 0;
  double ra2Hours = 0;
  double dec2Deg = 0;
};

// One record of "Cons.txt": an ignored first field, the label point (right
// ascension in thousandths of an hour, declination in hundredths of a
// degree), the abbreviation written on the chart and the Latin name.
struct ConstellationRecord {
  double raHours = 0;
  double decDeg = 0;
  std::string abbreviation;
  std::string name;
};

// The position fields the chart's data files share: a right ascension in
// thousandths of an hour (0..24000) in hours, a declination in hundredths of
// a degree (-9000..9000) in degrees. A value out of range throws DataError
// naming the file and the record.
double readRaHours(SequentialInput& input);
double readDecDegrees(SequentialInput& input);

// A figure set holds about a thousand segments in some 20 KiB, "Cons.txt"
// its 88 constellations in 3 KiB.
constexpr FileBound kFigureFileBound{4 * 1024 * 1024, "a figure file"};
constexpr FileBound kConstellationTableBound{1024 * 1024, "a constellation table"};

// Read every record until the end of the input. A record that is cut short,
// holds a field that is not a number, or a position outside 0..24 h or
// -90..+90 degrees throws DataError naming the file and the record.
std::vector<FigureSegment> ReadFigureSegments(SequentialInput& input);
std::vector<FigureSegment> ReadFigureSegments(const std::string& path);
std::vector<ConstellationRecord> ReadConstellationRecords(SequentialInput& input);
std::vector<ConstellationRecord> ReadConstellationRecords(const std::string& path);

// The figure line colour for a scheme and the brightness "SMapILMode"
// (0..10).
Rgb FigureColour(ScreenScheme scheme, int lineIntensity);

// Text size of the names for "SMapIPMode" (0..2): 0.2, 0.28, 0.36.
double NameSize(int nameSizeSetting);

// List 2: the figures of setup.settings.linesFile. A segment is drawn only
// when both its ends are on the disc; it is never clipped.
DisplayList LoadFigures(const ChartSetup& setup);

// List 4: the abbreviations of Cons.txt, each starting at its label point and
// running along the tangent of the circle about the disc centre.
DisplayList LoadNames(const ChartSetup& setup);

}  // namespace caelora
