// SPDX-License-Identifier: GPL-2.0-or-later
// The date ring of the star-disc page: month names round the rim, the ticks
// of months and days, and in the daily variant the day numbers 5 to 30.
#pragma once

#include "export/export_state.h"

namespace caelora {

void plotMonths(ExportState& state);

}  // namespace caelora
