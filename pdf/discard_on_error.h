// SPDX-License-Identifier: GPL-2.0-or-later
// Used inside the writer: an operation that ends by an exception drops the
// unfinished document, so that no temporary file outlives the error.
#pragma once

#include <exception>

#include "pdf/pdf_writer.h"

namespace caelora {

// Drops the document when the operation it guards ends by an exception.
class DiscardOnError {
 public:
  explicit DiscardOnError(PdfWriter& writer) : writer_(writer) {}
  ~DiscardOnError() {
    if (std::uncaught_exceptions() > exceptions_) writer_.abandon();
  }
  DiscardOnError(const DiscardOnError&) = delete;
  DiscardOnError& operator=(const DiscardOnError&) = delete;

 private:
  PdfWriter& writer_;
  int exceptions_ = std::uncaught_exceptions();
};

}  // namespace caelora
