// Turns a recorded DisplayList into a real OpenGL display list under its
// fixed number. Needs a current legacy context.
#pragma once

#include "sky/display_list.h"

namespace caelora {

// Records `list` as display list `number` in compile mode, replacing what the
// number held. Runs of points of one size, only separated by colour changes,
// become one GL_POINTS primitive: the same picture in far fewer primitives.
void compileList(int number, const DisplayList& list);

// Releases the lists 1 to 10 of the chart.
void deleteChartLists();

}  // namespace caelora
