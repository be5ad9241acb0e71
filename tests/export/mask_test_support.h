// SPDX-License-Identifier: GPL-2.0-or-later
// Shared by the tests of the mask page, the title block and the marks: a
// scratch folder, a whole document around one drawing step, a colour table
// whose slots can be told apart, and the letters set along arcs.
#pragma once

#include <ctime>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "export/export_state.h"
#include "pdf/pdf_writer.h"
#include "settings/settings.h"
#include "pdf/content.h"
#include "tests/pdf/pdf_test_support.h"

namespace caelora::test {

// Slot n holds black ink 0.01 x (n + 1): valid colours, each slot its own.
inline std::string slotColour(int slot) { return "0 0 0 " + FormatPdfNumber((slot + 1) / 100.0, 2); }
inline void fillSlotColours(ExportState& state) {
  for (int i = 0; i < 32; ++i) state.exportColours[static_cast<std::size_t>(i)] = slotColour(i);
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

// A scratch folder per test; documents are written into it.
class MaskTest : public ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    settings_ = defaultSettings(dataDir());
    settings_.languageFile = dataDir() + "/english.lng";
  }

  using Draw = std::function<void(ExportState&)>;

  // A one-page document: the page frame of the mask, then `draw`. Returns
  // what `draw` wrote; the document stays at document().
  std::string page(const Draw& draw, const std::string& folder = dataDir(), const Draw& colours = fillSlotColours) {
    PdfWriter writer([] { return std::tm{}; });
    ExportState state(writer, settings_, folder);
    colours(state);
    state.conNameList = conNames_;
    return onePageDocument(writer, document(), fontFile_, [&] { draw(state); },
                           {"0.85 0 0 0.85 0 0 cm", "1 0 0 1 60 170 cm"});
  }

  fs::path document() const { return dir_ / "mask.pdf"; }

  // A program folder of its own: the real data files, less or with some.
  std::string folderWith(const std::vector<std::string>& files) {
    const fs::path folder = dir_ / "program";
    fs::create_directories(folder);
    for (const auto& f : files) fs::copy_file(dataDir() + "/" + f, folder / f, fs::copy_options::overwrite_existing);
    return folder.string();
  }

  Settings settings_;
  std::vector<std::string> conNames_ = std::vector<std::string>(89, "Name");
  std::string fontFile_ = dataDir() + "/english.lng";  // the font's language file
};

}  // namespace caelora::test
