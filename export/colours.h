// The colour tables of the two export schemes: 32 DeviceCMYK operand strings
// that the page drawing writes followed by " K" (stroke) or " k" (fill).
#pragma once

#include "export/export_state.h"

namespace caelora {

// Scheme 0 is the standard chart (light ink on a black disc and mask),
// scheme 1 the inverse one (black ink on white paper). Any other scheme
// leaves the table as it was.
void getColorValues(ExportState& state, int scheme);

}  // namespace caelora
