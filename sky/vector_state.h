// SPDX-License-Identifier: GPL-2.0-or-later
// A guard against a costly processor state that other code may leave
// behind: after library code that uses 256-bit vector registers without
// clearing their upper halves (seen after Qt reads its settings or a time
// zone), every later SSE instruction of the maths library runs several
// times slower on some processors until the upper halves are cleared.
#pragma once

namespace caelora {

// Clears the upper halves of the vector registers (vzeroupper) where the
// processor has them; does nothing elsewhere. Cheap: call it before the
// chart's arithmetic starts.
void clearUpperVectorState();

}  // namespace caelora
