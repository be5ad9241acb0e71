// SPDX-License-Identifier: GPL-2.0-or-later
// Every seed input and every input the fuzzers found a fault with, fed once
// more through the entry point of its target. An input fails the test when
// the entry point lets an exception out (a FuzzFinding names the broken
// rule); under the sanitizer build a memory or undefined-behaviour fault
// stops the test program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/entry_points.h"

namespace caelora::fuzz {
namespace {

namespace fs = std::filesystem;

using EntryPoint = void (*)(const std::uint8_t*, std::size_t);

struct Target {
  const char* name;
  EntryPoint run;
};

const Target kTargets[] = {
    {"sequential_input", sequentialInput}, {"glyph_file", glyphFile},
    {"glyph_definitions", glyphDefinitions}, {"profile_reader", profileReader},
    {"milky_way_outline", milkyWayOutline}, {"settings_text", settingsText},
    {"pdf_text", pdfText}, {"legend_symbols", legendSymbols}, {"font_keys", fontKeys},
};

std::vector<fs::path> inputsIn(const fs::path& folder) {
  std::vector<fs::path> files;
  if (!fs::is_directory(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::string bytesOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void replay(const Target& target, const fs::path& file) {
  SCOPED_TRACE(file.string());
  const std::string bytes = bytesOf(file);
  EXPECT_NO_THROW({
    try {
      target.run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    } catch (const std::exception& e) {
      ADD_FAILURE() << target.name << ": " << e.what();
      throw;
    }
  });
}

class FuzzReplay : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, SeedCorpusPasses) {
  const std::vector<fs::path> seeds = inputsIn(fs::path(CAELORA_FUZZ_CORPUS_DIR) / GetParam().name);
  ASSERT_FALSE(seeds.empty()) << "no seed corpus for " << GetParam().name;
  for (const fs::path& file : seeds) replay(GetParam(), file);
}

TEST_P(FuzzReplay, KeptCrashInputsPass) {
  for (const fs::path& file : inputsIn(fs::path(CAELORA_FUZZ_INPUTS_DIR) / GetParam().name))
    replay(GetParam(), file);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace caelora::fuzz
