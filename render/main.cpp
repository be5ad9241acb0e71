// SPDX-License-Identifier: GPL-2.0-or-later
// caelora-render: the chart drawn with OpenGL in a window system's context
// and written as a PNG picture. caelora-export starts it for --png with its
// own command line; the documents on that line are written already, so
// only the picture is made here, and notes speak as caelora-export.
#include <QDateTime>
#include <QGuiApplication>
#include <QSurfaceFormat>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_scene.h"
#include "chart/program_folder.h"
#include "chart/time_zone.h"
#include "cli/export_options.h"
#include "cli/exporter_notes.h"
#include "gl/context_format.h"
#include "render/png_render.h"

namespace {

// The instant of --time or --now for the place of `settings`; none when
// neither is given. Throws UsageError for a time the place cannot have.
std::optional<double> skyInstant(const caelora::ExportOptions& options, const caelora::Settings& settings) {
  using namespace caelora;
  if (!options.time && !options.now) return std::nullopt;
  if (!settings.longitude)
    throw UsageError("--time and --now need a place: --longitude (and --time-zone), or the place of the options");
  if (options.now) return static_cast<double>(QDateTime::currentSecsSinceEpoch());
  const CivilTime& civil = options.time->civil;
  if (options.time->offsetSeconds) return static_cast<double>(unixFromCivil(civil) - *options.time->offsetSeconds);
  const ZoneInstant at = resolveZoneTime(settings.timeZone, *settings.longitude, civil);
  const std::string zone = settings.timeZone.empty() ? "local mean time" : settings.timeZone;
  if (at.kind == ZoneInstant::Kind::Missing)
    throw UsageError("--time: the clocks of " + zone + " skip that time (summer time begins)");
  if (at.kind == ZoneInstant::Kind::Twice)
    printNote("--time: the clocks of " + zone + " pass that time twice (summer time ends); the first is taken");
  return at.unixSeconds;
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
  std::signal(SIGXFSZ, SIG_IGN);  // a file beyond the size limit is a write error that is reported
#endif
  ExportOptions options;
  try {
    options = parseExportOptions(std::vector<std::string>(argv + 1, argv + argc));
    checkTimeZone(options.overrides);
  } catch (const std::exception& e) {
    printNote(e.what());
    return kBadUsage;
  }
  if (options.pngFile.empty()) {
    printNote("caelora-render draws the picture of --png OUT.png and nothing else");
    return kBadUsage;
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
  const Settings settings = applyOverrides(storedSettings(folder), options.overrides);
  double angle = options.angleDeg.value_or(0);
  std::optional<double> instant;
  try {
    instant = skyInstant(options, settings);
    if (instant) angle = discAngleFor(*instant, *settings.longitude, settings.latitude);
  } catch (const UsageError& e) {
    printNote(e.what());
    return kBadUsage;
  }
  ChartScene scene(settings, folder);
  scene.setInstant(instant, steps);
  scene.loadAtStartup(steps, [](const std::string& file) {
    printNote("the constellation figure file " + file + " does not exist");
  });
  try {
    const QImage image = renderChart(scene, options.sizePx, angle, options.useMask, steps);
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
