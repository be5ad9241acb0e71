// SPDX-License-Identifier: GPL-2.0-or-later
// The horizon window and the mask read back from their recordings: which
// direction names and hour numbers are written where at each latitude, the
// scheme colours, and the shape of the window.
#include "sky/mask.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "sky/chart_geometry.h"
#include "sky/geometry.h"
#include "tests/sky/replay.h"
#include "tests/test_support.h"

namespace caelora {
namespace {

using Op = GlCommand::Op;
using testing::Point;
using testing::Shape;

constexpr double kDegrees = 3.14159265358979 / 180;

// Every test character is one stroke whose point count names it, so that a
// recording can be read back as text: A..H (the direction names) and the
// digits.
const std::string kAlphabet = "ABCDEFGH0123456789";

GlyphTable countingGlyphs() {
  GlyphTable g;
  for (std::size_t q = 0; q < kAlphabet.size(); ++q) {
    std::string d = "-1,30";
    for (std::size_t k = 1; k < q + 2; ++k) d += "," + std::to_string(k + 1) + ",30";
    g[static_cast<unsigned char>(kAlphabet[q])] = d;
  }
  return g;
}

class MaskTest : public test::ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    std::ofstream lng(dir_ / "test.lng", std::ios::binary);
    lng << "[GUI_Strings]\r\n";
    for (int k = 0; k < 8; ++k) lng << 520 + k << "=" << kAlphabet[k] << "\r\n";
  }
  ChartSetup setup(int latitude, int scheme = 0) const {
    ChartSetup s;
    s.settings = defaultSettings(dir_.string());
    s.settings.latitude = static_cast<std::int16_t>(latitude);
    s.settings.colourScheme = static_cast<ScreenScheme>(scheme);
    s.settings.languageFile = (dir_ / "test.lng").string();
    s.programFolder = dir_.string();
    s.glyphs = countingGlyphs();
    return s;
  }

};

// One text of the recording: every drawArcText call starts by enabling line
// smoothing, and its strips follow in character order.
struct DrawnText {
  std::string text;
  Point first;  // the first vertex, on the disc
};

std::vector<DrawnText> textsOf(const DisplayList& list) {
  const std::vector<Shape> shapes = testing::Replay(list);
  std::vector<DrawnText> texts;
  std::size_t shape = 0;
  for (const GlCommand& c : list.commands()) {
    if (c.op == Op::Enable && c.capability == Capability::LineSmooth) texts.push_back({});
    if (c.op != Op::Begin) continue;
    const Shape& s = shapes[shape++];
    if (s.primitive != Primitive::LineStrip || texts.empty()) continue;
    if (texts.back().text.empty()) texts.back().first = s.points.front();
    texts.back().text += kAlphabet.at(s.points.size() - 2);
  }
  return texts;
}

bool isName(const DrawnText& t) { return t.text.size() == 1 && t.text[0] >= 'A' && t.text[0] <= 'H'; }

std::string namesOf(const std::vector<DrawnText>& texts) {
  std::string names;
  for (const DrawnText& t : texts)
    if (isName(t)) names += t.text;
  return names;
}

std::vector<DrawnText> numbersOf(const std::vector<DrawnText>& texts) {
  std::vector<DrawnText> numbers;
  for (const DrawnText& t : texts)
    if (!isName(t)) numbers.push_back(t);
  return numbers;
}

// Triangles of the mask whose base stands at the given radius (hour marks
// 0.8, half-hour marks 0.87).
std::vector<Shape> marksWithBase(const DisplayList& list, double baseRadius) {
  std::vector<Shape> marks;
  for (const Shape& s : testing::ShapesOf(testing::Replay(list), Primitive::Triangles)) {
    const Point mid{(s.points[1].x + s.points[2].x) / 2, (s.points[1].y + s.points[2].y) / 2};
    if (std::fabs(testing::Radius(mid) - baseRadius) < 1e-5) marks.push_back(s);
  }
  return marks;
}

double angleFromTop(const Point& p) { return std::atan2(-p.x, p.y) / kDegrees; }

std::string hoursText(int from, int to, int (*hour)(int)) {
  std::string all;
  for (int t = from; t <= to; ++t) all += std::to_string(hour(t)) + " ";
  return all;
}

