// caelora-export: the chart without a window, as a PNG picture.
#include <QGuiApplication>
#include <QSurfaceFormat>
#include <cstdio>
#include <string>
#include <vector>

#include "app/chart_scene.h"
#include "app/program_folder.h"
#include "cli/export_options.h"
#include "cli/png_render.h"
#include "gl/context_format.h"
#include "settings/qt/qsettings_store.h"

namespace {

constexpr int kBadUsage = 2;

void printNote(const std::string& note) { std::fprintf(stderr, "caelora-export: %s\n", note.c_str()); }

}  // namespace

int main(int argc, char* argv[]) {
  using namespace caelora;
  ExportOptions options;
  try {
    options = parseExportOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& e) {
    printNote(e.what());
    return kBadUsage;
  }
  if (options.help) {
    std::fputs(exportUsage().c_str(), stdout);
    return 0;
  }

  QSurfaceFormat::setDefaultFormat(chartSurfaceFormat());
  QGuiApplication app(argc, argv);
  const std::string folder = findProgramFolder();
  StepRunner steps(printNote);
  Settings settings;
  steps.run("settings", [&] {
    QSettingsStore store;
    settings = loadSettings(store, folder);
  });
  ChartScene scene(applyOverrides(settings, options.overrides), folder);
  scene.loadAtStartup(steps, [](const std::string& file) {
    printNote("the constellation figure file " + file + " does not exist");
  });
  try {
    const QImage image =
        renderChart(scene, options.sizePx, options.angleDeg, options.useMask, steps);
    if (!image.save(QString::fromStdString(options.pngFile), "PNG")) {
      printNote("cannot write " + options.pngFile);
      return 1;
    }
  } catch (const std::exception& e) {
    printNote(e.what());
    return 1;
  }
  return 0;
}
