// SPDX-License-Identifier: GPL-2.0-or-later
// What the PDF writer throws: a file that cannot be written (the message
// names the path and the reason), a font section that cannot be used (it
// names the language file and the key), or a document past its limits.
#pragma once

#include <stdexcept>
#include <string>

namespace caelora {

class PdfError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace caelora
