// SPDX-License-Identifier: GPL-2.0-or-later
// Page 1 as the export writes it (the mask, then the title block) in real
// colours, handed to the real readers: qpdf finds nothing to warn about,
// pdftoppm draws the black sheet around the white window, pdftotext finds
// the legend titles.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "export/colours.h"
#include "export/export_pdf.h"
#include "export/mask_page.h"
#include "export/title_block.h"
#include "i18n/cp1250.h"
#include "i18n/language.h"
#include "mask_test_support.h"

namespace caelora {
namespace {

using test::MaskTest;
using test::quoted;
using test::runCommand;

// A grey picture from pdftoppm -gray (binary PGM).
struct GreyPicture {
  int width = 0;
  int height = 0;
  std::string pixels;
  int at(int x, int y) const { return static_cast<unsigned char>(pixels[static_cast<std::size_t>(y * width + x)]); }
};

GreyPicture readPgm(const std::string& bytes) {
  GreyPicture p;
  int maxValue = 0;
  int consumed = 0;
  if (std::sscanf(bytes.c_str(), "P5 %d %d %d%n", &p.width, &p.height, &maxValue, &consumed) != 3) return p;
  p.pixels = bytes.substr(static_cast<std::size_t>(consumed) + 1);
  return p;
}

constexpr int kDpi = 30;
// The pixel of a point of the mask frame (scaled by 0.85, moved by (60, 170)).
int pixelX(double x) { return static_cast<int>(0.85 * (x + 60) * kDpi / 72); }
int pixelY(double y) { return static_cast<int>((842 - 0.85 * (y + 170)) * kDpi / 72); }

// A word of page 1 as pdftotext places it (points, y down from the top).
struct WordBox {
  double x0, y0, x1, y1;
  std::string line;  // pdftotext's line, for messages
};

class MaskDocument : public MaskTest {
 protected:
  std::vector<WordBox> words() {
    const auto boxes = runCommand("pdftotext -bbox -f 1 -l 1 " + quoted(document()) + " -");
    std::vector<WordBox> found;
    std::istringstream in(boxes.output);
    for (std::string line; std::getline(in, line);) {
      WordBox w{0, 0, 0, 0, line};
      if (std::sscanf(line.c_str(), " <word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"", &w.x0, &w.y0, &w.x1,
                      &w.y1) == 4)
        found.push_back(w);
    }
    return found;
  }
  // The words of the constellation list (the lower part of the page) as
  // pdftotext places them: on each line, no word comes within a unit of the
  // page frame (0.85 pt) of the next one, so no entry runs into the next column.
  void expectListColumnsApart() {
    std::map<long, std::vector<std::pair<double, double>>> lines;  // by the line's top, the words' x extents
    for (const WordBox& w : words())
      if (w.y0 > 490) lines[std::lround(w.y0 * 10)].emplace_back(w.x0, w.x1);
    ASSERT_GT(lines.size(), 25u);
    for (auto& [top, words] : lines) {
      std::sort(words.begin(), words.end());
      for (std::size_t i = 1; i < words.size(); ++i)
        EXPECT_GE(words[i].first - words[i - 1].second, 0.85 - 1e-3) << "line at " << top / 10.0;
    }
  }
  // No word of the constellation list reaches past the sheet's outline
  // (both sides mirror each other about x = 297.5 of the mask frame).
  void expectListOnTheSheet() {
    int count = 0;
    for (const auto& [x0, y0, x1, y1, line] : words()) {
      if (y0 <= 490) continue;
      ++count;
      // The box in the mask frame (the page sets it at 0.85 and moves it by (60, 170)).
      const double left = x0 / 0.85 - 60, right = x1 / 0.85 - 60;
      double edge = 0;
      for (const double y : {(842 - y0) / 0.85 - 170, (842 - y1) / 0.85 - 170}) edge = std::max(edge, sheetEdge(y));
      EXPECT_GE(left, edge) << line;
      EXPECT_LE(right, 595 - edge) << line;
    }
    EXPECT_GT(count, 200);
  }
  // The words of the two legend panels stay in their columns: the zodiac's
  // first column ends before the second (x 125 of the mask frame), the second
  // at its panel's edge (169.75); the objects' first column before the
  // symbols of the second (488), the second at its panel's edge (545.25).
  void expectLegendInItsColumns() {
    int count = 0;
    for (const auto& [x0, y0, x1, y1, line] : words()) {
      if (y0 < 842 - 0.85 * (320 + 170) || y1 > 842 - 0.85 * (260 + 170)) continue;  // not below a legend's title bar
      const double left = x0 / 0.85 - 60, right = x1 / 0.85 - 60;
      const double end = left < 125 ? 125 : left < 170 ? 169.75 : left < 488 ? 488 : 545.25;
      EXPECT_LT(right, end) << line;
      ++count;
    }
    EXPECT_GE(count, 12 + 10);
  }
  double sheetEdge(double y) const {
    const auto at = static_cast<std::size_t>(std::clamp((y + 200) * 2, 0.0, sheetEdges_.size() - 2.0));
    return std::max(sheetEdges_[at], sheetEdges_[at + 1]);
  }
  void write(int latitude, int scheme) {
    settings_.latitude = static_cast<std::int16_t>(latitude);
    conNames_ = readConNameList(settings_.languageFile);
    page(
        [this](ExportState& s) {
          plotMask(s);
          plotTitleBlock(s);
          sheetEdges_.clear();  // every half unit from y = -200 of the mask frame
          for (double y = -200; y <= 300; y += 0.5) sheetEdges_.push_back(sheetLeftEdge(s, y));
        },
        test::dataDir(), [scheme](ExportState& s) { s.exportColours = getColorValues(static_cast<ExportScheme>(scheme)); });
  }
  std::vector<double> sheetEdges_;
  GreyPicture render() {
    const auto result = runCommand("pdftoppm -r " + std::to_string(kDpi) + " -gray -singlefile " + quoted(document()) +
                            " " + quoted(dir_ / "page"));
    EXPECT_EQ(result.status, 0) << result.output;
    return readPgm(test::readFile(dir_ / "page.pgm"));
  }
};


struct Case {
  int latitude;
  int scheme;
  const char* language;
};

TEST_F(MaskDocument, ReadersAcceptThePageAndDrawTheSheetAroundTheWindow) {
  const Case cases[] = {{50, 0, "english.lng"}, {-35, 1, "czech.lng"}, {78, 0, "czech.lng"}, {80, 1, "english.lng"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.latitude) + " " + c.language);
    settings_.languageFile = test::dataDir() + "/" + c.language;
    fontFile_ = settings_.languageFile;
    write(c.latitude, c.scheme);

    const auto check = runCommand("qpdf --check " + quoted(document()));
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(check.output.find("WARNING"), std::string::npos) << check.output;

    const GreyPicture picture = render();
    ASSERT_EQ(picture.width, 595 * kDpi / 72 + 1);
    ASSERT_EQ(picture.pixels.size(), static_cast<std::size_t>(picture.width * picture.height));
    // The window's centre, a plain part of the sheet, the zodiac title bar.
    EXPECT_GT(picture.at(pixelX(297.5), pixelY(544.5)), 220);
    const int sheet = picture.at(pixelX(80), pixelY(230));
    if (c.scheme == 0) {
      EXPECT_LT(sheet, 40);
    } else {
      EXPECT_GT(sheet, 220);
    }
    EXPECT_LT(picture.at(pixelX(60), pixelY(335)), 60);

    const auto text = runCommand("pdftotext " + quoted(document()) + " -");
    const bool czech = std::string(c.language) == "czech.lng";
    EXPECT_NE(text.output.find(czech ? "Zv\xC3\xAD\xC5\x99" "etn\xC3\xADk" : "Zodiac"), std::string::npos)
        << text.output;
    EXPECT_NE(text.output.find(czech ? "Vysv\xC4\x9Btlivky" : "Legend"), std::string::npos);
    expectListColumnsApart();
  }
}

// Page 1 in every shipped language: the constellation list keeps its
// columns apart and stays on the sheet, the legend's texts keep to their
// columns, and pdftotext gives back the letters of the titles and of
// every constellation name (the font's encoding maps each code of
// Windows-1250 back to its character).
TEST_F(MaskDocument, EveryLanguageReadsBackAndKeepsItsListColumnsApart) {
  for (const std::string& language : test::languageFiles()) {
    SCOPED_TRACE(language);
    settings_.languageFile = fontFile_ = test::dataDir() + "/" + language;
    write(50, 0);
    expectListColumnsApart();
    expectListOnTheSheet();
    expectLegendInItsColumns();
    const auto text = runCommand("pdftotext " + quoted(document()) + " -");
    for (const int key : {2050, 2060, 2062})
      EXPECT_NE(text.output.find(cp1250ToUtf8(guiText(settings_.languageFile, key))), std::string::npos) << key;
    for (const std::string& name : readConNameList(settings_.languageFile))
      EXPECT_NE(text.output.find(cp1250ToUtf8(name)), std::string::npos) << cp1250ToUtf8(name);
  }
}

}  // namespace
}  // namespace caelora
