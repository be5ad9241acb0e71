// Shared by the tests of the mask page, the title block and the marks: a
// scratch folder, a whole document around one drawing step, a colour table
// whose slots can be told apart, and the letters set along arcs.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "export/export_state.h"
#include "pdf/pdf_writer.h"
#include "settings/settings.h"
#include "sky/geometry.h"

namespace caelora::masktest {

namespace fs = std::filesystem;

inline std::string sourceData() { return CAELORA_SOURCE_DATA_DIR; }

inline std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Slot n holds black ink 0.01 x (n + 1): valid colours, each slot its own.
inline std::string slotColour(int slot) { return "0 0 0 " + FormatPdfNumber((slot + 1) / 100.0, 2); }
inline void fillSlotColours(ExportState& state) {
  for (int i = 0; i < 32; ++i) state.exportColours[static_cast<std::size_t>(i)] = slotColour(i);
}

inline int count(const std::string& text, const std::string& needle) {
  int n = 0;
  for (auto pos = text.find(needle); pos != std::string::npos; pos = text.find(needle, pos + 1)) ++n;
  return n;
}

// The characters that pdfArcText set at `size`, in the order written.
inline std::string arcLetters(const std::string& content, int size) {
  const std::regex letter("/F1 " + std::to_string(size) + " Tf\r\\((\\\\?.)\\) Tj\rET Q");
  std::string out;
  for (auto it = std::sregex_iterator(content.begin(), content.end(), letter); it != std::sregex_iterator(); ++it) {
    std::string c = (*it)[1];
    out += c.back();
  }
  return out;
}

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

struct CommandResult {
  std::string output;
  int status = -1;
};
inline CommandResult run(const std::string& command) {
  CommandResult result;
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) result.output.append(buf, n);
  result.status = ::pclose(pipe);
  return result;
}
inline std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// A scratch folder per test; documents are written into it.
class MaskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("caelora_mask_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
            std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    settings_ = defaultSettings(sourceData());
    settings_.languageFile = sourceData() + "/english.lng";
  }
  void TearDown() override { fs::remove_all(dir_); }

  using Draw = std::function<void(ExportState&)>;

  // A one-page document: the page frame of the mask, then `draw`. Returns
  // what `draw` wrote; the document stays at document().
  std::string page(const Draw& draw, const std::string& folder = sourceData(),
                   const Draw& colours = fillSlotColours) {
    PdfWriter writer([] { return std::tm{}; });
    ExportState state(writer, settings_, folder);
    colours(state);
    state.conNameList = conNames_;
    writer.pdfInit();
    writer.setFileName(document().string());
    writer.setLanguageFile(fontFile_);
    writer.pdfBeginDocument({});
    PdfFont font;
    font.subtype = "Type1";
    font.embedded = true;
    font.symbolic = true;
    writer.fonts().assign(1, font);
    writer.pdfWriteResources();
    const std::int32_t start = writer.pdfBeginPage();
    writer.pdfWriteLine("0.85 0 0 0.85 0 0 cm");
    writer.pdfWriteLine("1 0 0 1 60 170 cm");
    const std::int32_t from = writer.offset();
    draw(state);
    const std::int32_t to = writer.offset();
    writer.pdfEndPage(start);
    writer.pdfEndDocument();
    return readAll(document()).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  }

  fs::path document() const { return dir_ / "mask.pdf"; }

  // A program folder of its own: the real data files, less or with some.
  std::string folderWith(const std::vector<std::string>& files) {
    const fs::path folder = dir_ / "program";
    fs::create_directories(folder);
    for (const auto& f : files) fs::copy_file(sourceData() + "/" + f, folder / f, fs::copy_options::overwrite_existing);
    return folder.string();
  }

  fs::path dir_;
  Settings settings_;
  std::vector<std::string> conNames_ = std::vector<std::string>(89, "Name");
  std::string fontFile_ = sourceData() + "/english.lng";  // the font's language file
};

}  // namespace caelora::masktest
