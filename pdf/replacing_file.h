// SPDX-License-Identifier: GPL-2.0-or-later
// A file that replaces its target only when it is complete: the bytes go to
// a temporary file beside the target, which is renamed over the target by
// commit(). Until then the previous file stays as it was; a file that is
// discarded, or destroyed before commit(), leaves nothing behind.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace caelora {

class ReplacingFile {
 public:
  // Creates the temporary file in the target's folder; throws PdfError
  // naming the target and the reason when that folder cannot be written.
  explicit ReplacingFile(std::string target);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  void append(std::string_view bytes);
  // Overwrites the last byte appended so far.
  void replaceLastByte(char byte);
  // Closes the temporary file and moves it over the target.
  void commit();
  // Closes and removes the temporary file; the target is not touched.
  void discard() noexcept;

  const std::string& target() const { return target_; }
  const std::string& temporaryPath() const { return temporary_; }

 private:
  [[noreturn]] void fail(const std::string& reason);

  std::string target_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  bool written_ = false;  // at least one byte appended
};

}  // namespace caelora
