// SPDX-License-Identifier: GPL-2.0-or-later
// Writing the documents of every latitude in one run.
#include "export/all_latitudes.h"

#include <filesystem>
#include <system_error>

#include "export/export_pdf.h"

namespace caelora {

std::string latitudeFileName(int latitudeDegrees) {
  const int degrees = latitudeDegrees < 0 ? -latitudeDegrees : latitudeDegrees;
  return "caelora-" + std::to_string(degrees) + (latitudeDegrees > 0 ? "N" : "S") + ".pdf";
}

std::vector<std::string> exportAllLatitudes(const Settings& settings, const std::string& programFolder,
                                            const MilkyWayOutlines& milkyWay, ExportScheme scheme,
                                            const std::string& folder, const TimeZoneFacts& zone) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw ExportError("Cannot create the folder \"" + folder + "\": " + ec.message());
  std::vector<std::string> written;
  for (const int sign : {1, -1}) {
    for (int degrees = 25; degrees <= 80; ++degrees) {
      Settings chart = settings;
      chart.latitude = static_cast<std::int16_t>(sign * degrees);
      const std::string path = (std::filesystem::path(folder) / latitudeFileName(chart.latitude)).string();
      exportPDF(chart, programFolder, milkyWay, scheme, path, zone);
      written.push_back(path);
    }
  }
  return written;
}

}  // namespace caelora