std::string joined(const std::vector<DrawnText>& texts, std::size_t from, std::size_t count) {
  std::string all;
  for (std::size_t i = from; i < from + count && i < texts.size(); ++i) all += texts[i].text + " ";
  return all;
}

// Names left out near the pole, and the hour rows shrinking with them.
TEST_F(MaskTest, NamesAndHourRowsFollowTheLatitude) {
  struct Row {
    int latitude;
    std::string names;
    int marks;   // hour marks each side of the top
    int second;  // second-row numbers each side, 0: none
  };
  for (const Row& row : {Row{50, "ABCDEFGH", 8, 7}, Row{60, "ABCDEFGH", 8, 7},
                         Row{61, "ABCDEFGH", 7, 5}, Row{70, "ABCDEFGH", 7, 5},
                         Row{71, "ABDEFH", 6, 5}, Row{75, "ABDEFH", 6, 5}, Row{76, "ABDEFH", 6, 0},
                         Row{77, "ABDEFH", 5, 0}, Row{78, "ABDEF", 5, 0}, Row{79, "ADEF", 5, 0},
                         Row{80, "ADEF", 5, 0}, Row{-71, "EDBAHF", 6, 5},
                         Row{-78, "EDBAH", 5, 0}}) {
    SCOPED_TRACE(row.latitude);
    const DisplayList mask = BuildMask(setup(row.latitude));
    const auto texts = textsOf(mask);
    EXPECT_EQ(namesOf(texts), row.names);
    EXPECT_EQ(marksWithBase(mask, 0.8).size(), 2u * row.marks + 1);
    EXPECT_EQ(marksWithBase(mask, 0.87).size(), 16u);
    EXPECT_EQ(numbersOf(texts).size(), 2u * row.marks + 1 + (row.second ? 2u * row.second + 1 : 0u));
  }
}

TEST_F(MaskTest, NorthernHoursGrowCounterClockwiseWithASecondRowOneHourOn) {
  const auto numbers = numbersOf(textsOf(BuildMask(setup(50))));
  ASSERT_EQ(numbers.size(), 17u + 15u);
  EXPECT_EQ(joined(numbers, 0, 17),
            hoursText(-8, 8, [](int t) { return t < 0 ? t + 24 : t; }));  // 16 .. 23, 0 .. 8
  EXPECT_EQ(joined(numbers, 17, 15),
            hoursText(-7, 7, [](int t) { return t + 1 < 0 ? t + 25 : t + 1; }));
  for (int t = -8; t <= 8; ++t) {
    const Point p = numbers[t + 8].first;
    EXPECT_NEAR(angleFromTop(p), 15 * t, 4) << t;  // counter-clockwise from the top
    EXPECT_NEAR(testing::Radius(p), 0.8, 0.08) << t;
  }
  for (int t = -7; t <= 7; ++t) EXPECT_NEAR(testing::Radius(numbers[17 + t + 7].first), 0.75, 0.06);
}

TEST_F(MaskTest, SouthernHoursRunTheOtherWayAndTheNamesSwap) {
  const auto texts = textsOf(BuildMask(setup(-50)));
  const auto numbers = numbersOf(texts);
  ASSERT_EQ(numbers.size(), 17u + 15u);
  // Mark t shows 24 - t for t > 0, and -t below.
  EXPECT_EQ(joined(numbers, 0, 17), hoursText(-8, 8, [](int t) { return t > 0 ? 24 - t : -t; }));
  EXPECT_EQ(joined(numbers, 17, 15),
            hoursText(-7, 7, [](int t) { return 1 - t < 0 ? 25 - t : 1 - t; }));
  EXPECT_NEAR(angleFromTop(numbers[9].first), 15, 4);  // "23" left of the top
  // North and south, and the diagonals beside them, change places; west
  // and east (texts 522 and 526) stay.
  EXPECT_EQ(namesOf(texts), "EDCBAHGF");
}

// The azimuth (from north through east) and altitude, degrees, of a point
// of the unturned disc, from the projection turned back and the horizontal
// coordinates of the hour angle and declination (6 h on the meridian).
std::pair<double, double> horizontalOf(const Point& p, int latitude) {
  const double r = std::hypot(p.x, p.y), phi = latitude * kDegrees;
  const bool north = latitude > 0;
  const double dec = (north ? 90 - r * (180 - latitude) / kLimitRadius : r * (latitude + 180) / kLimitRadius - 90) * kDegrees;
  const double ra = std::atan2(-p.y, north ? p.x : -p.x);
  const double h = 6 * 15 * kDegrees - ra;
  const double fromSouth = std::atan2(std::sin(h), std::cos(h) * std::sin(phi) - std::tan(dec) * std::cos(phi));
  const double alt = std::asin(std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(h));
  return {std::fmod(fromSouth / kDegrees + 540, 360), alt / kDegrees};
}

