// SPDX-License-Identifier: GPL-2.0-or-later
// Starting caelora-render in place of caelora-export.
#include "cli/renderer_start.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cli/exporter_notes.h"

namespace caelora {

std::string rendererBeside(const std::string& exporter) {
  return (std::filesystem::path(exporter).parent_path() / "caelora-render").string();
}

std::string runningProgram(const char* argv0) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(argv0) : self.string();
}

int startRenderer(char* argv[]) {
  const std::string renderer = rendererBeside(runningProgram(argv[0]));
  argv[0] = const_cast<char*>(renderer.c_str());
  ::execv(renderer.c_str(), argv);
  printNote("--png: the picture renderer " + renderer + " cannot be started: " + std::strerror(errno));
  return 1;
}

}  // namespace caelora
