// Shared by the export tests: a scratch program folder, a document around
// one drawing step, the real data files, and the real PDF readers.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "export/colours.h"
#include "export/export_state.h"
#include "pdf/pdf_writer.h"
#include "settings/settings.h"
#include "sky/milky_way.h"

namespace caelora::test {

namespace fs = std::filesystem;

inline std::string dataDir() { return CAELORA_SOURCE_DATA_DIR; }

inline std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct CommandResult {
  std::string output;
  int status = -1;
};
// Standard output (and error, merged) of a shell command and its exit status.
inline CommandResult runCommand(const std::string& command) {
  CommandResult result;
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) result.output.append(buf, n);
  result.status = ::pclose(pipe);
  return result;
}

inline std::string shellQuoted(const fs::path& path) { return "'" + path.string() + "'"; }

inline PdfClock fixedClock() {
  return [] {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 8;
    return t;
  };
}

// Number of times `needle` stands in `text`.
inline int occurrences(const std::string& text, const std::string& needle) {
  int n = 0;
  for (std::size_t pos = text.find(needle); pos != std::string::npos; pos = text.find(needle, pos + 1)) ++n;
  return n;
}

// Lines of a content stream (CR separated).
inline std::vector<std::string> crLines(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\r', start);
    if (end == std::string::npos) end = content.size();
    lines.push_back(content.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// A scratch folder per test, used as the program folder of hand-made data
// and as the place of the documents.
class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("caelora_export_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    settings_ = defaultSettings(dataDir());
    settings_.languageFile = dataDir() + "/english.lng";
    settings_.linesFile = dataDir() + "/default.con";
  }
  void TearDown() override { fs::remove_all(dir_); }

  // The content of one page on which `draw` ran, written in a whole
  // document (the font is needed for lettering). `folder` is the program
  // folder of the data files.
  std::string pageContent(const std::function<void(ExportState&)>& draw, const std::string& folder,
                          int scheme = 0) {
    PdfWriter writer(fixedClock());
    ExportState state(writer, settings_, folder);
    getColorValues(state, scheme);
    writer.pdfInit();
    const fs::path file = dir_ / "page.pdf";
    writer.setFileName(file.string());
    writer.setLanguageFile(settings_.languageFile);
    writer.pdfBeginDocument({});
    PdfFont font;
    font.subtype = "Type1";
    font.embedded = true;
    font.symbolic = true;
    writer.fonts().assign(1, font);
    writer.pdfWriteResources();
    const std::int32_t start = writer.pdfBeginPage();
    draw(state);
    const std::int32_t end = writer.offset();
    writer.pdfEndPage(start);
    writer.pdfEndDocument();
    return readFile(file).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
  }

  fs::path dir_;
  Settings settings_;
};

}  // namespace caelora::test
