// SPDX-License-Identifier: GPL-2.0-or-later
// How long the Milky Way layer takes to build: converting and projecting the
// four outlines, clipping both bands at the limit circle and triangulating them.
#include <benchmark/benchmark.h>

#include "sky/milky_way.h"

namespace {

void BM_LoadMilkyWay(benchmark::State& state) {
  const caelora::MilkyWayOutlines outlines =
      caelora::readMilkyWayOutlines(std::string(CAELORA_SOURCE_DATA_DIR) + "/milkyway");
  caelora::ChartSetup setup;
  setup.settings.latitude = static_cast<std::int16_t>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(caelora::LoadMilkyWay(setup, outlines));
  }
}
BENCHMARK(BM_LoadMilkyWay)->Arg(50)->Arg(-30)->Unit(benchmark::kMillisecond);

void BM_ClippedMilkyWayBands(benchmark::State& state) {
  const caelora::MilkyWayOutlines outlines =
      caelora::readMilkyWayOutlines(std::string(CAELORA_SOURCE_DATA_DIR) + "/milkyway");
  caelora::PolygonClipper clipper;
  for (auto _ : state) {
    for (int band = 1; band <= 2; ++band) {
      benchmark::DoNotOptimize(caelora::clippedMilkyWayBand(50, outlines, band, clipper));
    }
  }
}
BENCHMARK(BM_ClippedMilkyWayBands)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
