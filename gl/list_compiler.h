// SPDX-License-Identifier: GPL-2.0-or-later
// Turns a recorded DisplayList into a real OpenGL display list under its
// fixed number. Needs a current legacy context.
#pragma once

#include <cstdint>

#include "sky/display_list.h"

namespace caelora {

// Records `list` as display list `number` in compile mode, replacing what the
// number held. Its runs of points are drawn in one primitive per size step
// (batchPointsBySize).
void compileList(int number, const DisplayList& list);

// Releases the lists of the chart, 1 to the last.
void deleteChartLists();

// Counts the compilations of the lists 1 to 10 and the releases so far: what
// was drawn from them before it changed may look different now. The
// readout (list 11) is drawn over every frame anew and counted apart.
std::uint64_t listsGeneration();
std::uint64_t readoutCompilations();

}  // namespace caelora
