// Start-up of the main window to its first frame, and one frame of a turning
// disc, with the real data files and Mesa's OpenGL. Run under xvfb-run -a.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSurfaceFormat>
#include <QTemporaryDir>

#include "app/mapka.h"
#include "app/stage.h"
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

// A drag redraws the whole chart from its display lists at every move.
void BM_FrameWhileTurning(benchmark::State& state) {
  caelora::Mapka window(kDataDir);
  window.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)));
  window.show();
  waitForFirstFrame(window);
  int frames = 0;
  QObject::connect(window.stage(), &caelora::Stage::painted, [&] { ++frames; });
  double angle = 0;
  for (auto _ : state) {
    const int before = frames;
    window.stage()->setDiscAngle(angle += 1.0);
    while (frames == before) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  window.close();
}
BENCHMARK(BM_FrameWhileTurning)->Arg(392)->Arg(800)->Unit(benchmark::kMillisecond)->UseRealTime();

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
