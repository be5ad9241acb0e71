// SPDX-License-Identifier: GPL-2.0-or-later
// Reading the whole bright-star catalogue and recording the star layer, as a
// start-up or an options change does.
#include <benchmark/benchmark.h>

#include "sky/stars.h"

namespace {

caelora::ChartSetup chartSetup(int scheme, int latitude) {
  caelora::ChartSetup setup;
  setup.programFolder = CAELORA_SOURCE_DATA_DIR;
  setup.settings.colourScheme = static_cast<caelora::ScreenScheme>(scheme);
  setup.settings.latitude = static_cast<std::int16_t>(latitude);
  return setup;
}

void BM_LoadStars(benchmark::State& state) {
  const caelora::ChartSetup setup = chartSetup(static_cast<int>(state.range(0)), 50);
  std::size_t commands = 0;
  for (auto _ : state) {
    caelora::DisplayList list = caelora::LoadStars(setup);
    commands = list.size();
    benchmark::DoNotOptimize(list);
  }
  state.counters["commands"] = static_cast<double>(commands);
  state.SetItemsProcessed(state.iterations() *
                          static_cast<std::int64_t>(caelora::readStarCatalogue(
                              setup.dataFile("yale.dat")).size()));
}
BENCHMARK(BM_LoadStars)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ReadStarCatalogue(benchmark::State& state) {
  const std::string path = chartSetup(0, 50).dataFile("yale.dat");
  for (auto _ : state) benchmark::DoNotOptimize(caelora::readStarCatalogue(path));
}
BENCHMARK(BM_ReadStarCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
