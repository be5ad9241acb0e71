// SPDX-License-Identifier: GPL-2.0-or-later
// Writing through a temporary file so that an export that fails half-way,
// or is killed, never costs the user the file they had nor leaves one.
#include "pdf/replacing_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
constexpr const char* kPrefix = ".caelora-";
constexpr const char* kSuffix = ".part";

std::string randomSuffix() {
  // One generator per thread: documents may be written on several at once.
  static thread_local std::mt19937 random(std::random_device{}());
  static const char kDigits[] = "0123456789abcdef";
  std::string suffix;
  for (int i = 0; i < 8; ++i) suffix += kDigits[random() % 16];
  return suffix;
}

// A short name of its own, so that a target name near the length limit
// still leaves room for it.
std::string temporaryName(const std::string& folder) {
  return (fs::path(folder) / (kPrefix + randomSuffix() + kSuffix)).string();
}

std::string reasonOf(int error, const std::string& folder) {
  std::error_code ignored;
  if (error == ENOENT && !fs::exists(folder, ignored)) return "the folder \"" + folder + "\" does not exist";
  if (error == EISDIR) return "a folder of that name is in the way";
  return error != 0 ? std::strerror(error) : "write failed";
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Whether `path` still names the file open as `fd`.
bool namesFile(const std::string& path, int fd) {
  struct stat named {}, open {};
  return ::lstat(path.c_str(), &named) == 0 && ::fstat(fd, &open) == 0 && sameFile(named, open);
}

bool isLeftoverName(const std::string& name) {
  const std::string prefix = kPrefix, suffix = kSuffix;
  return name.size() > prefix.size() + suffix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
         name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Removes the temporary files that writers killed before they finished left
// in `folder`: a file still locked is being written and stays.
void removeLeftovers(const std::string& folder) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string path = it->path().string();
    if (!isLeftoverName(it->path().filename().string())) continue;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        namesFile(path, fd))
      ::unlink(path.c_str());
    ::close(fd);
  }
}

}  // namespace

ReplacingFile::ReplacingFile(std::string target, Temporary kind) : target_(std::move(target)) {
  folder_ = fs::path(target_).parent_path().string();
  if (folder_.empty()) folder_ = ".";
  if (kind == Temporary::Unnamed && openUnnamed()) return;
  openNamed();
}

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::openUnnamed() {
#ifdef O_TMPFILE
  const int fd = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) {
    // No unnamed files on this file system (or kernel): a named one instead.
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) return false;
    throw PdfError("Cannot write \"" + target_ + "\": " + reasonOf(errno, folder_));
  }
  // The file is linked into place through its name under /proc.
  if (::access(("/proc/self/fd/" + std::to_string(fd)).c_str(), F_OK) != 0) {
    ::close(fd);
    return false;
  }
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    const int error = errno;
    ::close(fd);
    throw PdfError("Cannot write \"" + target_ + "\": " + reasonOf(error, folder_));
  }
  unnamed_ = true;
  return true;
#else
  return false;
#endif
}

void ReplacingFile::openNamed() {
  removeLeftovers(folder_);
  int error = 0;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string name = temporaryName(folder_);
    const int fd = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
      error = errno;
      if (error != EEXIST) break;
      continue;
    }
    // Locked while it is written; a sweeper that took the name between the
    // two steps leaves a file of another name, and a new one is made.
    const bool ours = ::flock(fd, LOCK_EX) == 0 && namesFile(name, fd);
    if (!ours || (file_ = ::fdopen(fd, "wb")) == nullptr) {
      error = errno;
      if (ours) ::unlink(name.c_str());
      ::close(fd);
      continue;
    }
    temporary_ = name;
    return;
  }
  throw PdfError("Cannot write \"" + target_ + "\": " + reasonOf(error, folder_));
}

void ReplacingFile::fail(const std::string& reason) {
  discard();
  throw PdfError("Cannot write \"" + target_ + "\": " + reason);
}

void ReplacingFile::append(std::string_view bytes) {
  if (file_ == nullptr) fail("the file is already closed");
  if (bytes.empty()) return;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    fail(reasonOf(errno, folder_));
  }
  written_ = true;
}

void ReplacingFile::replaceLastByte(char byte) {
  if (file_ == nullptr) fail("the file is already closed");
  if (!written_) return;
  errno = 0;
  if (std::fseek(file_, -1, SEEK_END) != 0 || std::fputc(static_cast<unsigned char>(byte), file_) == EOF ||
      std::fseek(file_, 0, SEEK_END) != 0) {
    fail(reasonOf(errno, folder_));
  }
}

void ReplacingFile::commit() {
  if (file_ == nullptr) fail("the file is already closed");
  errno = 0;
  if (std::fflush(file_) != 0 || std::ferror(file_) != 0) fail(reasonOf(errno, folder_));
  // The new file takes over the permissions of the one it replaces.
  std::error_code error;
  const fs::file_status old = fs::status(target_, error);
  if (!error && fs::is_regular_file(old)) {
    ::fchmod(::fileno(file_), static_cast<mode_t>(old.permissions() & fs::perms::mask));
  }
  if (unnamed_) {
    linkIntoPlace();
  } else {
    moveIntoPlace(temporary_);
  }
  temporary_.clear();
  errno = 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  // The file is in place already; a late error of the file system still
  // says the document may be incomplete.
  if (!closed) throw PdfError("Cannot write \"" + target_ + "\": " + reasonOf(errno, folder_));
}

// The unnamed file gets the target's name when there is no target yet, else
// a fresh name of its own that is then moved over the target.
void ReplacingFile::linkIntoPlace() {
  const std::string self = "/proc/self/fd/" + std::to_string(::fileno(file_));
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0) return;
  if (errno != EEXIST) fail(reasonOf(errno, folder_));
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string name = temporaryName(folder_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temporary_ = name;
      moveIntoPlace(name);
      return;
    }
    if (errno != EEXIST) break;
  }
  fail(reasonOf(errno, folder_));
}

void ReplacingFile::moveIntoPlace(const std::string& from) {
  if (::rename(from.c_str(), target_.c_str()) != 0) fail(reasonOf(errno, folder_));
}

void ReplacingFile::discard() noexcept {
  if (file_ != nullptr) {
    std::fclose(file_);  // an unnamed file is gone with it
    file_ = nullptr;
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
}

}  // namespace caelora
