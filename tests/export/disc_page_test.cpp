// SPDX-License-Identifier: GPL-2.0-or-later
// The star-disc layers: the exact lines of small hand-made inputs, and
// invariants of the layers drawn from the real data.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "export/disc_page.h"
#include "pdf/content.h"
#include "export/month_scale.h"
#include "export/page_projection.h"
#include "i18n/language.h"
#include "sky/geometry.h"
#include "tests/export/export_test_support.h"

namespace caelora::test {
namespace {

class DiscPageTest : public ExportTest {
 protected:
  std::string folder() const { return dir_.string(); }
  void writeData(const std::string& name, const std::string& text) { writeFile(dir_ / name, text); }
};

// Every "x y" pair of a path piece, in order.
std::vector<std::pair<double, double>> pathPoints(const std::string& content) {
  static const std::regex pair(R"((-?\d+(?:\.\d+)?) (-?\d+(?:\.\d+)?) [ml]\b)");
  std::vector<std::pair<double, double>> points;
  for (std::sregex_iterator it(content.begin(), content.end(), pair), end; it != end; ++it) {
    points.emplace_back(std::stod((*it)[1]), std::stod((*it)[2]));
  }
  return points;
}

TEST_F(DiscPageTest, ColourTablesOfBothSchemes) {
  const ColourTable standard = getColorValues(ExportScheme::Standard);
  EXPECT_EQ(standard[1], "0 0 0 1");
  EXPECT_EQ(standard[15], "0 0 0 1");
  EXPECT_EQ(standard[21], "0 0 0 0.5");
  EXPECT_EQ(standard[31], "0 0 0 0.2");
  const ColourTable inverse = getColorValues(ExportScheme::Inverse);
  EXPECT_EQ(inverse[1], "0 0 0 0");
  EXPECT_EQ(inverse[14], "0 0 0 0.15");
  EXPECT_EQ(inverse[28], "0 0 0 0.2");
  for (const std::string& colour : inverse) EXPECT_EQ(colour.rfind("0 0 0 ", 0), 0u) << colour;
}

TEST_F(DiscPageTest, StarsWidthOncePerClassStopAtFirstFaintStarAndCentreCross) {
  writeData("yale.dat",
            "0,9000,50,0\n"        // the pole, magnitude 0.5: width 4
            "6000,4500,80,0\n"     // same class: no width line
            "0,-4000,300,0\n"      // on the limit circle, width 2
            "0,-5000,350,0\n"      // never rises at 50 N
            "0,4000,501,0\n"       // 5.01 ends the layer
            "0,4000,100,0\n");     // never drawn
  const std::string content = pageContent(plotStars, folder());
  EXPECT_EQ(content.rfind("1 J\r0 0 0 0 K\r4 w\r297.5 544.5 m\r297.5 544.5 l S\r", 0), 0u) << content;
  EXPECT_EQ(occurrences(content, " w\r"), 2);
  EXPECT_NE(content.find("\r2 w\r535.5 544.5 m\r535.5 544.5 l S\r"), std::string::npos);
  EXPECT_EQ(occurrences(content, " l S\r"), 3);
  EXPECT_EQ(content.find("3 w"), std::string::npos);
  const std::string cross = "0 0 0 0.5 K\r291.5 544.5 m\r303.5 544.5 l\r297.5 538.5 m\r297.5 550.5 l\rS\r";
  ASSERT_GE(content.size(), cross.size());
  EXPECT_EQ(content.substr(content.size() - cross.size()), cross);
}

// A kit printed fainter: the stars down to the print limit, counted against
// the shipped catalogue's lines (at 50 N the sky north of -40 is on the
// disc), the faintest as the smallest printable dots.
TEST_F(DiscPageTest, PrintedStarsDownToThePrintLimit) {
  std::ifstream in(dataDir() + "/yale.dat");
  std::vector<std::pair<int, int>> magDec;
  for (std::string line; std::getline(in, line);) {
    int ra = 0, dec = 0, mag = 0;
    if (std::sscanf(line.c_str(), "%d,%d,%d", &ra, &dec, &mag) == 3) magDec.emplace_back(mag, dec);
  }
  for (const double limit : {3.0, 4.0, 5.0, 6.0}) {
    settings_.printStarLimit = limit;
    const std::string content = pageContent(plotStars, dataDir());
    int listed = 0;
    for (const auto& [mag, dec] : magDec) listed += mag / 100.0 <= limit && dec >= -4000;
    EXPECT_EQ(occurrences(content, " l S\r"), listed) << limit;
    EXPECT_EQ(content.find("0.6 w\r") != std::string::npos, limit > 5) << limit;
  }
}

TEST_F(DiscPageTest, StarLayerEndsTheExportWithTheFileNamedForABadRecordOrNoStars) {
  for (const char* catalogue : {"0,9000,50,0\n100,xx,20,0\n", "", "\n\n"}) {
    writeData("yale.dat", catalogue);
    try {
      pageContent(plotStars, folder());
      ADD_FAILURE() << "accepted: \"" << catalogue << "\"";
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find("yale.dat"), std::string::npos) << e.what();
    }
  }
}

TEST_F(DiscPageTest, DiscFaceRimAndSchemes) {
  const std::string standard = pageContent(plotDiscFace, folder(), ExportScheme::Standard);
  EXPECT_EQ(standard.rfind("0 0 0 0.6 K\r0 0 0 1 k\r29.7 544.5 m\r", 0), 0u) << standard;
  EXPECT_NE(standard.find("c\rb\r0 0 0 0 K\r2 w\r56.5 544.5 m\r"), std::string::npos);  // 297.5 - 240.975
  EXPECT_EQ(standard.substr(standard.size() - 8), "c\rS\r1 w\r");
  const std::string inverse = pageContent(plotDiscFace, folder(), ExportScheme::Inverse);
  EXPECT_EQ(inverse.rfind("0 0 0 0.15 K\r0 0 0 0 k\r", 0), 0u);
}

TEST_F(DiscPageTest, GridCirclesOf121PointsHourLinesAndNumbersAtMinus3) {
  settings_.latitude = 50;
  const std::string content = pageContent(plotGrid, folder());
  EXPECT_EQ(content.rfind("0 0 0 0.7 K\r0.5 w\r", 0), 0u);
  int circles = 0;
  int hourLines = 0;
  for (const std::string& line : splitCr(content)) {
    if (line.size() > 2 && line.substr(line.size() - 2) == " S" && occurrences(line, " l ") > 1) {
      ++circles;
      EXPECT_EQ(occurrences(line, " l "), 120);  // with the "m" point: 121
    } else if (line.size() > 4 && line.substr(line.size() - 4) == " l S") {
      ++hourLines;
    }
  }
  EXPECT_EQ(circles, 5);  // 90 (the centre), 60, 30, 0, -30
  EXPECT_EQ(hourLines, 24);
  EXPECT_EQ(occurrences(content, "/F1 6 Tf\r"), 24);
  EXPECT_NE(content.find("(23) Tj\rET Q"), std::string::npos);
  const DiscPoint first = ProjectToDisc(-0.04, -3, 50);
  const PagePoint at = PageDisc::ofPage(595, 842).fromDisc(first);
  const std::string place = "q 1 0 0 1 " + FormatPdfNumber(at.x, 2) + " " + FormatPdfNumber(at.y, 2) + " cm\r";
  EXPECT_NE(content.find("0 0 0 0.2 k\r" + place), std::string::npos) << place;
  // The rotation line has two blanks before its translation.
  EXPECT_TRUE(std::regex_search(content, std::regex(R"(\r-?[\d.]+ -?[\d.]+ -?[\d.]+ -?[\d.]+  0 0 cm\rBT\r)")));
}

TEST_F(DiscPageTest, SouthernGridNumbersStandAtPlus3) {
  settings_.latitude = -35;
  const std::string content = pageContent(plotGrid, folder());
  int circles = 0;
  for (const std::string& line : splitCr(content)) circles += occurrences(line, " l ") == 120;
  EXPECT_EQ(circles, 5);  // -90, -60, -30, 0, 30
  const DiscPoint first = ProjectToDisc(0.04, 3, -35);
  const PagePoint at = PageDisc::ofPage(595, 842).fromDisc(first);
  EXPECT_NE(content.find("q 1 0 0 1 " + FormatPdfNumber(at.x, 2) + " " + FormatPdfNumber(at.y, 2) + " cm\r"),
            std::string::npos);
}

TEST_F(DiscPageTest, FigureSegmentWithAnEndBeyondTheLimitIsLeftOut) {
  writeData("figures.con", "0,9000,6000,6000\n1000,2000,2000,-5000\n");
  settings_.linesFile = (dir_ / "figures.con").string();
  const std::string content = pageContent(plotConLines, folder());
  EXPECT_EQ(content, "0 0 0 0.5 K\r0.5 w\r297.5 544.5 m\r297.5 489.6 l S\r") << content;
}

TEST_F(DiscPageTest, BoundariesDashedInRunsOfStepsOnTheDisc) {
  // At 50 N the limit is -40: the edge breaks at -41 into two runs.
  writeData("boundaries.dat", "\"Ori\",\"Mon\",5,0,0,0,-3900,0,-4100,0,-4000,0,-3000\r\n");
  settings_.latitude = 50;
  PageProjector projector(50, PageDisc::ofPage(595, 842));
  const auto at = [&](double dec) { return pdfPoint(*projector.prevodPDF(0, dec)); };
  EXPECT_EQ(pageContent(plotBoundaries, folder()), "0 0 0 0.55 K\r0.4 w\r[2 2] 0 d\r" + at(0) + " m\r" + at(-39) +
                                                       " l S\r" + at(-40) + " m\r" + at(-30) + " l S\r[] 0 d\r");
}

TEST_F(DiscPageTest, NamesAtSizeSixPlusSettingEscapedAndOnlyOnTheDisc) {
  writeData("Cons.txt",
            "0,0,9000,\"A(B\",\"Alpha\"\n"
            "1,0,-6000,\"Off\",\"Never rises\"\n"
            "2,0,9000,\"C\\D)\",\"Gamma\"\n");
  settings_.nameSize = 2;
  const std::string content = pageContent(plotConNames, folder());
  EXPECT_EQ(content.rfind("0 0 0 0 k\rq 1 0 0 1 297 544 cm\r", 0), 0u) << content;
  EXPECT_EQ(occurrences(content, "/F1 8 Tf\r"), 2);
  EXPECT_NE(content.find("(A\\(B) Tj\rET Q\r"), std::string::npos);
  EXPECT_NE(content.find("(C\\\\D\\)) Tj\rET Q\r"), std::string::npos);
  EXPECT_EQ(content.find("Off"), std::string::npos);
}

TEST_F(DiscPageTest, EclipticHasNoSegmentAcrossTheGapBelowTheLimit) {
  settings_.latitude = 25;
  const std::string whole = pageContent(plotEcliptic, folder());
  EXPECT_EQ(whole.rfind("0 0 0 0.7 K\r0.8 w\r", 0), 0u);
  EXPECT_EQ(occurrences(whole, " l S\r"), 360);
  settings_.latitude = 70;  // the limit at -20 cuts the winter half
  const std::string cut = pageContent(plotEcliptic, folder());
  const int segments = occurrences(cut, " l S\r");
  EXPECT_GT(segments, 100);
  EXPECT_LT(segments, 360);
  const auto points = pathPoints(cut);
  for (std::size_t i = 0; i + 1 < points.size(); i += 2) {
    EXPECT_LT(std::hypot(points[i + 1].first - points[i].first, points[i + 1].second - points[i].second), 8.0);
  }
}

TEST_F(DiscPageTest, MilkyWayBandsStayInsideTheLimitCircle) {
  settings_.latitude = 50;
  const std::string content = pageContent(
      [](ExportState& state) {
        state.milkyWay = readMilkyWayOutlines(dataDir() + "/milkyway");
        plotMilkyWay(state);
      },
      folder());
  EXPECT_EQ(content.rfind("0 0 0 0.9 k\r0 0 0 0.9 K\r", 0), 0u);
  EXPECT_NE(content.find("b*\r0 0 0 0.8 k\r0 0 0 0.8 K\r"), std::string::npos);
  EXPECT_EQ(occurrences(content, "b*\r"), 2);
  const auto lines = splitCr(content);
  int moves = 0;
  for (const std::string& line : lines) {
    if (line.size() > 2 && line.substr(line.size() - 2) == " m") {
      ++moves;
      EXPECT_TRUE(std::regex_match(line, std::regex(R"(-?\d+ -?\d+ m)"))) << line;
    }
  }
  EXPECT_GE(moves, 2);  // at least one contour per band
  const auto points = pathPoints(content);
  ASSERT_GT(points.size(), 500u);
  for (const auto& [x, y] : points) EXPECT_LE(std::hypot(x - 297.5, y - 544.5), 238.6);
}

TEST_F(DiscPageTest, MonthTicksNormalAndDailyNorthAndSouth) {
  settings_.latitude = 50;
  const std::string normal = pageContent(plotMonths, folder());
  EXPECT_EQ(normal.rfind("0 0 0 0 k 0 0 0 0 K\r", 0), 0u);
  const auto tickLine = [](const std::string& content) {
    for (const std::string& line : splitCr(content))
      if (line.size() > 2 && line.substr(line.size() - 2) == " S") return line;
    return std::string();
  };
  const std::string northTicks = tickLine(normal);
  EXPECT_EQ(northTicks.rfind("342.9 778.1 m 348.6 807.3 l ", 0), 0u) << northTicks.substr(0, 60);
  EXPECT_EQ(occurrences(northTicks, " m "), 43);  // 12 boundaries and the 10th, 20th, 30th days
  EXPECT_EQ(occurrences(normal, "/F1 16 Tf"), occurrences(normal, ") Tj"));
  settings_.dailyScale = true;
  const std::string daily = pageContent(plotMonths, folder());
  EXPECT_EQ(occurrences(tickLine(daily), " m "), 365);
  EXPECT_GT(occurrences(daily, "/F1 12 Tf"), 12);
  // Per month one letter for "5" and two for each of 10, 15, 20, 25 (and 30
  // in the months of 31 days).
  EXPECT_EQ(occurrences(daily, "/F1 6 Tf"), 12 + 2 * (4 * 12 + 7));
  settings_.dailyScale = false;
  settings_.latitude = -50;
  EXPECT_EQ(tickLine(pageContent(plotMonths, folder())).rfind("252.1 778.1 m ", 0), 0u);
}

// The month names of every shipped language read back from the page (each
// letter's place, turn and width in the font): each name stays between the
// ticks of the first of its month and of the next one, a point clear of
// them, on the plain and the daily scale, north and south.
TEST_F(DiscPageTest, MonthNamesOfEveryLanguageStayWithinTheirMonths) {
  const std::regex letter(R"(q 1 0 0 1 (\S+) (\S+) cm\r(\S+) (\S+) \S+ \S+  0 0 cm\rBT\r/F1 (\S+) Tf\r\((\\?.)\) Tj)");
  constexpr double kCentreX = 297.5, kCentreY = 544.5, kClearancePt = 1;
  const auto angleOf = [&](double x, double y) { return std::atan2(y - kCentreY, x - kCentreX) * 180 / kPi; };
  for (const std::string& language : test::languageFiles()) {
    settings_.languageFile = dataDir() + "/" + language;
    for (const auto& [latitude, daily] : {std::pair{50, false}, {50, true}, {-35, false}, {-35, true}}) {
      const std::string where = language + " " + std::to_string(latitude) + (daily ? " daily" : "");
      settings_.latitude = static_cast<std::int16_t>(latitude);
      settings_.dailyScale = daily;
      FontWidths widths;
      const std::string content = pageContent(
          [&widths](ExportState& s) {
            plotMonths(s);
            widths = s.writer.fontWidths();
          },
          dataDir());
      // The first of each month: the ticks that reach farthest out.
      const auto ends = pathPoints(content);
      double rim = 0;
      for (std::size_t i = 1; i < ends.size(); i += 2) rim = std::max(rim, std::hypot(ends[i].first - kCentreX, ends[i].second - kCentreY));
      std::vector<double> starts;
      for (std::size_t i = 1; i < ends.size(); i += 2)
        if (std::hypot(ends[i].first - kCentreX, ends[i].second - kCentreY) > rim - 0.2) starts.push_back(angleOf(ends[i].first, ends[i].second));
      ASSERT_EQ(starts.size(), 12u) << where;
      const double turn = std::remainder(starts[1] - starts[0], 360) > 0 ? 1 : -1;
      // The month names' letters in order (the day numbers are set at 6 pt).
      std::size_t month = 0, inName = 0;
      for (auto it = std::sregex_iterator(content.begin(), content.end(), letter); it != std::sregex_iterator(); ++it) {
        const double size = std::stod((*it)[5]);
        if (size == 6) continue;
        ASSERT_LT(month, 12u) << where;
        const double x = std::stod((*it)[1]), y = std::stod((*it)[2]);
        const double norm = std::hypot(std::stod((*it)[3]), std::stod((*it)[4]));
        const double advance = widths.at(static_cast<unsigned char>((*it)[6].str().back())) * size / 1000;
        const double endX = x + std::stod((*it)[3]) / norm * advance, endY = y + std::stod((*it)[4]) / norm * advance;
        const double clear = kClearancePt / std::hypot(x - kCentreX, y - kCentreY) * 180 / kPi;
        const double span = std::remainder(turn * (starts[(month + 1) % 12] - starts[month]), 360);
        for (const double a : {angleOf(x, y), angleOf(endX, endY)}) {
          const double from = std::remainder(turn * (a - starts[month]), 360);
          EXPECT_GE(from, clear) << where << " month " << month + 1;
          EXPECT_LE(from, span - clear) << where << " month " << month + 1;
        }
        if (++inName == guiText(settings_.languageFile, 501 + static_cast<int>(month)).size()) ++month, inName = 0;
      }
      EXPECT_EQ(month, 12u) << where;
    }
  }
}

}  // namespace
}  // namespace caelora::test
