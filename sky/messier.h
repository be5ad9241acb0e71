// SPDX-License-Identifier: GPL-2.0-or-later
// The Messier objects: the file data/messier.dat and their layer on the
// disc (list 15), a symbol for each kind and its number.
#pragma once

#include <string>
#include <vector>

#include "sky/chart_setup.h"
#include "sky/display_list.h"
#include "sky/sequential_input.h"

namespace caelora {

enum class MessierKind { Galaxy = 1, Cluster = 2, Nebula = 3 };

struct MessierObject {
  int number = 0;
  MessierKind kind = MessierKind::Cluster;
  double raHours = 0;
  double decDeg = 0;
  double mag = 0;
};

// The objects of `path`: "number,kind,ra,dec,mag" a line (right ascension
// in thousandths of an hour, declination in hundredths of a degree,
// magnitude in hundredths). Throws DataError naming the file and record.
// The 110 objects take some 2 KiB.
constexpr FileBound kMessierFileBound{1024 * 1024, "a Messier catalogue"};

std::vector<MessierObject> ReadMessierObjects(const std::string& path);

// The symbol of a kind, centred on the origin, in disc units: an ellipse
// for a galaxy, a circle for a cluster, a square for a nebula; each an
// outline of its corners.
std::vector<DiscPoint> messierSymbol(MessierKind kind);

// List 15: the objects on the disc as bright as "SMapMesLim", each its
// symbol and "M" and its number.
DisplayList LoadMessier(const ChartSetup& setup);

}  // namespace caelora
