// SPDX-License-Identifier: GPL-2.0-or-later
// A file that replaces its target only when it is complete: the bytes go to
// a temporary file beside the target, which takes the target's place in
// commit(). Until then the previous file stays as it was; a file that is
// discarded, destroyed before commit(), or whose process is killed, leaves
// nothing behind.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace caelora {

class ReplacingFile {
 public:
  // Where the bytes wait for commit(). Unnamed: a file that has no name in
  // the folder until it is complete (Linux, O_TMPFILE), so that a killed
  // process leaves nothing; where the file system has no such files, a named
  // one is taken instead. Named: a hidden ".caelora-*.part" file, locked
  // while it is written; those that crashed writers left are removed
  // before a new one is made.
  enum class Temporary { Unnamed, Named };

  // Creates the temporary file in the target's folder; throws PdfError
  // naming the target and the reason when that folder cannot be written.
  explicit ReplacingFile(std::string target, Temporary kind = Temporary::Unnamed);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  void append(std::string_view bytes);
  // Overwrites the last byte appended so far.
  void replaceLastByte(char byte);
  // Closes the temporary file and puts it in the target's place.
  void commit();
  // Closes and removes the temporary file; the target is not touched.
  void discard() noexcept;

  const std::string& target() const { return target_; }
  // The name of the temporary file; empty while it has none.
  const std::string& temporaryPath() const { return temporary_; }

 private:
  [[noreturn]] void fail(const std::string& reason);
  bool openUnnamed();
  void openNamed();
  void linkIntoPlace();
  void moveIntoPlace(const std::string& from);

  std::string target_;
  std::string folder_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  bool unnamed_ = false;
  bool written_ = false;  // at least one byte appended
};

}  // namespace caelora
