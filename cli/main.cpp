// SPDX-License-Identifier: GPL-2.0-or-later
// caelora-export: the chart without a window, as the printable PDF document
// or as a PNG picture. The documents need no display and load no graphics
// library: they run under a QCoreApplication. A picture is drawn by
// caelora-render beside this program, which is started in its place with
// the same command line.
#include <QCoreApplication>
#include <QDateTime>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "chart/milky_way_outlines.h"
#include "chart/program_folder.h"
#include "chart/time_zone.h"
#include "cli/export_options.h"
#include "cli/exporter_notes.h"
#include "cli/renderer_start.h"
#include "export/all_latitudes.h"
#include "export/export_pdf.h"

namespace {

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
  return startRenderer(argv);  // returns only when it cannot be started
}
