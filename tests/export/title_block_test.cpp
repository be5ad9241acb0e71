// SPDX-License-Identifier: GPL-2.0-or-later
// The title block: its pieces in order, the three blocks of the
// constellation list, the author line of each language, and the measuring
// of texts.
#include <gtest/gtest.h>

#include <regex>

#include "export/title_block.h"
#include "i18n/language.h"
#include "mask_test_support.h"
#include "sky/data_error.h"

namespace caelora {
namespace {

using test::MaskTest;
using test::occurrences;
using test::splitCr;

FontWidths widthsOf(int first, std::vector<std::int32_t> w) {
  FontWidths f;
  f.firstChar = first;
  f.widths = std::move(w);
  return f;
}

TEST(HalfTextWidth, RoundsHalvesToEven) {
  // 'A' 500, 'B' 700, 'C' 300 thousandths; at size 10 half a width is w / 200.
  const FontWidths f = widthsOf('A', {500, 700, 300});
  EXPECT_EQ(halfTextWidth(f, "A", 10), 2);   // 2.5
  EXPECT_EQ(halfTextWidth(f, "B", 10), 4);   // 3.5
  EXPECT_EQ(halfTextWidth(f, "C", 10), 2);   // 1.5
  EXPECT_EQ(halfTextWidth(f, "AB", 10), 6);  // 6.0
  EXPECT_EQ(halfTextWidth(f, "AAC", 14), 9);  // 1300 x 14 / 2000 = 9.1
  EXPECT_EQ(halfTextWidth(f, "", 14), 0);
}

TEST(HalfTextWidth, ACharacterWithoutWidthIsAnError) {
  const FontWidths f = widthsOf('A', {500});
  EXPECT_THROW(halfTextWidth(f, "@", 10), PdfError);
}

class TitleBlock : public MaskTest {
 protected:
  std::string block(const std::string& folder = test::dataDir()) {
    return page(
        [this](ExportState& s) {
          titleHalfWidth_ = halfTextWidth(s, guiText(s.languageFile(), 2050), 14);
          plotTitleBlock(s);
        },
        folder);
  }
  int titleHalfWidth_ = -1;
  // Cons.txt of n records named C1..Cn in a program folder of its own.
  std::string folderWithRecords(int n, const std::string& latinSuffix = "") {
    std::string text;
    for (int i = 1; i <= n; ++i) {
      text += std::to_string(i - 1) + ",1000,2000,\"C" + std::to_string(i) + "\",\"Latin" + std::to_string(i) +
              latinSuffix + "\"\r\n";
    }
    const std::string folder = folderWith({});
    test::writeFile(folder + "/Cons.txt", text);
    return folder;
  }
};

TEST_F(TitleBlock, PiecesStandInTheirOrder) {
  const std::string content = block();
  const auto lines = splitCr(content);
  const std::string title = guiText(settings_.languageFile, 2050);
  ASSERT_FALSE(title.empty());
  ASSERT_GE(lines.size(), 20u);
  EXPECT_EQ(lines[0], "q 1 0 0 1 500 -80 cm");
  EXPECT_EQ(lines[1], "-1 0 0 -1 0 0 cm");
  EXPECT_EQ(lines[2], "BT");
  EXPECT_EQ(lines[3], "/F1 14 Tf");
  EXPECT_EQ(lines[4], "1 0 0 1 " + std::to_string(202 - titleHalfWidth_) + ".0  18 Tm");
  EXPECT_EQ(lines[5], "(" + title + ") Tj");
  EXPECT_EQ(lines[6], "ET");
  EXPECT_EQ(lines[7], "BT");
  EXPECT_EQ(lines[8], "/F1 8 Tf");
  EXPECT_EQ(lines[9], "1 0 0 1 138 -280 Tm");
  EXPECT_EQ(lines[11], "ET");
  EXPECT_EQ(lines[14], "1 0 0 1 147 -295 Tm");
  EXPECT_EQ(lines[15], "(https://caelora.example.org) Tj");
  EXPECT_EQ(lines[17], "BT");
  EXPECT_EQ(lines[18], "/F1 7 Tf");
  EXPECT_EQ(lines[19], "8.4 TL");
  const std::string rules = test::slotColour(24) +
                            " K\r[] 0 d 0.5 w 100 -88 m 500 -88 l S\r100 182 m 500 182 l S\r"
                            "1.5 w 100 -90 m 500 -90 l S\r100 184 m 500 184 l S 1 w\r";
  ASSERT_GT(content.size(), rules.size());
  EXPECT_EQ(content.substr(content.size() - rules.size()), rules);
  EXPECT_NE(content.find("\rET Q\r" + rules), std::string::npos);
}

TEST_F(TitleBlock, TitleIsCentredOnTwoHundredAndTwo) {
  // Through a language file whose title is known: a copy with its own text.
  const std::string folder = folderWith({"Cons.txt"});
  std::string lng = test::readFile(settings_.languageFile);
  const auto at = lng.find("\r\n2050=");
  ASSERT_NE(at, std::string::npos);
  lng.replace(at, lng.find("\r\n", at + 2) - at, "\r\n2050=");
  test::writeFile(folder + "/empty-title.lng", lng);
  settings_.languageFile = folder + "/empty-title.lng";
  const auto lines = splitCr(block(folder));
  EXPECT_EQ(lines[4], "1 0 0 1 202.0  18 Tm");
  EXPECT_EQ(lines[5], "() Tj");
}

TEST_F(TitleBlock, EightyNineConstellationsMakeBlocksOfThirtyThirtyAndTwentyNine) {
  const std::string content = block();
  const auto lines = splitCr(content);
  std::vector<std::pair<std::string, int>> columns;  // Tm, rows after it
  // An entry set narrower stands between "Tz" operators.
  const std::regex column("(1 0 0 1 \\d+ 0 Tm)\r((?:(?:[\\d.]+ Tz )?\\([^)]*\\)' (?:100 Tz )?)*)");
  for (auto it = std::sregex_iterator(content.begin(), content.end(), column); it != std::sregex_iterator(); ++it) {
    columns.emplace_back((*it)[1], occurrences((*it)[2], ")' "));
  }
  const std::vector<std::pair<std::string, int>> expected = {
      {"1 0 0 1 0 0 Tm", 30},   {"1 0 0 1 18 0 Tm", 30},  {"1 0 0 1 76 0 Tm", 30},
      {"1 0 0 1 140 0 Tm", 30}, {"1 0 0 1 158 0 Tm", 30}, {"1 0 0 1 216 0 Tm", 30},
      {"1 0 0 1 280 0 Tm", 29}, {"1 0 0 1 298 0 Tm", 29}, {"1 0 0 1 356 0 Tm", 29}};
  EXPECT_EQ(columns, expected);
  // Each block's abbreviations begin with its first constellation.
  EXPECT_NE(content.find("1 0 0 1 0 0 Tm\r(And)' (Ant)' "), std::string::npos);
  EXPECT_NE(content.find("1 0 0 1 18 0 Tm\r(Andromeda)' (Antlia)' "), std::string::npos);
  EXPECT_NE(content.find("(Vul)' 1 0 0 1 298 0 Tm\r(Pavo)' "), std::string::npos);
}

TEST_F(TitleBlock, RecordsAfterTheLastFullBlockAreNotListed) {
  conNames_.assign(95, "N");
  const std::string ninetyFive = block(folderWithRecords(95));
  EXPECT_NE(ninetyFive.find("(C89)' 1 0 0 1 298 0 Tm"), std::string::npos);
  EXPECT_EQ(ninetyFive.find("(C90)"), std::string::npos);

  const std::string thirtyFive = block(folderWithRecords(35));
  EXPECT_EQ(occurrences(thirtyFive, " 0 Tm\r"), 3);
  EXPECT_NE(thirtyFive.find("(C30)' 1 0 0 1 18 0 Tm"), std::string::npos);
  EXPECT_EQ(thirtyFive.find("(C31)"), std::string::npos);

  const std::string twentyNine = block(folderWithRecords(29));
  EXPECT_EQ(occurrences(twentyNine, "' "), 0);
  EXPECT_NE(twentyNine.find("8.4 TL\rET Q\r"), std::string::npos);
}

TEST_F(TitleBlock, NamesAreEscapedInTheirStrings) {
  const std::string content = block(folderWithRecords(30, " (x\\y)"));
  EXPECT_NE(content.find("(Latin1 \\(x\\\\y\\))' "), std::string::npos);
}

TEST_F(TitleBlock, TooFewNationalNamesNameTheLanguageFileAndKey) {
  conNames_.assign(88, "N");
  try {
    block();
    FAIL() << "no error";
  } catch (const DataError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find(settings_.languageFile), std::string::npos) << what;
    EXPECT_NE(what.find("ConNames"), std::string::npos) << what;
  }
}

TEST_F(TitleBlock, MissingConsTxtNamesTheFile) {
  const std::string folder = folderWith({});
  try {
    block(folder);
    FAIL() << "no error";
  } catch (const DataError& e) {
    EXPECT_NE(std::string(e.what()).find(folder + "/Cons.txt"), std::string::npos) << e.what();
  }
}

TEST_F(TitleBlock, AuthorSurnameHasNationalLettersOnlyWithTheCzechFileOfTheProgramFolder) {
  const std::string czechPlain = "(Caelora \xA9 2026 Elin Hvezdorik) Tj";
  const std::string czechNational = "(Caelora \xA9 2026 Elin Hv\xEC" "zdo\xF8\xED" "k) Tj";
  EXPECT_NE(block().find(czechPlain), std::string::npos);

  settings_.languageFile = test::dataDir() + "/czech.lng";
  EXPECT_NE(block().find(czechNational), std::string::npos);

  // The same file named with other letter case, through another path form.
  settings_.languageFile = test::dataDir() + "/./CZECH.LNG";
  PdfWriter writer;
  ExportState state(writer, settings_, test::dataDir());
  EXPECT_EQ(authorLine(state), "Caelora \xA9 2026 Elin Hv\xEC" "zdo\xF8\xED" "k");

  // A czech.lng elsewhere is not the program's.
  settings_.languageFile = dir_.string() + "/czech.lng";
  ExportState other(writer, settings_, test::dataDir());
  EXPECT_EQ(authorLine(other), "Caelora \xA9 2026 Elin Hvezdorik");
}

}  // namespace
}  // namespace caelora
