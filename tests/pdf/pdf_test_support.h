// SPDX-License-Identifier: GPL-2.0-or-later
// Shared by the PDF and export tests: a fixed clock, the lines of a content
// stream, the cross-reference table of a finished file, a scratch folder
// that shows stray files, and a whole document around one page.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "pdf/pdf_writer.h"
#include "tests/test_support.h"

namespace caelora::test {

// 8 December 2026, 03:04:05.
inline std::tm fixedTime() {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 8;
  t.tm_hour = 3;
  t.tm_min = 4;
  t.tm_sec = 5;
  return t;
}
inline PdfClock fixedClock() {
  return [] { return fixedTime(); };
}

// Lines of a content stream (CR separated); after a final CR, an empty one.
inline std::vector<std::string> splitCr(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= content.size()) {
    std::size_t end = content.find('\r', start);
    if (end == std::string::npos) end = content.size();
    lines.push_back(content.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The offsets of objects 1..n from the cross-reference table that
// "startxref" points at.
inline std::vector<long> xrefOffsets(const std::string& pdf) {
  const std::size_t start = pdf.rfind("startxref\r");
  const long xref = std::stol(pdf.substr(start + 10));
  std::vector<long> offsets;
  std::size_t pos = static_cast<std::size_t>(xref);
  EXPECT_EQ(pdf.compare(pos, 5, "xref\r"), 0);
  pos = pdf.find('\r', pos + 5) + 1;                  // "0 n"
  pos += 20;                                         // the free entry
  while (pdf.compare(pos, 7, "trailer") != 0 && pos < pdf.size()) {
    offsets.push_back(std::stol(pdf.substr(pos, 10)));
    pos += 20;
  }
  return offsets;
}

class PdfTest : public ScratchFolderTest {
 protected:
  // Entries of the scratch folder other than `except`.
  std::vector<std::string> strayFiles(const std::string& except = "") const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      const std::string name = entry.path().filename().string();
      if (name != except) names.push_back(name);
    }
    return names;
  }
};

// A one-page document in `file` whose font 1 is the symbolic Type 1 font of
// `fontFile`: the page holds the `frame` lines, then what `draw` writes,
// which is returned.
inline std::string onePageDocument(PdfWriter& writer, const fs::path& file, const std::string& fontFile,
                                   const std::function<void()>& draw, const std::vector<std::string>& frame = {}) {
  writer.pdfInit();
  writer.setFileName(file.string());
  writer.setLanguageFile(fontFile);
  writer.pdfBeginDocument({});
  writer.fonts().assign(1, PdfFont::embeddedChartFont());
  writer.pdfWriteResources();
  const std::int32_t start = writer.pdfBeginPage();
  for (const std::string& line : frame) writer.pdfWriteLine(line);
  const std::int32_t from = writer.offset();
  draw();
  const std::int32_t to = writer.offset();
  writer.pdfEndPage(start);
  writer.pdfEndDocument();
  return readFile(file).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

}  // namespace caelora::test
