// SPDX-License-Identifier: GPL-2.0-or-later
// The two hand pointers over the star disc: open where a press would take
// hold of it, closed while it is held.
#pragma once

#include <QCursor>

namespace caelora {

// The grab pointers: 32 x 32, black and white, hot spot (15, 15).
QCursor openHandCursor();
QCursor closedHandCursor();

}  // namespace caelora
