// SPDX-License-Identifier: GPL-2.0-or-later
// The star layer read back from its recording: sizes, scheme colours, the
// on/off-disc rule, and the errors of a damaged catalogue.
#include "sky/stars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "sky/geometry.h"
#include "tests/test_support.h"

namespace caelora {
namespace {

namespace fs = std::filesystem;
using Op = GlCommand::Op;

// A program folder of its own holding one yale.dat.
class StarsTest : public test::ScratchFolderTest {
 protected:
  ChartSetup setupWith(const std::string& catalogue, int scheme = 0, int latitude = 50) {
    std::ofstream(dir_ / "yale.dat", std::ios::binary) << catalogue;
    ChartSetup setup;
    setup.settings = defaultSettings(dir_.string());
    setup.settings.colourScheme = static_cast<ScreenScheme>(scheme);
    setup.settings.latitude = static_cast<std::int16_t>(latitude);
    setup.programFolder = dir_.string();
    return setup;
  }
  std::string catalogueName() const { return (dir_ / "yale.dat").string(); }
};

// What the recording says about each star, in order.
struct DrawnStar {
  float size = -1;
  std::vector<float> colour;  // empty: no colour command for this star
  bool point = false;
  float x = 0, y = 0;
};

std::vector<DrawnStar> starsOf(const DisplayList& list) {
  std::vector<DrawnStar> stars;
  for (const GlCommand& c : list.commands()) {
    if (c.op == Op::PointSize) {
      stars.push_back({c.a, {}, false});
    } else if (c.op == Op::Color && !stars.empty()) {
      stars.back().colour = {c.a, c.b, c.c};
    } else if (c.op == Op::Vertex) {
      stars.back().point = true;
      stars.back().x = c.a;
      stars.back().y = c.b;
    }
  }
  return stars;
}

void expectColour(const DrawnStar& s, float r, float g, float b) {
  ASSERT_EQ(s.colour.size(), 3u);
  EXPECT_FLOAT_EQ(s.colour[0], r);
  EXPECT_FLOAT_EQ(s.colour[1], g);
  EXPECT_FLOAT_EQ(s.colour[2], b);
}

TEST_F(StarsTest, SchemeZeroColoursFollowTheColourIndex) {
  const auto stars = starsOf(LoadStars(setupWith(
      "0,9000,100,-30\n0,9000,100,0\n0,9000,100,65\n0,9000,100,160\n"
      "0,9000,100,289\n0,9000,100,290\n")));
  ASSERT_EQ(stars.size(), 6u);
  expectColour(stars[0], 0.7f, 0.7f, 0.95f);
  expectColour(stars[1], 1, 1, 0.98f);
  expectColour(stars[2], 1, 0.9025f, 0.8175f);
  expectColour(stars[3], 1, 0.76f, 0.58f);
  expectColour(stars[4], 1, 0.5665f, 0.2575f);
  expectColour(stars[5], 1, 1, 1);
}

TEST_F(StarsTest, OtherSchemesSetOneColourBeforeTheFirstStar) {
  const std::string catalogue = "0,9000,100,-30\n6000,4000,300,120\n";
  const float colours[4][3] = {{0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {1, 0, 0}};
  for (int scheme = 1; scheme <= 3; ++scheme) {
    SCOPED_TRACE(scheme);
    const DisplayList list = LoadStars(setupWith(catalogue, scheme));
    const GlCommand& first = list.commands().front();
    ASSERT_EQ(first.op, Op::Color);
    EXPECT_EQ(first.a, colours[scheme][0]);
    EXPECT_EQ(first.b, colours[scheme][1]);
    EXPECT_EQ(first.c, colours[scheme][2]);
    for (const DrawnStar& s : starsOf(list)) EXPECT_TRUE(s.colour.empty());
  }
}

TEST_F(StarsTest, PointSizeFollowsTheMagnitude) {
  const auto stars = starsOf(LoadStars(
      setupWith("0,9000,600,0\n0,9000,400,0\n0,9000,100,0\n0,9000,0,0\n0,9000,-146,0\n"
                "0,9000,610,0\n")));
  ASSERT_EQ(stars.size(), 6u);
  EXPECT_NEAR(stars[0].size, 0.41, 0.005);
  EXPECT_NEAR(stars[1].size, 1.88, 0.005);
  EXPECT_NEAR(stars[2].size, 2.94, 0.005);
  EXPECT_NEAR(stars[3].size, 3.21, 0.005);
  EXPECT_NEAR(stars[4].size, 3.57, 0.005);
  EXPECT_EQ(stars[5].size, 0.0f);  // exactly 6.1
  EXPECT_EQ(stars[2].size, static_cast<float>(std::sqrt(6.1 - 1.0) * 1.3));
}

TEST_F(StarsTest, OnlyStarsOnTheDiscGetAPointButAllGetSizeAndColour) {
  // At 50 north the sky ends at declination -40; at 35 south it ends at +55.
  const std::string catalogue = "3000,-4000,200,-30\n3000,-4001,200,100\n21000,5500,300,0\n";
  const DisplayList north = LoadStars(setupWith(catalogue, 0, 50));
  const auto n = starsOf(north);
  ASSERT_EQ(n.size(), 3u);
  EXPECT_TRUE(n[0].point);
  EXPECT_NEAR(std::hypot(n[0].x, n[0].y), 0.89, 1e-6);
  EXPECT_FALSE(n[1].point);
  expectColour(n[1], 1, 0.85f, 0.73f);
  EXPECT_NEAR(n[1].size, std::sqrt(4.1) * 1.3, 1e-6);
  EXPECT_TRUE(n[2].point);

  const auto s = starsOf(LoadStars(setupWith(catalogue, 0, -35)));
  EXPECT_TRUE(s[0].point && s[1].point);
  EXPECT_TRUE(s[2].point);
  EXPECT_NEAR(std::hypot(s[2].x, s[2].y), 0.89, 1e-6);

  // Each drawn star is a primitive of its own, its vertex in single precision.
  int begins = 0;
  for (const GlCommand& c : north.commands())
    if (c.op == Op::Begin) {
      EXPECT_EQ(c.primitive, Primitive::Points);
      ++begins;
    }
  EXPECT_EQ(begins, 2);
  const DiscPoint exact = ProjectToDisc(3, -40, 50);
  EXPECT_EQ(n[0].x, static_cast<float>(exact.x));
  EXPECT_EQ(n[0].y, static_cast<float>(exact.y));
}

void expectLoadError(const ChartSetup& setup, const std::string& file, const std::string& what);

TEST_F(StarsTest, EmptyOrBlankCatalogueIsNamed) {
  // A catalogue without a star is damaged: the chart says so rather than
  // showing an empty sky.
  expectLoadError(setupWith(""), "yale.dat", "holds no stars");
  expectLoadError(setupWith(" \r\n\r\n"), "yale.dat", "holds no stars");
}

void expectLoadError(const ChartSetup& setup, const std::string& file, const std::string& what) {
  try {
    LoadStars(setup);
    ADD_FAILURE() << "no error for " << what;
  } catch (const DataError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find(file), std::string::npos) << message;
    EXPECT_NE(message.find(what), std::string::npos) << message;
  }
}

TEST_F(StarsTest, DamagedRecordsNameFileAndRecord) {
  const std::string good = "6752,-1672,-144,1\n";
  expectLoadError(setupWith(good + good + "6399,-5270,x,16\n"), catalogueName(), "record 3");
  expectLoadError(setupWith(good + "6399,-5270,-62\n"), catalogueName(), "record 2");
  expectLoadError(setupWith(good + good + good + "1,2,651,0\n"), catalogueName(), "record 4");
  expectLoadError(setupWith("1,2,651,0\n"), catalogueName(), "fainter than the catalogue");
  expectLoadError(setupWith("1,9001,500,0\n"), catalogueName(), "beyond the pole");
  fs::remove(dir_ / "yale.dat");
  ChartSetup missing;
  missing.programFolder = dir_.string();
  expectLoadError(missing, catalogueName(), "does not exist");
}

TEST(StarCatalogue, ShippedCatalogueLoadsWhole) {
  const std::string path = std::string(CAELORA_SOURCE_DATA_DIR) + "/yale.dat";
  const std::vector<StarRecord> stars = readStarCatalogue(path);
  ASSERT_GT(stars.size(), 5500u);
  EXPECT_NEAR(stars.front().mag, -1.44, 1e-9);  // Sirius first
  EXPECT_NEAR(stars.front().ra, 6.752, 1e-9);
  EXPECT_NEAR(stars.front().dec, -16.72, 1e-9);
  for (std::size_t i = 1; i < stars.size(); ++i) {
    ASSERT_LE(stars[i - 1].mag, stars[i].mag) << "star " << i + 1;
    ASSERT_GE(stars[i].ra, 0);
    ASSERT_LT(stars[i].ra, 24);
  }
  ASSERT_NEAR(stars.back().mag, kCatalogueLimit, 1e-9);
}

// The stars drawn down to a limit, against the catalogue's lines counted
// here: magnitude (third field) at most the limit, and at 50 north the
// whole sky north of -40 on the disc.
TEST(StarCatalogue, StarsDrawnDownToTheChosenLimit) {
  std::ifstream in(std::string(CAELORA_SOURCE_DATA_DIR) + "/yale.dat");
  std::vector<std::pair<int, int>> magDec;  // hundredths
  for (std::string line; std::getline(in, line);) {
    int ra = 0, dec = 0, mag = 0;
    if (std::sscanf(line.c_str(), "%d,%d,%d", &ra, &dec, &mag) == 3) magDec.emplace_back(mag, dec);
  }
  ChartSetup setup;
  setup.programFolder = CAELORA_SOURCE_DATA_DIR;
  for (const double limit : {3.0, 4.0, 5.0, 6.0, 6.1, 6.5}) {
    setup.settings.starLimit = limit;
    const auto drawn = starsOf(LoadStars(setup));
    std::size_t listed = 0, northOfMinus40 = 0, points = 0;
    for (const auto& [mag, dec] : magDec) {
      listed += mag / 100.0 <= limit;
      northOfMinus40 += mag / 100.0 <= limit && dec >= -4000;
    }
    for (const DrawnStar& star : drawn) points += star.point;
    EXPECT_EQ(drawn.size(), listed) << limit;
    EXPECT_EQ(points, northOfMinus40) << limit;
  }
}

}  // namespace
}  // namespace caelora
