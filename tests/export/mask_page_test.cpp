// SPDX-License-Identifier: GPL-2.0-or-later
// The mask page: the sheet, the horizon window, the compass names and the
// hour scale per latitude, the legend, and what missing data does.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>

#include "export/mask_page.h"
#include "export/title_block.h"
#include "i18n/language.h"
#include "mask_test_support.h"
#include "pdf/pdf_error.h"
#include "sky/chart_geometry.h"
#include "sky/data_error.h"

namespace caelora {
namespace {

using test::arcLetters;
using test::MaskTest;
using test::occurrences;
using test::splitCr;

class MaskPage : public MaskTest {
 protected:
  std::string mask(int latitude, const std::string& folder = test::dataDir()) {
    settings_.latitude = static_cast<std::int16_t>(latitude);
    return page([](ExportState& s) { plotMask(s); }, folder);
  }
  // The piece that starts with `head`, up to the next piece boundary `end`.
  static std::string pieceFrom(const std::string& content, const std::string& head, const std::string& end) {
    const auto from = content.find(head);
    if (from == std::string::npos) return "";
    return content.substr(from, content.find(end, from) + end.size() - from);
  }
};

// The hour numbers as they stand on the page, left to right along the arc.
std::string hours(std::initializer_list<int> list) {
  std::string s;
  for (const int h : list) s += std::to_string(h);
  return s;
}

TEST_F(MaskPage, NorthernHourNumbersIncreaseCounterClockwiseAndWrapAtMidnight) {
  const std::string content = mask(50);
  EXPECT_EQ(arcLetters(content, 12), hours({16, 17, 18, 19, 20, 21, 22, 23, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(arcLetters(content, 8), hours({18, 19, 20, 21, 22, 23, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(MaskPage, SouthernHourNumbersRunTheOtherWay) {
  const std::string content = mask(-50);
  EXPECT_EQ(arcLetters(content, 12), hours({8, 7, 6, 5, 4, 3, 2, 1, 0, 23, 22, 21, 20, 19, 18, 17, 16}));
  EXPECT_EQ(arcLetters(content, 8), hours({8, 7, 6, 5, 4, 3, 2, 1, 0, 23, 22, 21, 20, 19, 18}));
}

// Hour triangles (2 hb + 1), second-row numbers (2 sb + 1, or none) and
// compass names drawn, for both hemispheres.
struct ScaleCase {
  int latitude;
  int hourMarks;
  int laterNumbers;  // 0: no second row
  const char* names;
};

TEST_F(MaskPage, HourScaleAndCompassNamesThinOutTowardsThePole) {
  const ScaleCase cases[] = {
      {60, 17, 15, "NorthNorthwestWestSouthwestSouthSoutheastEastNortheast"},
      {70, 15, 11, "NorthNorthwestWestSouthwestSouthSoutheastEastNortheast"},
      {71, 13, 11, "NorthNorthwestSouthwestSouthSoutheastNortheast"},
      {75, 13, 11, "NorthNorthwestSouthwestSouthSoutheastNortheast"},
      {76, 13, 0, "NorthNorthwestSouthwestSouthSoutheastNortheast"},
      {77, 11, 0, "NorthNorthwestSouthwestSouthSoutheastNortheast"},
      {78, 11, 0, "NorthNorthwestSouthwestSouthSoutheast"},
      {79, 11, 0, "NorthSouthwestSouthSoutheast"},
  };
  for (const ScaleCase& c : cases) {
    for (const int sign : {1, -1}) {
      SCOPED_TRACE(c.latitude * sign);
      const std::string content = mask(c.latitude * sign);
      // 16 half-hour triangles always; the hour triangles vary.
      EXPECT_EQ(occurrences(content, " l\rf\r"), c.hourMarks + 16);
      const std::string later = arcLetters(content, 8);
      EXPECT_EQ(later.empty(), c.laterNumbers == 0);
      const std::string numbers = arcLetters(content, 12);
      EXPECT_EQ(numbers.find('-'), std::string::npos);
      if (sign > 0) {
        EXPECT_EQ(arcLetters(content, 10), c.names);
      }
    }
  }
}

TEST_F(MaskPage, SouthernNamesExchangeNorthAndSouthWithTheirDiagonals) {
  EXPECT_EQ(arcLetters(mask(-50), 10), "SouthSouthwestWestNorthwestNorthNortheastEastSoutheast");
  EXPECT_EQ(arcLetters(mask(-79), 10), "SouthNorthwestNorthNortheast");
}

TEST_F(MaskPage, HorizonWindowIsAClosedPathOfOneHundredTwentyOnePoints) {
  for (const int latitude : {25, 50, 80, -35}) {
    SCOPED_TRACE(latitude);
    const std::string window =
        pieceFrom(mask(latitude), "2 w\r" + test::slotColour(2) + " K\r" + test::slotColour(3) + " k\r",
                  "b\r1 w\r");
    ASSERT_FALSE(window.empty());
    EXPECT_EQ(occurrences(window, " m\r"), 1);
    EXPECT_EQ(occurrences(window, " l\r"), 120);
    const auto lines = splitCr(window);
    double x0, y0, x1, y1;
    ASSERT_EQ(std::sscanf(lines[3].c_str(), "%lf %lf m", &x0, &y0), 2);
    ASSERT_EQ(std::sscanf(lines[123].c_str(), "%lf %lf l", &x1, &y1), 2);
    EXPECT_NEAR(x0, x1, 0.11);
    EXPECT_NEAR(y0, y1, 0.11);
    // The point below the pole lies on the meridian, above the centre at
    // 50 degrees: 238 x (90 - |latitude| + |latitude|... ) lies inside the disc.
    EXPECT_NEAR(x0, 297.5, 0.06);
    EXPECT_LT(std::hypot(x0 - 297.5, y0 - 544.5), 238.1);
  }
}

TEST_F(MaskPage, SheetOutlineWalksBothHalvesAndClosesWithFillAndStroke) {
  const std::string content = mask(50);
  const std::string outline = pieceFrom(content, "56.5 544.5 l\r", "B\r");
  // 27 + 45 + 44 + 27 arc points and the four margin corners.
  EXPECT_EQ(occurrences(outline, " l\r"), 27 + 45 + 44 + 27);
  EXPECT_EQ(occurrences(outline, " l "), 4);
  EXPECT_NE(outline.find("29.8 389.9 l 29.8 104.1 l "), std::string::npos) << outline.substr(0, 400);
  EXPECT_NE(outline.find("565.2 104.1 l 565.2 389.9 l "), std::string::npos);
  // The upper half of the front circle comes first, as its own piece.
  EXPECT_EQ(content.find(test::slotColour(0) + " K\r" + test::slotColour(1) + " k\r538.4 544.5 m\r"), 0u);
}

TEST_F(MaskPage, PivotCrossAndDashedFoldLine) {
  const std::string content = mask(50);
  EXPECT_NE(content.find(test::slotColour(21) +
                         " K\r291.5 -50.5 m\r303.5 -50.5 l\r297.5 -56.5 m\r297.5 -44.5 l\rS\r"
                         "[3 5] 6 d\r29.8 247 m\r565.2 247 l\rS\r"),
            std::string::npos);
}

TEST_F(MaskPage, LegendPanelsStandAtTheirRoundedPositions) {
  const std::string content = mask(50);
  const std::string panels = test::slotColour(12) + " k\r49.8 260 120 80 re\rf\r425.2 260 120 80 re\rf\r" +
                             test::slotColour(10) + " k\r49.8 320 120 20 re\rf\r425.2 320 120 20 re\rf\r" +
                             test::slotColour(11) + " k\rBT\r/F1 10 Tf\r";
  EXPECT_NE(content.find(panels), std::string::npos);
  EXPECT_TRUE(std::regex_search(content, std::regex("\r1 0 0 1 \\d+\\.0  326 Tm\r\\(Zodiac\\) Tj\r")));
  EXPECT_TRUE(std::regex_search(content, std::regex("\r1 0 0 1 \\d+\\.0  326 Tm\r\\(Legend\\) Tj\rET\r")));
}

TEST_F(MaskPage, LegendListsTheZodiacAndTheObjectsBesideTheSymbols) {
  conNames_.clear();
  for (int i = 0; i < 89; ++i) conNames_.push_back("Z" + std::to_string(i));
  const std::string content = mask(50);
  std::string symbols;
  std::istringstream file(test::readFile(test::dataDir() + "/Symbols.txt"));
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    symbols += line + " ";
  }
  EXPECT_NE(content.find(test::slotColour(13) + " k\r" + symbols + "\rBT\r1 0 0 1 65 318 Tm\r/F1 7 Tf\r8.4 TL\r"),
            std::string::npos);
  EXPECT_NE(content.find("(Z6)' (Z78)' (Z37)' (Z11)' (Z45)' (Z86)'\r"
                         "1 0 0 1 125 318 Tm (Z48)' (Z72)' (Z71)' (Z15)' (Z3)' (Z65)'\r"
                         "1 0 0 1 443 318 Tm (< 1 mag)' (1 - 2.5 mag)' (2.5 - 4 mag)' (4 - 5 mag)' (Milky Way)' \r"
                         "1 0 0 1 503 318 Tm (Constellation)' (Ecliptic)' (RA/Dec grid)' (Hour of RA)' (Pole)'  ET\r"),
            std::string::npos);
}

TEST_F(MaskPage, WithTheRealNamesTheLeftPanelListsAriesToPisces) {
  conNames_ = splitList(readLangKey(settings_.languageFile, "Names", "ConNames", "", 3000));
  const std::string content = mask(50);
  EXPECT_NE(content.find("(Ram)' (Bull)' (Twins)' (Crab)' (Lion)' (Virgin)'\r"
                         "1 0 0 1 125 318 Tm (Scales)' (Scorpion)' (Archer)' (Sea Goat)' (Water Bearer)' (Fishes)'\r"),
            std::string::npos);
}

TEST_F(MaskPage, MissingDataIsReportedBeforeAnythingIsWritten) {
  const auto expectError = [this](const std::string& folder, const std::string& mentioned, const char* what) {
    SCOPED_TRACE(what);
    std::string written = "unset";
    try {
      settings_.latitude = 50;
      page(
          [&written](ExportState& s) {
            const auto before = s.writer.offset();
            try {
              plotMask(s);
            } catch (...) {
              written = std::to_string(s.writer.offset() - before);
              throw;
            }
          },
          folder);
      FAIL() << "no error";
    } catch (const DataError& e) {
      EXPECT_NE(std::string(e.what()).find(mentioned), std::string::npos) << e.what();
    }
    EXPECT_EQ(written, "0");
  };

  const std::string noSymbols = folderWith({"Cons.txt"});
  expectError(noSymbols, noSymbols + "/Symbols.txt", "no Symbols.txt");

  conNames_.assign(86, "N");
  expectError(test::dataDir(), "ConNames", "86 names");
  expectError(test::dataDir(), settings_.languageFile, "86 names, the file");
  conNames_.assign(89, "N");

  const std::string folder = folderWith({"Symbols.txt"});
  test::writeFile(folder + "/nine.lng", "[Names]\r\nObjects=a,b,c,d,e,f,g,h,i\r\n");
  settings_.languageFile = folder + "/nine.lng";
  expectError(folder, "Objects", "nine objects");
  expectError(folder, folder + "/nine.lng", "nine objects, the file");
}

TEST_F(MaskPage, ADecimalCommaLocaleChangesNoByte) {
  const std::string plain = mask(50);
  std::string underComma;
  {
    test::CommaLocale comma;
    underComma = mask(50);
  }
  EXPECT_EQ(underComma, plain);
}

TEST_F(MaskPage, LatitudeZeroHasNoHorizonToDraw) {
  EXPECT_THROW(mask(0), PdfError);
}

// The legend goes into the page as it stands: a line is taken only when a
// PDF reader reads it as written, strings by their escapes and nesting.
class LegendLine : public test::ScratchFolderTest {
 protected:
  std::string errorFor(const std::string& line) {
    test::writeFile(dir_ / "Symbols.txt", line + "\r\n");
    try {
      readLegendSymbols((dir_ / "Symbols.txt").string());
    } catch (const DataError& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(LegendLine, StringsAndNamesFollowThePdfSyntax) {
  for (const char* sound : {"BT /F1 7 Tf 400 300 Td (a\\)b) Tj ET", "BT (two (nested) words) Tj ET",
                            "BT (a\\\\) Tj ET", "BT /F#31 7 Tf (x)Tj ET"})
    EXPECT_EQ(errorFor(sound), "") << sound;
  const std::pair<const char*, const char*> broken[] = {
      {"BT /F1 7 Tf 400 300 Td (a\\) Tj ET", "has a string that is not closed"},  // \) is no end
      {"BT (open (nested) Tj ET", "has a string that is not closed"},
      {"BT (a) Tj ET (b\\", "has a string that is not closed"},
      {"BT /F1(x) 7 Tf ET", "\"/F1(x)\" is not a name"},
      {"q /G%comment Q", "\"/G%comment\" is not a name"},
      {"BT /F#3 7 Tf ET", "\"/F#3\" is not a name"},
      {"BT (x) Tj Q", "\"Q\" closes no \"q\""}};  // found by the fuzz target
  for (const auto& [line, rule] : broken) EXPECT_NE(errorFor(line).find("line 1: " + std::string(rule)), std::string::npos) << line;
}

// An editor may end the lines with LF, CR LF or a lone CR (an old Mac's).
TEST_F(LegendLine, EveryLineEndReadsAlike) {
  const std::string path = (dir_ / "Symbols.txt").string();
  std::vector<std::string> read;
  for (const char* end : {"\n", "\r\n", "\r"}) {
    test::writeFile(path, std::string("q 1 w") + end + "0 0 m 5 5 l S" + end + "Q" + end);
    read.push_back(readLegendSymbols(path));
  }
  EXPECT_EQ(read[0], "q 1 w 0 0 m 5 5 l S Q ");
  EXPECT_EQ(read[1], read[0]);
  EXPECT_EQ(read[2], read[0]);
}

TEST(SplitList, KeepsEmptyEntriesAndGivesNothingForNothing) {
  EXPECT_TRUE(splitList("").empty());
  EXPECT_EQ(splitList("a,,b"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(splitList("a,"), (std::vector<std::string>{"a", ""}));
}

// The lettering read back from the page: each letter's box from its place,
// turn and size in the content and its width in the font. Over every
// latitude in every shipped language, no compass name (a run of three
// letters or more) comes within half a point of another name or an hour number.
TEST_F(MaskPage, CompassNamesTouchNoOtherText) {
  const std::regex letter(R"(q 1 0 0 1 (\S+) (\S+) cm\r(\S+) (\S+) \S+ \S+  0 0 cm\rBT\r/F1 (\S+) Tf\r\((\\?.)\) Tj)");
  for (const std::string& language : test::languageFiles()) {
    settings_.languageFile = fontFile_ = test::dataDir() + "/" + language;
    FontWidths widths;
    page([&widths](ExportState& s) { widths = s.writer.fontWidths(); });
    for (int latitude = -80; latitude <= 80; ++latitude) {
      if (std::abs(latitude) < 25) continue;
      const std::string content = mask(latitude);
      std::vector<std::vector<TextBox>> words;
      double lastX = 1e9, lastY = 1e9, lastSize = 0;
      for (auto it = std::sregex_iterator(content.begin(), content.end(), letter); it != std::sregex_iterator(); ++it) {
        const double x = std::stod((*it)[1]), y = std::stod((*it)[2]), size = std::stod((*it)[5]);
        const double norm = std::hypot(std::stod((*it)[3]), std::stod((*it)[4]));
        const double c = std::stod((*it)[3]) / norm, n = std::stod((*it)[4]) / norm;
        const double advance = widths.at(static_cast<unsigned char>((*it)[6].str().back())) * size / 1000;
        if (size != lastSize || std::hypot(x - lastX, y - lastY) > 1.6 * size) words.emplace_back();
        const auto at = [&](double u, double v) { return DiscPoint{x + c * u - n * v, y + n * u + c * v, true}; };
        words.back().push_back({at(0, -0.2 * size), at(advance, -0.2 * size), at(advance, 0.9 * size), at(0, 0.9 * size)});
        lastX = x, lastY = y, lastSize = size;
      }
      for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].size() < 3) continue;
        std::vector<TextBox> others;
        for (std::size_t j = 0; j < words.size(); ++j)
          if (j != i) others.insert(others.end(), words[j].begin(), words[j].end());
        EXPECT_FALSE(boxesTouch(words[i], others, 0.5)) << language << " " << latitude << " word " << i;
      }
    }
  }
}

// A kit for Prague (14.4 E, Central European Time): the hour scale turned
// 0.6 degrees clockwise to read zone time, the inner row captioned, the place
// in the title block. The letters' origins are read back from the page.
TEST_F(MaskPage, HourScaleOfAPlaceReadsItsZoneTime) {
  const std::regex hourZero(R"(q 1 0 0 1 (\S+) (\S+) cm\r\S+ \S+ \S+ \S+  0 0 cm\rBT\r/F1 12 Tf\r\(0\) Tj)");
  const auto angleOfZero = [&](const std::string& content) {
    std::smatch m;
    EXPECT_TRUE(std::regex_search(content, m, hourZero));
    return std::atan2(std::stod(m[1]) - 297.5, std::stod(m[2]) - 544.5) * 180 / 3.14159265358979;
  };
  const double plain = angleOfZero(mask(50));
  settings_.longitude = 14.4;
  const TimeZoneFacts prague{"Europe/Prague", 1, true};
  const std::string content = page([&](ExportState& s) {
    s.zone = prague;
    plotMask(s);
    plotTitleBlock(s);
  });
  EXPECT_NEAR(angleOfZero(content) - plain, 0.6, 0.02);  // clockwise on the page
  EXPECT_EQ(arcLetters(content, 7), "summer time");
  EXPECT_NE(content.find("(Hours in the time of Europe/Prague at longitude 14.4\xB0 E; the inner row gives summer time) Tj"),
            std::string::npos);
}

}  // namespace
}  // namespace caelora