TEST_F(MaskTest, TicksStandOutwardOnTheHorizonAtTheirAzimuths) {
  for (int latitude : {25, 35, 50, 65, 80, -25, -35, -60}) {
    SCOPED_TRACE(latitude);
    const DisplayList mask = BuildMask(setup(latitude));
    const auto shapes = testing::Replay(mask);
    const auto loops = testing::ShapesOf(shapes, Primitive::LineLoop);
    ASSERT_EQ(loops.size(), 1u);
    ASSERT_EQ(loops[0].points.size(), 121u);
    const auto outline = HorizonOutline(latitude);
    Point centre;
    for (int i = 0; i < 120; ++i) {
      EXPECT_FLOAT_EQ(loops[0].points[i].x, outline[2 * i]);
      centre.x += outline[2 * i] / 120;
      centre.y += outline[2 * i + 1] / 120;
    }
    const auto ticks = testing::ShapesOf(shapes, Primitive::Lines);
    ASSERT_EQ(ticks.size(), 1u);
    ASSERT_EQ(ticks[0].points.size(), 16u);
    // North, northwest, west ... on a northern chart; south, southwest ... on a southern one.
    const double first = latitude > 0 ? 0 : 180, turn = latitude > 0 ? -45 : 45;
    for (int k = 0; k < 8; ++k) {
      const Point a = ticks[0].points[2 * k], b = ticks[0].points[2 * k + 1];
      const auto [azimuth, altitude] = horizontalOf(a, latitude);
      EXPECT_NEAR(std::remainder(azimuth - (first + turn * k), 360), 0, 0.05) << k;
      EXPECT_NEAR(altitude, 0, 0.05) << k;
      EXPECT_NEAR(std::hypot(b.x - a.x, b.y - a.y), 0.03, 1e-5);
      EXPECT_GT(std::hypot(b.x - centre.x, b.y - centre.y), std::hypot(a.x - centre.x, a.y - centre.y))
          << k;
    }
  }
}

// The real lettering, read back from the strokes of the recording: no
// compass name comes near another name or an hour number, or runs over an
// hour mark, at any latitude, in any shipped language.
TEST(MaskLettering, CompassNamesTouchNoOtherText) {
  const std::string data = CAELORA_SOURCE_DATA_DIR;
  for (const std::string& language : test::languageFiles()) {
    ChartSetup s;
    s.settings = defaultSettings(data);
    s.settings.languageFile = data + "/" + language;
    s.glyphs = loadFont(data, s.settings.languageFile);
    for (int latitude = -80; latitude <= 80; ++latitude) {
      if (std::abs(latitude) < 25) continue;
      s.settings.latitude = static_cast<std::int16_t>(latitude);
      const DisplayList mask = BuildMask(s);
      const std::vector<Shape> shapes = testing::Replay(mask);
      std::vector<std::vector<TextBox>> texts;  // the strokes of each text, and the marks
      std::vector<TextBox> marks;
      std::size_t shape = 0;
      for (const GlCommand& c : mask.commands()) {
        if (c.op == Op::Enable && c.capability == Capability::LineSmooth) texts.emplace_back();
        if (c.op != Op::Begin) continue;
        const Shape& drawn = shapes[shape++];
        if (drawn.primitive != Primitive::Triangles && (drawn.primitive != Primitive::LineStrip || texts.empty())) continue;
        std::vector<TextBox>& into = drawn.primitive == Primitive::Triangles ? marks : texts.back();
        for (std::size_t i = 0; i + 1 < drawn.points.size(); ++i) {
          const DiscPoint a{drawn.points[i].x, drawn.points[i].y, true}, b{drawn.points[i + 1].x, drawn.points[i + 1].y, true};
          into.push_back({a, b, b, a});
        }
      }
      const std::size_t names = compassNamesFor(latitude).size();  // drawn before the hour scale
      for (std::size_t i = 0; i < names; ++i) {
        std::vector<TextBox> others;
        for (std::size_t j = 0; j < texts.size(); ++j)
          if (j != i) others.insert(others.end(), texts[j].begin(), texts[j].end());
        EXPECT_FALSE(boxesTouch(texts[i], others, 0.004)) << language << " " << latitude << " name " << i;
        EXPECT_FALSE(boxesTouch(texts[i], marks, 0)) << language << " " << latitude << " name " << i;
      }
    }
  }
}

