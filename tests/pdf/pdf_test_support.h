// Shared by the PDF tests: a scratch folder per test, whole-file reads, a
// fixed clock, the cross-reference table of a finished file, and running the
// real PDF readers.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pdf/pdf_writer.h"

namespace caelora::test {

namespace fs = std::filesystem;

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

inline std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// What a command prints on standard output and its exit status.
struct CommandResult {
  std::string output;
  int status = -1;
};
inline CommandResult runCommand(const std::string& command) {
  CommandResult result;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) result.output.append(buf, n);
  result.status = ::pclose(pipe);
  return result;
}

inline std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

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

// A scratch folder that goes away with the test.
class PdfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("caelora_pdf_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Entries of the scratch folder other than `except`.
  std::vector<std::string> strayFiles(const std::string& except = "") const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      const std::string name = entry.path().filename().string();
      if (name != except) names.push_back(name);
    }
    return names;
  }

  fs::path dir_;
};

// The real language file of the given name, with the embedded font.
inline std::string languageFile(const std::string& name) {
  return std::string(CAELORA_SOURCE_DATA_DIR) + "/" + name;
}

}  // namespace caelora::test
