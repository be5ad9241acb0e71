// SPDX-License-Identifier: GPL-2.0-or-later
// caelora-export: the chart without a window, as a PNG picture or as the
// printable PDF document. The PDF needs no display: it runs under a
// QCoreApplication and never touches the windowing system.
#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QSurfaceFormat>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_scene.h"
#include "chart/milky_way_outlines.h"
#include "chart/program_folder.h"
#include "chart/time_zone.h"
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

// A zone named on the command line must be one the zone rules know.
void checkTimeZone(const caelora::SettingOverrides& overrides) {
  if (overrides.timeZone && !overrides.timeZone->empty() && !caelora::isKnownTimeZone(*overrides.timeZone))
    throw caelora::UsageError("--time-zone: no time zone is called \"" + *overrides.timeZone +
                              "\" (an IANA name such as Europe/Prague)");
}

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

// The PDF documents asked for, written without any display; 1 on failure.
int writeDocuments(const caelora::ExportOptions& options, int argc, char* argv[]) {
  using namespace caelora;
  QCoreApplication app(argc, argv);
  const std::string folder = findProgramFolder();
  try {
    const Settings settings = applyOverrides(storedSettings(folder), options.overrides);
    const MilkyWayOutlines milkyWay = loadMilkyWayOutlines();
    const TimeZoneFacts zone =
        timeZoneFacts(settings.timeZone, static_cast<double>(QDateTime::currentSecsSinceEpoch()));
    if (!options.pdfFile.empty()) {
      exportPDF(settings, folder, milkyWay, options.exportScheme, options.pdfFile, zone);
    }
    if (!options.allLatitudesDir.empty()) {
      exportAllLatitudes(settings, folder, milkyWay, options.exportScheme, options.allLatitudesDir, zone);
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
    checkTimeZone(options.overrides);
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
