// SPDX-License-Identifier: GPL-2.0-or-later
// Writing through a temporary file so that an export that fails half-way
// never costs the user the file they had.
#include "pdf/replacing_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "pdf/pdf_error.h"

namespace caelora {
namespace {

namespace fs = std::filesystem;

constexpr int kNameAttempts = 16;

std::string randomSuffix(std::mt19937& random) {
  static const char kDigits[] = "0123456789abcdef";
  std::string suffix;
  for (int i = 0; i < 8; ++i) suffix += kDigits[random() % 16];
  return suffix;
}

std::string errnoText(int error) { return std::strerror(error); }

}  // namespace

ReplacingFile::ReplacingFile(std::string target) : target_(std::move(target)) {
  std::mt19937 random(std::random_device{}());
  int error = 0;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    // A short name of its own, so that a target name near the length limit
    // still leaves room for it.
    temporary_ = (fs::path(target_).parent_path() / (".caelora-" + randomSuffix(random) + ".part")).string();
    errno = 0;
    file_ = std::fopen(temporary_.c_str(), "wbx");  // never opens a file that exists
    if (file_ != nullptr) return;
    error = errno;
    if (error != EEXIST) break;
  }
  temporary_.clear();
  throw PdfError("Cannot write \"" + target_ + "\": " + errnoText(error));
}

ReplacingFile::~ReplacingFile() { discard(); }

void ReplacingFile::fail(const std::string& reason) {
  discard();
  throw PdfError("Cannot write \"" + target_ + "\": " + reason);
}

void ReplacingFile::append(std::string_view bytes) {
  if (file_ == nullptr) fail("the file is already closed");
  if (bytes.empty()) return;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    fail(errno != 0 ? errnoText(errno) : "write failed");
  }
  written_ = true;
}

void ReplacingFile::replaceLastByte(char byte) {
  if (file_ == nullptr) fail("the file is already closed");
  if (!written_) return;
  errno = 0;
  if (std::fseek(file_, -1, SEEK_END) != 0 || std::fputc(static_cast<unsigned char>(byte), file_) == EOF ||
      std::fseek(file_, 0, SEEK_END) != 0) {
    fail(errno != 0 ? errnoText(errno) : "write failed");
  }
}

void ReplacingFile::commit() {
  if (file_ == nullptr) fail("the file is already closed");
  errno = 0;
  const bool flushed = std::fflush(file_) == 0 && std::ferror(file_) == 0;
  const int flushError = errno;
  const bool closed = std::fclose(file_) == 0;
  const int closeError = errno;
  file_ = nullptr;
  if (!flushed) fail(flushError != 0 ? errnoText(flushError) : "write failed");
  if (!closed) fail(closeError != 0 ? errnoText(closeError) : "write failed");

  // The new file takes over the permissions of the one it replaces.
  std::error_code error;
  const fs::file_status old = fs::status(target_, error);
  if (!error && fs::is_regular_file(old)) {
    fs::permissions(temporary_, old.permissions(), fs::perm_options::replace, error);
  }
  error.clear();
  fs::rename(temporary_, target_, error);
  if (error) fail(error.message());
  temporary_.clear();
}

void ReplacingFile::discard() noexcept {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporary_.empty()) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    temporary_.clear();
  }
}

}  // namespace caelora
