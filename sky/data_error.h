#pragma once

#include <stdexcept>
#include <string>

namespace caelora {

// A data file that cannot be read, or a record in it that is malformed. The
// message names the file and, where there is one, the record.
class DataError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace caelora
