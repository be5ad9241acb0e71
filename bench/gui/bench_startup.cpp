// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up of the main window to its first frame, with the real data files
// and Mesa's OpenGL (frames of a turning disc: bench_frame). Run under
// xvfb-run -a.
#include <benchmark/benchmark.h>

#include "app/mapka.h"
#include "bench/gui/gui_bench_main.h"

namespace {

const std::string kDataDir = CAELORA_BUILD_DATA_DIR;

void waitForFirstFrame(const caelora::Mapka& window) {
  while (!window.vykresleno()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void BM_StartUpToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    caelora::Mapka window(kDataDir);
    window.show();
    waitForFirstFrame(window);
    window.close();
  }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

CAELORA_GUI_BENCHMARK_MAIN()