std::vector<float> colourBefore(const DisplayList& list, Primitive p) {
  std::vector<float> colour;
  for (const GlCommand& c : list.commands()) {
    if (c.op == Op::Color) colour = {c.a, c.b, c.c};
    if (c.op == Op::Begin && c.primitive == p) return colour;
  }
  return {};
}

TEST_F(MaskTest, SchemesColourGradientLineMarksAndText) {
  struct Scheme {
    std::vector<float> bottom, top, line, mark, text;
  };
  const std::vector<Scheme> schemes = {
      {{0, 0, 0.1f}, {0, 0, 0.9f}, {0.5f, 0.5f, 0.5f}, {0, 0, 0}, {1, 1, 1}},
      {{0.4f, 0.4f, 0.4f}, {0.8f, 0.8f, 0.8f}, {0.5f, 0.5f, 0.5f}, {0, 0, 0}, {1, 1, 1}},
      {{0.4f, 0.4f, 0.4f}, {0.8f, 0.8f, 0.8f}, {0.5f, 0.5f, 0.5f}, {1, 1, 1}, {0, 0, 0}},
      {{0.1f, 0, 0}, {0.6f, 0, 0}, {0.6f, 0, 0}, {0, 0, 0}, {1, 0, 0}},
  };
  for (int scheme = 0; scheme < 4; ++scheme) {
    SCOPED_TRACE(scheme);
    const DisplayList mask = BuildMask(setup(50, scheme));
    const auto& cmds = mask.commands();
    // The background first: bottom colour at y = -1, top colour at y = 1.
    ASSERT_GE(cmds.size(), 8u);
    EXPECT_EQ(cmds[0], (GlCommand{Op::Begin, Primitive::Quads}));
    EXPECT_EQ(std::vector<float>({cmds[1].a, cmds[1].b, cmds[1].c}), schemes[scheme].bottom);
    EXPECT_EQ(cmds[2].b, -1);
    EXPECT_EQ(cmds[3].b, -1);
    EXPECT_EQ(std::vector<float>({cmds[4].a, cmds[4].b, cmds[4].c}), schemes[scheme].top);
    EXPECT_EQ(cmds[5].b, 1);
    EXPECT_EQ(cmds[6].b, 1);
    EXPECT_EQ(colourBefore(mask, Primitive::LineLoop), schemes[scheme].line);
    EXPECT_EQ(colourBefore(mask, Primitive::Triangles), schemes[scheme].mark);
    // Every stroke of text carries the scheme's text colour.
    bool inStrip = false;
    int strips = 0;
    for (const GlCommand& c : cmds) {
      if (c.op == Op::Begin) inStrip = c.primitive == Primitive::LineStrip;
      if (c.op == Op::End) inStrip = false;
      if (inStrip && c.op == Op::Color) {
        EXPECT_EQ(std::vector<float>({c.a, c.b, c.c}), schemes[scheme].text);
        ++strips;
      }
    }
    EXPECT_GT(strips, 40);
  }
}

TEST_F(MaskTest, ListEndsWithThinLinesAndNoSmoothing) {
  const DisplayList mask = BuildMask(setup(50));
  const auto& cmds = mask.commands();
  EXPECT_EQ(cmds.back(), (GlCommand{Op::LineWidth, {}, {}, 1}));
  EXPECT_EQ(cmds[cmds.size() - 2].op, Op::Disable);
  EXPECT_EQ(cmds[cmds.size() - 2].capability, Capability::PolygonSmooth);
  EXPECT_EQ(testing::CommandsOf(mask, Op::PushMatrix).size(),
            testing::CommandsOf(mask, Op::PopMatrix).size());
}

