// SPDX-License-Identifier: GPL-2.0-or-later
// Whole pixels as the windows and dialogs have always had them: halves
// rounded to even, and a window centred on the screen.
#pragma once

#include <cmath>

class QWidget;

namespace caelora {

// The nearest whole number, halves to even (2.5 gives 2, 3.5 gives 4).
inline int roundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// Moves the top-level `window`, at its present size, to the middle of the
// primary screen; it stays where it is when there is no screen.
void centreOnScreen(QWidget& window);

}  // namespace caelora
