// SPDX-License-Identifier: GPL-2.0-or-later
// Shared by the export tests: a scratch program folder with the real data
// files' settings, and the content of one drawing step on a page.
#pragma once

#include <functional>
#include <string>

#include "export/colours.h"
#include "export/export_state.h"
#include "pdf/pdf_writer.h"
#include "settings/settings.h"
#include "sky/milky_way.h"
#include "tests/pdf/pdf_test_support.h"

namespace caelora::test {

// A scratch folder per test, used as the program folder of hand-made data
// and as the place of the documents.
class ExportTest : public ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    settings_ = defaultSettings(dataDir());
    settings_.languageFile = dataDir() + "/english.lng";
    settings_.linesFile = dataDir() + "/default.con";
  }

  // The content of one page on which `draw` ran, written in a whole
  // document (the font is needed for lettering). `folder` is the program
  // folder of the data files.
  std::string pageContent(const std::function<void(ExportState&)>& draw, const std::string& folder,
                          ExportScheme scheme = ExportScheme::Standard) {
    PdfWriter writer(fixedClock());
    ExportState state(writer, settings_, folder);
    state.exportColours = getColorValues(scheme);
    return onePageDocument(writer, dir_ / "page.pdf", settings_.languageFile, [&] { draw(state); });
  }

  Settings settings_;
};

}  // namespace caelora::test
