// SPDX-License-Identifier: GPL-2.0-or-later
// Sequential, comma-delimited input of the data files: fields are separated
// by commas or line ends, surrounding blanks are ignored, a field may be
// quoted when it holds commas. Records are counted by the caller through
// nextRecord(); every error names the file and the record.
#pragma once

#include <cstddef>
#include <string>

#include "i18n/regular_file.h"
#include "sky/data_error.h"

namespace caelora {

class SequentialInput {
 public:
  // Reads the whole file; throws DataError when it is not a regular file
  // (it is then never opened), holds more than the bound or cannot be read.
  SequentialInput(const std::string& path, const FileBound& bound);
  // For text already in memory; `name` is used in error messages.
  SequentialInput(std::string name, std::string content);

  // True when nothing but blanks and line ends is left.
  bool atEnd();
  // Starts the next record (1-based numbering used in messages).
  void nextRecord() {
    ++record_;
    field_ = 0;
  }
  std::size_t record() const { return record_; }

  // Each record of the data files stands on a line of its own. From this
  // call on, a field of a record that would begin on a later line is
  // reported missing (the record's line has too few fields), rather than
  // taken from the next record.
  void requireOneLinePerRecord() { oneLine_ = true; }
  // Ends a record read under requireOneLinePerRecord(): throws when its line
  // holds more fields than were read.
  void endRecord();

  // The next field as text, without quotes and surrounding blanks.
  std::string readText();
  // The next field as a decimal number; throws DataError when the field is
  // missing, empty or not a finite number.
  double readNumber();
  // readNumber() that must be a whole number in [lo, hi].
  long readInteger(long lo, long hi);

  // Throws a DataError naming the file and the current record.
  [[noreturn]] void fail(const Message& what) const;

  const std::string& name() const { return name_; }

 private:
  void skipBlanks();
  std::string name_;
  std::string text_;
  std::size_t pos_ = 0;
  std::size_t record_ = 0;
  int field_ = 0;
  bool oneLine_ = false;
  bool lineEnded_ = true;  // the last field read ended its line (or the file)
};

}  // namespace caelora
