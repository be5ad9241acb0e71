// caelora-export: the chart without a window, as a PNG picture or as the
// printable PDF document. The PDF needs no display: it runs under a
// QCoreApplication and never touches the windowing system.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSurfaceFormat>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/chart_scene.h"
#include "app/milky_way_outlines.h"
#include "app/program_folder.h"
#include "cli/export_options.h"
#include "cli/png_render.h"
#include "export/all_latitudes.h"
#include "export/export_pdf.h"
#include "gl/context_format.h"
#include "settings/qt/qsettings_store.h"

namespace {

constexpr int kBadUsage = 2;

void printNote(std::string note) {
  for (char& ch : note) {
    if (ch == '\n' || ch == '\r') ch = ' ';  // one line per message
  }
  std::fprintf(stderr, "caelora-export: %s\n", note.c_str());
}

caelora::Settings storedSettings(const std::string& folder) {
  caelora::StepRunner steps(printNote);
  caelora::Settings settings = caelora::defaultSettings(folder);
  steps.run("settings", [&] {
    caelora::QSettingsStore store;
    settings = caelora::loadSettings(store, folder);
  });
  return settings;
}

// The PDF documents asked for, written without any display; 1 on failure.
int writeDocuments(const caelora::ExportOptions& options, int argc, char* argv[]) {
  using namespace caelora;
  QCoreApplication app(argc, argv);
  const std::string folder = findProgramFolder();
  try {
    const Settings settings = applyOverrides(storedSettings(folder), options.overrides);
    const MilkyWayOutlines milkyWay = loadMilkyWayOutlines();
    if (!options.pdfFile.empty()) {
      exportPDF(settings, folder, milkyWay, options.exportScheme, options.pdfFile);
    }
    if (!options.allLatitudesDir.empty()) {
      exportAllLatitudes(settings, folder, milkyWay, options.exportScheme, options.allLatitudesDir);
    }
  } catch (const std::exception& e) {
    printNote(e.what());
    return 1;
  }
  return 0;
}

// The PNG is drawn with OpenGL in a window system's context. Without one,
// Qt would abort on its platform plugin with a message of its own.
bool displayAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
#else
  return true;
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace caelora;
#ifdef SIGXFSZ
  // A file beyond the size limit is then a write error that is reported,
  // not the end of the process.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  ExportOptions options;
  try {
    options = parseExportOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {  // a UsageError; any other is a bad command line too
    printNote(e.what());
    return kBadUsage;
  }
  if (options.help) {
    std::fputs(exportUsage().c_str(), stdout);
    return 0;
  }

  if (!options.pdfFile.empty() || !options.allLatitudesDir.empty()) {
    if (const int status = writeDocuments(options, argc, argv); status != 0) return status;
    if (options.pngFile.empty()) return 0;
  }

  if (!displayAvailable()) {
    printNote("--png draws with OpenGL and needs a display (an X server; xvfb-run gives one); "
              "documents do not");
    return 1;
  }
  QSurfaceFormat::setDefaultFormat(chartSurfaceFormat());
  QGuiApplication app(argc, argv);
  const std::string folder = findProgramFolder();
  StepRunner steps(printNote);
  ChartScene scene(applyOverrides(storedSettings(folder), options.overrides), folder);
  scene.loadAtStartup(steps, [](const std::string& file) {
    printNote("the constellation figure file " + file + " does not exist");
  });
  try {
    const QImage image =
        renderChart(scene, options.sizePx, options.angleDeg, options.useMask, steps);
    // A chart without some of its parts is refused, as the document is.
    if (!steps.errors().empty()) {
      printNote("\"" + options.pngFile + "\" is not written: parts of the chart could not be loaded");
      return 1;
    }
    writePng(image, options.pngFile);
  } catch (const std::exception& e) {
    printNote(e.what());
    return 1;
  }
  return 0;
}
