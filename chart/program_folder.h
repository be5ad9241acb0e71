// SPDX-License-Identifier: GPL-2.0-or-later
// Where the run-time data files lie: beside the executable (the build tree
// copies them into bin/), or <prefix>/share/caelora once installed.
#pragma once

#include <string>

namespace caelora {

// The first of these folders that holds "yale.dat": the executable's folder;
// the installed data folder relative to it (bin/../share/caelora, so that a
// package unpacked or installed under any prefix finds its data); the data
// folder of the prefix the program was built for. Else the executable's
// folder. No trailing separator.
std::string findProgramFolder();

// The same search starting from the executable's folder `executableFolder`.
std::string findProgramFolder(const std::string& executableFolder);

}  // namespace caelora
