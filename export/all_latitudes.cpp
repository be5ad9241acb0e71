// SPDX-License-Identifier: GPL-2.0-or-later
// Writing the documents of every latitude in one run, on two threads where
// the machine has two cores: each document is independent of the others,
// and the data files are read once for all of them.
#include "export/all_latitudes.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <thread>

#include "export/export_pdf.h"

namespace caelora {
namespace {

constexpr unsigned kMostThreads = 2;

// 25N .. 80N, then 25S .. 80S.
std::vector<std::int16_t> drawableLatitudes() {
  std::vector<std::int16_t> latitudes;
  for (const int sign : {1, -1})
    for (int degrees = 25; degrees <= 80; ++degrees) latitudes.push_back(static_cast<std::int16_t>(sign * degrees));
  return latitudes;
}

// The failure of the earliest document in the run's order, whichever
// thread met it. No document after a failed one is started.
class FirstFailure {
 public:
  void note(std::size_t index, std::exception_ptr error) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!error_ || index < index_) {
      index_ = index;
      error_ = std::move(error);
    }
  }
  bool before(std::size_t index) {
    const std::lock_guard<std::mutex> lock(mutex_);
    return error_ && index_ < index;
  }
  void rethrow() const {
    if (error_) std::rethrow_exception(error_);
  }

 private:
  std::mutex mutex_;
  std::size_t index_ = 0;
  std::exception_ptr error_;
};

}  // namespace

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
  const std::vector<std::int16_t> latitudes = drawableLatitudes();
  std::vector<std::string> written;
  for (const std::int16_t latitude : latitudes)
    written.push_back((std::filesystem::path(folder) / latitudeFileName(latitude)).string());

  std::atomic<std::size_t> next{0};
  FirstFailure failure;
  const auto writeDocuments = [&] {
    for (std::size_t i = next++; i < latitudes.size() && !failure.before(i); i = next++) {
      Settings chart = settings;
      chart.latitude = latitudes[i];
      try {
        exportPDF(chart, programFolder, milkyWay, scheme, written[i], zone);
      } catch (...) {
        failure.note(i, std::current_exception());
      }
    }
  };
  const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
  std::vector<std::thread> helpers;
  for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(writeDocuments);
  writeDocuments();
  for (std::thread& helper : helpers) helper.join();
  failure.rethrow();
  return written;
}

}  // namespace caelora
