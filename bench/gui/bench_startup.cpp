// Start-up of the main window to its first frame, with the real data files
// and Mesa's OpenGL (frames of a turning disc: bench_frame). Run under
// xvfb-run -a.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSurfaceFormat>
#include <QTemporaryDir>

#include "app/mapka.h"
#include "gl/context_format.h"

namespace {

const std::string kDataDir = CAELORA_BUILD_DATA_DIR;

void waitForFirstFrame(const caelora::Mapka& window) {
  while (!window.vykresleno) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
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

int main(int argc, char* argv[]) {
  // A settings store of its own, empty: the defaults, whatever the user chose.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  QSurfaceFormat::setDefaultFormat(caelora::chartSurfaceFormat());
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
