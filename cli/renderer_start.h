// SPDX-License-Identifier: GPL-2.0-or-later
// Handing a picture over to caelora-render, the program beside caelora-export
// that draws the chart with OpenGL.
#pragma once

#include <string>

namespace caelora {

// The renderer in the folder of `exporter` (the exporter's own path).
std::string rendererBeside(const std::string& exporter);

// The path of the running program, as the system knows it; `argv0` when the
// system does not tell.
std::string runningProgram(const char* argv0);

// Replaces this process by the renderer beside the running program, with the
// same arguments: its status is then the process's status. Returns 1, with a
// note, only when the renderer cannot be started.
int startRenderer(char* argv[]);

}  // namespace caelora
