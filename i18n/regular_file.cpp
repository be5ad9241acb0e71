// Kind and size of a data file checked before it is read, and the bounded read.
#include "i18n/regular_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

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

std::optional<std::string> readRegularFile(const std::string& path, const FileBound& bound,
                                           std::string& problem) {
  problem = regularFileProblem(path, bound);
  if (!problem.empty()) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    problem = "cannot be opened";
    return std::nullopt;
  }
  // The file may have grown since its size was checked: the bound holds for
  // what is read, not only for what was there.
  std::string bytes;
  char chunk[kChunk];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > bound.bytes) {
      problem = tooLarge(bound);
      return std::nullopt;
    }
  }
  if (in.bad()) {
    problem = "cannot be read: read error";
    return std::nullopt;
  }
  return bytes;
}

}  // namespace caelora
