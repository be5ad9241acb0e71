// The readout of the screen chart: the date and time the disc shows,
// lettered in the vector font in the lower right corner (the corner menu
// has the lower left), over the mask and outside the disc's turn.
#pragma once

#include <string>
#include <vector>

#include "sky/display_list.h"
#include "sky/vector_font.h"

namespace caelora {

// A box of the chart, chart units (-1..1, y up).
struct ChartBox {
  double left = 0, bottom = 0, right = 0, top = 0;
};

// Every stroke of the readout lies inside this box, whatever its text.
ChartBox readoutBox();

// The text as it is set: the date on the first line and, from the word
// that holds the time ("21:30") on, the rest on the second; a text whose
// time comes first, or that holds none, stays on one line.
std::vector<std::string> readoutLines(const std::string& text);

// The readout of `text` (Windows-1250) in the scheme's lettering colour:
// its lines right-aligned in readoutBox(), set smaller when the longest
// would not fit.
DisplayList recordTimeReadout(const GlyphTable& glyphs, ScreenScheme scheme, const std::string& text);

}  // namespace caelora
