// SPDX-License-Identifier: GPL-2.0-or-later
// The exporter as a user runs it: caelora-export started as a process for
// one PDF document and for all latitudes. Reports the wall time and the
// peak resident memory of the child (wait4's ru_maxrss).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

const std::string kExporter = CAELORA_EXPORTER;

// Runs the exporter with `args`; the peak resident memory in kilobytes.
long runExporter(const std::vector<std::string>& args) {
  std::vector<char*> argv{const_cast<char*>(kExporter.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawn(&child, kExporter.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot start " + kExporter);
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error(kExporter + " failed");
  return usage.ru_maxrss;
}

fs::path scratchFolder() {
  const fs::path folder =
      fs::temp_directory_path() / ("bench_exporter_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  return folder;
}

void reportPeak(benchmark::State& state, long peakKb) {
  state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
}

void BM_ExporterOneDocument(benchmark::State& state) {
  const fs::path folder = scratchFolder();
  long peak = 0;
  for (auto _ : state) peak = std::max(peak, runExporter({(folder / "chart.pdf").string()}));
  reportPeak(state, peak);
  fs::remove_all(folder);
}
BENCHMARK(BM_ExporterOneDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExporterAllLatitudes(benchmark::State& state) {
  const fs::path folder = scratchFolder();
  long peak = 0;
  for (auto _ : state)
    peak = std::max(peak, runExporter({"--all-latitudes", (folder / "all").string()}));
  reportPeak(state, peak);
  fs::remove_all(folder);
}
BENCHMARK(BM_ExporterAllLatitudes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

int main(int argc, char* argv[]) {
  // The default settings, whatever the user chose.
  char config[] = "/tmp/bench_exporter_config_XXXXXX";
  if (!mkdtemp(config)) return 1;
  setenv("XDG_CONFIG_HOME", config, 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(config);
  return 0;
}
