// SPDX-License-Identifier: GPL-2.0-or-later
// Kind and size of a data file checked before it is read, and the bounded read.
#include "i18n/regular_file.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <system_error>
#include <utility>

namespace caelora {
namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kKiB = 1024;
constexpr std::size_t kChunk = 64 * 1024;

std::string kindProblem(fs::file_type type) {
  switch (type) {
    case fs::file_type::not_found: return "does not exist";
    case fs::file_type::directory: return "is a folder, not a file";
    case fs::file_type::fifo: return "is a pipe, not a regular file";
    case fs::file_type::character:
    case fs::file_type::block: return "is a device, not a regular file";
    case fs::file_type::socket: return "is a socket, not a regular file";
    case fs::file_type::regular: return "";
    default: return "is not a regular file";
  }
}

std::string tooLarge(const FileBound& bound) {
  return "is larger than " + byteCountText(bound.bytes) + ", the most " + bound.kind + " may hold";
}

// What tells one state of a file from another without reading it.
struct FileStamp {
  std::uintmax_t size = 0;
  fs::file_time_type modified;
  bool operator==(const FileStamp& o) const { return size == o.size && modified == o.modified; }
};

// A change within this time before a read may share its modification time
// with the next change (a coarse file system clock): such a file is read
// again each time rather than kept.
constexpr std::chrono::seconds kUnsettledAge{2};

// The bytes of the files read so far, each with the size and modification
// time it had then. A file changed within the last seconds before it was
// read is not kept: a change in the same tick of the file system's clock
// would leave both stamps as they were.
class ReadFiles {
 public:
  using Bytes = std::shared_ptr<const std::string>;

  // The bytes kept for `path` at `stamp`, else those `read` gives, kept
  // when `settled`. One thread reads at a time, so that threads asking for
  // the same file at once open it once.
  template <typename Read>
  Bytes readOnce(const std::string& path, const FileStamp& stamp, bool settled, Read read) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (const auto it = files_.find(path); it != files_.end() && it->second.stamp == stamp) return it->second.bytes;
    Bytes bytes = read();
    if (bytes && settled && bytes->size() == stamp.size) files_[path] = Entry{stamp, bytes};
    return bytes;
  }

 private:
  struct Entry {
    FileStamp stamp;
    Bytes bytes;
  };
  std::mutex mutex_;
  std::map<std::string, Entry> files_;
};

ReadFiles& readFiles() {
  static ReadFiles files;
  return files;
}

// The bytes of `path`, read through a bound-checked stream.
std::shared_ptr<const std::string> readBounded(const std::string& path, const FileBound& bound,
                                               std::string& problem) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    problem = "cannot be opened";
    return nullptr;
  }
  // The file may have grown since its size was checked: the bound holds for
  // what is read, not only for what was there.
  auto bytes = std::make_shared<std::string>();
  char chunk[kChunk];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    bytes->append(chunk, static_cast<std::size_t>(in.gcount()));
    if (bytes->size() > bound.bytes) {
      problem = tooLarge(bound);
      return nullptr;
    }
  }
  if (in.bad()) {
    problem = "cannot be read: read error";
    return nullptr;
  }
  return bytes;
}

}  // namespace

std::string byteCountText(std::uintmax_t bytes) {
  if (bytes >= kKiB * kKiB && bytes % (kKiB * kKiB) == 0) return std::to_string(bytes / (kKiB * kKiB)) + " MiB";
  if (bytes >= kKiB && bytes % kKiB == 0) return std::to_string(bytes / kKiB) + " KiB";
  return std::to_string(bytes) + " bytes";
}

std::string regularFileProblem(const std::string& path, const FileBound& bound) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error && status.type() != fs::file_type::not_found) return "cannot be read: " + error.message();
  if (const std::string problem = kindProblem(status.type()); !problem.empty()) return problem;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) return "cannot be read: " + error.message();
  return size > bound.bytes ? tooLarge(bound) : "";
}

std::shared_ptr<const std::string> readRegularFileOnce(const std::string& path, const FileBound& bound,
                                                        std::string& problem) {
  const fs::file_time_type now = fs::file_time_type::clock::now();
  problem = regularFileProblem(path, bound);
  if (!problem.empty()) return nullptr;
  std::error_code sizeError, timeError;
  const FileStamp stamp{fs::file_size(path, sizeError), fs::last_write_time(path, timeError)};
  if (sizeError || timeError) return readBounded(path, bound, problem);
  return readFiles().readOnce(path, stamp, stamp.modified + kUnsettledAge < now,
                              [&] { return readBounded(path, bound, problem); });
}

std::optional<std::string> readRegularFile(const std::string& path, const FileBound& bound,
                                           std::string& problem) {
  const std::shared_ptr<const std::string> bytes = readRegularFileOnce(path, bound, problem);
  if (!bytes) return std::nullopt;
  return *bytes;
}

}  // namespace caelora
