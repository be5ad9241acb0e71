// SPDX-License-Identifier: GPL-2.0-or-later
// One frame of the turning disc with every layer shown (figures, names,
// Milky Way, grid, ecliptic, daily date scale, the stars to 6.5, the horizon
// grid, the boundaries, the planets and the Messier objects of a set time)
// against the floor of the same
// run: an OpenGL widget of the same size and surface format that only clears
// its buffers. Both go through the same paint, compose and flush path of
// Qt, so the difference is what the chart's display lists cost. Run under
// xvfb-run -a with Mesa's llvmpipe.
#include <benchmark/benchmark.h>

#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <functional>

#include "app/options_host.h"
#include "app/mapka.h"
#include "app/stage.h"
#include "bench/gui/gui_bench_main.h"
#include "gl/context_format.h"
#include "settings/qt/options_dialog.h"

namespace {

const std::string kDataDir = CAELORA_BUILD_DATA_DIR;

void runEventsUntil(const std::function<bool()>& done) {
  while (!done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Clears colour, depth and stencil, as a chart frame does first, and
// draws nothing else.
class EmptyStage : public QOpenGLWidget {
 public:
  EmptyStage() { setFormat(caelora::chartSurfaceFormat()); }
  int frames = 0;

 protected:
  void paintGL() override {
    QOpenGLFunctions* gl = context()->functions();
    gl->glClearColor(0, 0, 0, 1);
    gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    ++frames;
  }
};

void BM_EmptyFrameFloor(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  EmptyStage stage;
  stage.resize(side, side);
  stage.show();
  runEventsUntil([&] { return stage.frames > 0; });
  for (auto _ : state) {
    const int before = stage.frames;
    stage.update();
    runEventsUntil([&] { return stage.frames != before; });
  }
  stage.close();
}
BENCHMARK(BM_EmptyFrameFloor)->Arg(800)->Unit(benchmark::kMillisecond)->UseRealTime();

caelora::Settings everyLayerShown(caelora::Settings s) {
  s.showLines = s.showNames = s.showMilkyWay = true;
  s.showGrid = s.showEcliptic = s.dailyScale = true;
  s.showHorizonGrid = s.showBoundaries = s.showPlanets = s.showMessier = true;
  s.starLimit = caelora::kCatalogueLimit;
  s.lineIntensity = s.milkyWayIntensity = 10;
  s.nameSize = 2;
  return s;
}

// The window's chart surface is 800 x 800 with every layer shown.
class ChartWindow {
 public:
  explicit ChartWindow(int side) : window_(kDataDir) {
    // Through the options dialog's own link to the window.
    caelora::makeOptionsHost(window_)->applyOptions(everyLayerShown(window_.scene().settings()));
    window_.scene().setInstant(1768507200, window_.steps());  // the planets of 15 January 2026
    window_.resize(side, side);
    window_.show();
    runEventsUntil([&] { return window_.vykresleno(); });
    QObject::connect(window_.stage(), &caelora::Stage::painted, [&] { ++frames_; });
  }
  ~ChartWindow() { window_.close(); }

  template <typename Change>
  void drawFrameAfter(Change&& change) {
    const int before = frames_;
    change(*window_.stage());
    runEventsUntil([&] { return frames_ != before; });
  }
  int stagePx() const { return window_.stage()->width(); }

 private:
  caelora::Mapka window_;
  int frames_ = 0;
};

// Every move of a drag turns the disc and draws one frame: from the images
// of the disc and the mask that the first frame of the turn made.
void BM_FrameAllLayersWhileTurning(benchmark::State& state) {
  ChartWindow window(static_cast<int>(state.range(0)));
  double angle = 0;
  for (auto _ : state) window.drawFrameAfter([&](caelora::Stage& s) { s.turnDisc(angle += 1.0); });
  state.counters["stage_px"] = window.stagePx();
}
BENCHMARK(BM_FrameAllLayersWhileTurning)->Arg(800)->Unit(benchmark::kMillisecond)->UseRealTime();

// An exact frame, drawn from the display lists: what the window shows when
// the disc rests, and every frame of the exporter's PNG.
void BM_ExactFrameAllLayers(benchmark::State& state) {
  ChartWindow window(static_cast<int>(state.range(0)));
  double angle = 0;
  for (auto _ : state) window.drawFrameAfter([&](caelora::Stage& s) { s.setDiscAngle(angle += 1.0); });
  state.counters["stage_px"] = window.stagePx();
}
BENCHMARK(BM_ExactFrameAllLayers)->Arg(800)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

CAELORA_GUI_BENCHMARK_MAIN()
