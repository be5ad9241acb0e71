// SPDX-License-Identifier: GPL-2.0-or-later
// The error of a data file that cannot be read, and how a value read from
// one is shown in its message.
#pragma once

#include <charconv>
#include <stdexcept>
#include <string>

#include "i18n/message.h"

namespace caelora {

// A data file that cannot be read, or a record in it that is malformed. The
// message names the file and, where there is one, the record.
class DataError : public MessageError {
 public:
  using MessageError::MessageError;
};

// A value of a record as a message shows it: its shortest exact form, with
// "." whatever the locale ("24.001", "-1e+12").
inline std::string shownNumber(double value) {
  char buf[32];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  return ec == std::errc() ? std::string(buf, end) : std::string("?");
}

}  // namespace caelora
