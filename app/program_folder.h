// Where the run-time data files lie: beside the executable (the build tree
// copies them into bin/), or <prefix>/share/caelora once installed.
#pragma once

#include <string>

namespace caelora {

// The folder of the executable when it holds "yale.dat", else the installed
// data folder when that does, else the executable's folder. No trailing
// separator.
std::string findProgramFolder();

}  // namespace caelora