TEST_F(MaskTest, HalfHourMarksLieBetweenTheHours) {
  const auto marks = marksWithBase(BuildMask(setup(50)), 0.87);
  ASSERT_EQ(marks.size(), 16u);
  for (std::size_t i = 0; i < marks.size(); ++i) {
    EXPECT_NEAR(testing::Radius(marks[i].points[0]), 0.9, 1e-6);
    EXPECT_NEAR(angleFromTop(marks[i].points[0]), 112.5 - 15.0 * i, 1e-4);
  }
}

TEST_F(MaskTest, WindowShapeIsTheRimStripAndTheClosedHorizon) {
  for (int latitude = 25; latitude <= 80; ++latitude) {
    for (int sign : {1, -1}) {
      SCOPED_TRACE(sign * latitude);
      const auto shapes = testing::Replay(BuildWindowShape(setup(sign * latitude)));
      ASSERT_EQ(shapes.size(), 2u);
      // The rim strip from -30 to 210 degrees, alternately on the rim and at 0.9.
      ASSERT_EQ(shapes[0].primitive, Primitive::TriangleStrip);
      ASSERT_EQ(shapes[0].points.size(), 98u);
      for (std::size_t k = 0; k < 98; ++k) {
        EXPECT_NEAR(testing::Radius(shapes[0].points[k]), k % 2 ? 0.9 : 1.0, 1e-6);
        const double deg = std::atan2(shapes[0].points[k].y, shapes[0].points[k].x) / kDegrees;
        const double expected = -30.0 + 5.0 * static_cast<double>(k / 2);
        EXPECT_NEAR(std::remainder(deg - expected, 360), 0, 1e-4);
      }
      // The window: 80 vertices inside the limit circle, touching it, every
      // other one on the horizon line of the mask, convex and closed.
      ASSERT_EQ(shapes[1].primitive, Primitive::Polygon);
      const auto& w = shapes[1].points;
      ASSERT_EQ(w.size(), 80u);
      const auto outline = HorizonOutline(sign * latitude);
      double widest = 0, longestEdge = 0;
      int left = 0, right = 0;
      for (std::size_t k = 0; k < w.size(); ++k) {
        widest = std::max(widest, testing::Radius(w[k]));
        const Point& n = w[(k + 1) % w.size()];
        if (k + 1 < w.size()) longestEdge = std::max(longestEdge, std::hypot(n.x - w[k].x, n.y - w[k].y));
        if (k % 2 == 0) {
          EXPECT_NEAR(w[k].x, outline[3 * k], 1e-5) << k;
          EXPECT_NEAR(w[k].y, outline[3 * k + 1], 1e-5) << k;
        }
        const Point& p = w[(k + w.size() - 1) % w.size()];
        const double cross = (w[k].x - p.x) * (n.y - w[k].y) - (w[k].y - p.y) * (n.x - w[k].x);
        left += cross > 1e-12;
        right += cross < -1e-12;
      }
      EXPECT_TRUE(left == 0 || right == 0) << left << " left and " << right << " right turns";
      EXPECT_NEAR(widest, kLimitRadius, 1e-4);
      // Closing from h = 23.7 back to 0 is one step like the others, no gap.
      const double closing = std::hypot(w.front().x - w.back().x, w.front().y - w.back().y);
      EXPECT_LE(closing, longestEdge * 1.001);
      EXPECT_GT(closing, 0);
    }
  }
}

TEST(HourMarks, TrianglesPointUpInTheSchemeColour) {
  DisplayList hour, half;
  DrawHourMark(hour, ScreenScheme::BlackOnWhite);
  DrawHalfHourMark(half, ScreenScheme::Colour);
  const auto h = testing::Replay(hour), f = testing::Replay(half);
  ASSERT_EQ(h.size(), 1u);
  EXPECT_EQ(h[0].primitive, Primitive::Triangles);
  EXPECT_NEAR(h[0].points[0].y, 0.9, 1e-7);
  EXPECT_NEAR(h[0].points[1].x, 0.05, 1e-7);
  EXPECT_NEAR(h[0].points[2].y, 0.8, 1e-7);
  EXPECT_EQ(hour.commands().front(), (GlCommand{Op::Color, {}, {}, 1, 1, 1}));
  EXPECT_NEAR(f[0].points[2].x, -0.02, 1e-7);
  EXPECT_NEAR(f[0].points[2].y, 0.87, 1e-7);
  EXPECT_EQ(half.commands().front(), (GlCommand{Op::Color, {}, {}, 0, 0, 0}));
}

}  // namespace
}  // namespace caelora
