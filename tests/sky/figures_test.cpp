// SPDX-License-Identifier: GPL-2.0-or-later
#include "sky/figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "i18n/language.h"
#include "sky/geometry.h"
#include "tests/sky/replay.h"

namespace caelora {
namespace {

using testing::CommandsOf;
using testing::Point;
using testing::Replay;
using testing::ShapesOf;

const std::string kData = CAELORA_SOURCE_DATA_DIR;

// Every printable character is one vertical stroke 10 units right of its
// origin: from the top line (v = 0) down to the base line (v = 32).
GlyphTable BarGlyphs() {
  GlyphTable glyphs;
  for (int c = 33; c < 256; ++c) glyphs[c] = "-10,0,10,32";
  return glyphs;
}

class FiguresTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::path(::testing::TempDir()) /
              (std::string("caelora-figures-") + info->name());
    std::filesystem::create_directories(folder_);
    setup_.programFolder = folder_.string();
    setup_.glyphs = BarGlyphs();
    setup_.settings.latitude = 50;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Write(const std::string& name, const std::string& content) {
    const auto path = folder_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

  std::filesystem::path folder_;
  ChartSetup setup_;
};

TEST_F(FiguresTest, SegmentWithAnEndPastTheLimitIsLeftOutWhole) {
  // Latitude 50: the limit is declination -40, itself on the disc.
  setup_.settings.linesFile = Write("t.con",
                                    "0,9000,6000,0\r\n"
                                    "6000,0,6000,-4001\r\n"
                                    "12000,-4001,12000,0\r\n"
                                    "18000,-4000,18000,2000\r\n");
  const DisplayList list = LoadFigures(setup_);
  const auto lines = ShapesOf(Replay(list), Primitive::Lines);
  ASSERT_EQ(lines.size(), 2u);  // one primitive per segment
  const struct { double ra1, dec1, ra2, dec2; } expected[] = {{0, 90, 6, 0}, {18, -40, 18, 20}};
  for (std::size_t i = 0; i < 2; ++i) {
    ASSERT_EQ(lines[i].points.size(), 2u);
    const DiscPoint a = ProjectToDisc(expected[i].ra1, expected[i].dec1, 50);
    const DiscPoint b = ProjectToDisc(expected[i].ra2, expected[i].dec2, 50);
    EXPECT_NEAR(lines[i].points[0].x, a.x, 1e-6);
    EXPECT_NEAR(lines[i].points[0].y, a.y, 1e-6);
    EXPECT_NEAR(lines[i].points[1].x, b.x, 1e-6);
    EXPECT_NEAR(lines[i].points[1].y, b.y, 1e-6);
  }
  EXPECT_NEAR(testing::Radius(lines[1].points[0]), kLimitRadius, 1e-6);
}

TEST_F(FiguresTest, FigureColourFollowsSchemeAndBrightness) {
  setup_.settings.linesFile = Write("t.con", "0,9000,6000,0\n");
  struct Case {
    int scheme, intensity;
    float r, g, b;
  };
  const Case cases[] = {{0, 5, 0.4f, 0.4f, 0.48f}, {2, 0, 0.95f, 0.95f, 0.95f}, {3, 10, 0.7f, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "scheme " << c.scheme << " intensity " << c.intensity);
    setup_.settings.colourScheme = static_cast<ScreenScheme>(c.scheme);
    setup_.settings.lineIntensity = static_cast<std::uint8_t>(c.intensity);
    const DisplayList list = LoadFigures(setup_);
    const auto colours = CommandsOf(list, GlCommand::Op::Color);
    ASSERT_EQ(colours.size(), 1u);
    EXPECT_EQ(list.commands().front().op, GlCommand::Op::Color);  // set once, before the lines
    EXPECT_NEAR(colours[0].a, c.r, 1e-6);
    EXPECT_NEAR(colours[0].b, c.g, 1e-6);
    EXPECT_NEAR(colours[0].c, c.b, 1e-6);
  }
}

TEST_F(FiguresTest, EmptyAndMissingFigureFiles) {
  // A figure set without a single line is damaged: named, not drawn blank.
  setup_.settings.linesFile = Write("empty.con", "");
  EXPECT_THROW(LoadFigures(setup_), DataError);
  setup_.settings.linesFile = (folder_ / "missing.con").string();
  EXPECT_THROW(LoadFigures(setup_), DataError);
}

TEST(FigureReader, BadRecordsNameTheFileAndRecord) {
  const struct {
    const char* content;
    const char* message;
  } cases[] = {
      {"1000,4500,2000,-1250\n1000,4500,2000\n", "record 2"},       // cut short
      {"1000,4500,2000,-1250\n1000,9001,2000,0\n", "record 2"},     // beyond the pole
      {"24001,4500,2000,-1250\n", "record 1"},                      // beyond 24 h
  };
  for (const auto& c : cases) {
    SequentialInput input("bad.con", c.content);
    try {
      ReadFigureSegments(input);
      ADD_FAILURE() << "no error for " << c.content;
    } catch (const DataError& e) {
      EXPECT_NE(std::string(e.what()).find("bad.con"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

TEST(ConstellationReader, ReadsRecordsWithEmptyFirstFieldAndQuotedCommas) {
  SequentialInput input("Cons.txt",
                        ",5500,-50,\"Ori\",\"Orion\"\r\n"
                        "7,  12345 , 4321 ,\"A,b\",\"Name, with comma\"\r\n");
  const auto records = ReadConstellationRecords(input);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_DOUBLE_EQ(records[0].raHours, 5.5);
  EXPECT_DOUBLE_EQ(records[0].decDeg, -0.5);
  EXPECT_EQ(records[0].abbreviation, "Ori");
  EXPECT_EQ(records[0].name, "Orion");
  EXPECT_DOUBLE_EQ(records[1].raHours, 12.345);
  EXPECT_DOUBLE_EQ(records[1].decDeg, 43.21);
  EXPECT_EQ(records[1].abbreviation, "A,b");
  EXPECT_EQ(records[1].name, "Name, with comma");

  SequentialInput cut("Cons.txt", "1,5500,-50,\"Ori\"\n");
  EXPECT_THROW(ReadConstellationRecords(cut), DataError);
}

TEST_F(FiguresTest, NamesStartAtTheLabelPointAlongTheTangentAtTheirSize) {
  // At latitude 50, 6 h on the equator lies straight below the centre; the
  // second record is below the horizon circle and is not written.
  Write("Cons.txt", "0,6000,0,\"X\",\"Test\"\r\n,12000,-6000,\"X\",\"South\"\r\n");
  const DiscPoint label = ProjectToDisc(6, 0, 50);
  for (int setting = 0; setting <= 2; ++setting) {
    SCOPED_TRACE(::testing::Message() << "SMapIPMode " << setting);
    setup_.settings.nameSize = static_cast<std::uint8_t>(setting);
    const double size = 0.2 + 0.08 * setting;
    EXPECT_NEAR(NameSize(setting), size, 1e-12);
    const DisplayList list = LoadNames(setup_);
    const auto strips = ShapesOf(Replay(list), Primitive::LineStrip);
    ASSERT_EQ(strips.size(), 1u);
    ASSERT_EQ(strips[0].points.size(), 2u);
    const Point top = strips[0].points[0], base = strips[0].points[1];
    // The base of the stroke stands 10 units along the tangent (here +x,
    // counter-clockwise) from the label point; the top is 32 units towards
    // the centre (+y).
    EXPECT_NEAR(base.x, label.x + 10 * size / 200, 1e-6);
    EXPECT_NEAR(base.y, label.y, 1e-6);
    EXPECT_NEAR(top.x, base.x, 1e-6);
    EXPECT_NEAR(top.y, base.y + 32 * size / 200, 1e-6);
  }
}

TEST(ShippedData, FigureSetsLoadCompletely) {
  EXPECT_EQ(ReadFigureSegments(kData + "/default.con").size(), 743u);
  for (const char* name : {"chinese.con", "rey.con", "skytel.con", "hlad.con"}) {
    SCOPED_TRACE(name);
    EXPECT_GT(ReadFigureSegments(kData + "/" + name).size(), 500u);
  }
}

TEST(ShippedData, ConsTxtHoldsTheConstellationsInTheOrderTheLegendsUse) {
  const auto records = ReadConstellationRecords(kData + "/Cons.txt");
  ASSERT_EQ(records.size(), 89u);
  const std::pair<int, const char*> zodiac[] = {{6, "Ari"},  {78, "Tau"}, {37, "Gem"}, {11, "Cnc"},
                                                {45, "Leo"}, {86, "Vir"}, {48, "Lib"}, {72, "Sco"},
                                                {71, "Sgr"}, {15, "Cap"}, {3, "Aqr"},  {65, "Psc"}};
  for (const auto& [index, abbreviation] : zodiac)
    EXPECT_EQ(records[index].abbreviation, abbreviation) << "index " << index;
  for (std::size_t i = 1; i < records.size(); ++i)
    EXPECT_LT(records[i - 1].name, records[i].name) << "alphabetical at " << i;
}

// Splits a language-file list the way the export does.
std::vector<std::string> SplitAtCommas(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
    parts.push_back(text.substr(start, comma - start));
  parts.push_back(text.substr(start));
  return parts;
}

TEST(ShippedData, LanguageFilesNameEveryConstellationAndLegendSymbol) {
  for (const char* language : {"english.lng", "czech.lng"}) {
    SCOPED_TRACE(language);
    const std::string file = kData + "/" + language;
    const auto names = SplitAtCommas(readLangKey(file, "Names", "ConNames", "", 3000));
    const auto objects = SplitAtCommas(readLangKey(file, "Names", "Objects", "", 1000));
    EXPECT_EQ(names.size(), 89u);
    EXPECT_EQ(objects.size(), 10u);
    for (const auto& n : names) EXPECT_FALSE(n.empty());
  }
  // Windows-1250 bytes: "Beran" for Aries, "Býk" for Taurus.
  const auto czech = SplitAtCommas(readLangKey(kData + "/czech.lng", "Names", "ConNames", "", 3000));
  ASSERT_EQ(czech.size(), 89u);
  EXPECT_EQ(czech[6], "Beran");
  EXPECT_EQ(czech[78], "B\xFDk");
}

}  // namespace
}  // namespace caelora
