// SPDX-License-Identifier: GPL-2.0-or-later
// Shared by the test programs: the real data folder and its language files,
// whole-file reads and writes, running a command, counting a text's
// occurrences, a scratch folder per test, and a locale whose decimal
// separator is a comma.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace caelora::test {

namespace fs = std::filesystem;

// The data files of the source tree.
inline std::string dataDir() { return CAELORA_SOURCE_DATA_DIR; }

// The names of the language files the program ships ("czech.lng" ...), as
// the options dialog finds them: every *.lng of the data folder, sorted.
inline std::vector<std::string> languageFiles() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dataDir()))
    if (entry.path().extension() == ".lng") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

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

// A path as one word of a shell command.
inline std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// Number of times `needle` stands in `text`.
inline int occurrences(const std::string& text, const std::string& needle) {
  int n = 0;
  for (std::size_t pos = text.find(needle); pos != std::string::npos; pos = text.find(needle, pos + 1)) ++n;
  return n;
}

// A folder of its own under the temporary folder, named for `name` and this
// process: empty at the start, gone with the object.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name)
      : path_(fs::temp_directory_path() / ("caelora_" + name + "_" + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// A scratch folder per test, gone after it.
class ScratchFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    scratch_.emplace(std::string(info->test_suite_name()) + "_" + info->name());
    dir_ = scratch_->path();
  }
  void TearDown() override { scratch_.reset(); }

  fs::path dir_;

 private:
  std::optional<ScratchFolder> scratch_;
};

// Czech number formats for C and C++ (a decimal comma) for the object's
// lifetime; the C and C++ locales in force before come back after it.
// scripts/install-deps generates the locale.
class CommaLocale {
 public:
  static constexpr const char* kName = "cs_CZ.UTF-8";
  CommaLocale() : previousCpp_(std::locale()), previousC_(std::setlocale(LC_ALL, nullptr)) {
    try {
      std::locale::global(std::locale(kName));  // sets the C locale too
    } catch (const std::runtime_error&) {
      throw std::runtime_error(std::string("no locale ") + kName + ": scripts/install-deps generates it");
    }
  }
  ~CommaLocale() {
    std::locale::global(previousCpp_);
    std::setlocale(LC_ALL, previousC_.c_str());
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

 private:
  std::locale previousCpp_;
  std::string previousC_;
};

}  // namespace caelora::test
