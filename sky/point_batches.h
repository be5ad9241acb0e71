// SPDX-License-Identifier: GPL-2.0-or-later
// Stars are drawn as smooth points, each with a size of its own. Drawn one
// by one, every size change costs a software rasteriser a pass of its own;
// gathered into one primitive per size step, the whole catalogue takes a few
// dozen. This is how the screen compiles its recordings.
#pragma once

#include "sky/display_list.h"

namespace caelora {

// Sizes of points drawn together differ by less than this, in pixels: an
// eighth of a pixel in diameter changes a star's light by a few per cent.
constexpr float kPointSizeStep = 0.125f;

// `list` with every run of points (point sizes, colours and GL_POINTS
// primitives, nothing else between them) redrawn as one GL_POINTS primitive
// per size step, smallest first, each point keeping its colour. After a run
// the size and colour in force are the ones the run left. A run with a point
// whose size or colour comes from before the list, or with sizes the screen
// ignores (zero or less), is kept as it was recorded.
DisplayList batchPointsBySize(const DisplayList& list, float sizeStep = kPointSizeStep);

}  // namespace caelora
