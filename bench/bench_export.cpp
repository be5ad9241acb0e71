// SPDX-License-Identifier: GPL-2.0-or-later
// The PDF export end to end: one two-page document from the data files to
// the finished file, and the 112 documents of every drawable latitude.
// Measured on the path caelora-export takes: the user's settings store is
// read first (in a scratch folder), so that whatever that leaves behind in
// the processor shows in the figures.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#ifdef CAELORA_SETTINGS_STORE
#include "settings/qt/qsettings_store.h"
#endif

#include "export/all_latitudes.h"
#include "export/export_pdf.h"
#include "settings/settings.h"
#include "sky/milky_way.h"

namespace {

namespace fs = std::filesystem;

const std::string kData = CAELORA_SOURCE_DATA_DIR;

fs::path scratchFolder() {
  const fs::path folder =
      fs::temp_directory_path() / ("bench_export_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  return folder;
}

// The settings as the exporter starts with them: from the store when the
// build has one (Qt), else the defaults.
caelora::Settings startingSettings() {
#ifdef CAELORA_SETTINGS_STORE
  caelora::QSettingsStore store;
  return caelora::loadSettings(store, kData);
#else
  return caelora::defaultSettings(kData);
#endif
}

// Every layer the document can carry.
caelora::Settings everyLayerShown() {
  caelora::Settings s = startingSettings();
  s.showGrid = s.showEcliptic = s.dailyScale = true;
  return s;
}

// state.range(0): 1 with every layer shown, 0 with the default settings.
void BM_ExportOneDocument(benchmark::State& state) {
  const caelora::Settings settings =
      state.range(0) ? everyLayerShown() : startingSettings();
  const caelora::MilkyWayOutlines milkyWay = caelora::readMilkyWayOutlines(kData + "/milkyway");
  const fs::path folder = scratchFolder();
  const std::string target = (folder / "chart.pdf").string();
  for (auto _ : state) caelora::exportPDF(settings, kData, milkyWay, caelora::ExportScheme::Standard, target);
  state.counters["bytes"] = static_cast<double>(fs::file_size(target));
  fs::remove_all(folder);
}
BENCHMARK(BM_ExportOneDocument)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportAllLatitudes(benchmark::State& state) {
  const caelora::Settings settings = everyLayerShown();
  const caelora::MilkyWayOutlines milkyWay = caelora::readMilkyWayOutlines(kData + "/milkyway");
  const fs::path folder = scratchFolder();
  std::size_t documents = 0;
  for (auto _ : state)
    documents =
        caelora::exportAllLatitudes(settings, kData, milkyWay, caelora::ExportScheme::Standard, folder.string())
            .size();
  state.counters["documents"] = static_cast<double>(documents);
  fs::remove_all(folder);
}
BENCHMARK(BM_ExportAllLatitudes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char* argv[]) {
  // A store of its own that starts empty: the default settings, whatever
  // the user chose.
  const fs::path config = fs::temp_directory_path() / ("bench_export_config_" + std::to_string(::getpid()));
  fs::create_directories(config);
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(config);
  return 0;
}
