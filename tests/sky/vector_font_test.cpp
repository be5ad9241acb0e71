// SPDX-License-Identifier: GPL-2.0-or-later
// The vector font: reading iso.fnt and the language overrides, and where arc
// and straight text put their glyphs, read back from the recording.
#include "sky/vector_font.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "i18n/language.h"
#include "sky/data_error.h"
#include "tests/sky/replay.h"
#include "tests/test_support.h"

namespace caelora {
namespace {

using Op = GlCommand::Op;
using testing::Affine;
using testing::Point;

constexpr double kDegrees = 3.14159265358979 / 180;

class FontFolder : public test::ScratchFolderTest {
 protected:
  void write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
};

TEST_F(FontFolder, ReadsCodesDefinitionsAndOverrides) {
  write("iso.fnt",
        "65=-1,4,2,25\r\n"       // CR LF line ends
        "66=-3,4\n66=-5,6,7,8\n"  // the last line of a code wins
        "67\n"                   // no "=": the whole line
        "300=-1,1,2,2\n"         // no such character: skipped
        "-2=-1,1,2,2\n"
        "68=-1,2=3\n");          // everything after the first "="
  write("over.lng",
        "[GUI_Strings]\n520=North\n"
        "[OGL_font]\nDifferences=70, abc,300,,69\n"
        "70=-9,9,9,9\n69=x=-4,4,5,5\n");
  const GlyphTable glyphs = loadFont(dir_.string(), path("over.lng"));
  EXPECT_EQ(glyphs[65], "-1,4,2,25");
  EXPECT_EQ(glyphs[66], "-5,6,7,8");
  EXPECT_EQ(glyphs[67], "67");
  EXPECT_EQ(glyphs[68], "-1,2=3");
  EXPECT_EQ(glyphs[69], "-4,4,5,5");
  EXPECT_EQ(glyphs[70], "-9,9,9,9");
  EXPECT_EQ(glyphs[254], "");
}

TEST_F(FontFolder, MissingFontFileNamesTheFile) {
  try {
    loadFont(dir_.string(), path("none.lng"));
    FAIL() << "no error";
  } catch (const DataError& e) {
    EXPECT_NE(std::string(e.what()).find(path("iso.fnt")), std::string::npos) << e.what();
  }
}

TEST_F(FontFolder, ReloadWithoutOverridesUndoesThePreviousLanguage) {
  write("iso.fnt", "65=-1,4,2,25\n");
  write("a.lng", "[OGL_font]\nDifferences=65,225\n65=-7,7,8,8\n225=-1,1,2,2\n");
  write("b.lng", "[GUI_Strings]\n101=Caelora\n");
  EXPECT_EQ(loadFont(dir_.string(), path("a.lng"))[65], "-7,7,8,8");
  const GlyphTable after = loadFont(dir_.string(), path("b.lng"));
  EXPECT_EQ(after[65], "-1,4,2,25");
  EXPECT_EQ(after[225], "");
}

TEST(VectorFontData, CzechOverridesComeAndGoWithTheLanguage) {
  const std::string data = CAELORA_SOURCE_DATA_DIR;
  const GlyphTable czech = loadFont(data, data + "/czech.lng");
  const GlyphTable english = loadFont(data, data + "/english.lng");
  for (unsigned char c : {0x9A, 0x9E, 0xC8, 0xE8, 0xEC, 0xF8, 0xF9, 0xD8, 0xEF, 0x9D}) {
    EXPECT_FALSE(czech[c].empty()) << int(c);
    EXPECT_TRUE(english[c].empty()) << int(c);
  }
  // é is a Western letter: both languages carry it, the same way.
  EXPECT_FALSE(english[0xE9].empty());
  EXPECT_EQ(english[0xE9], czech[0xE9]);
  for (int c = 33; c <= 126; ++c) EXPECT_EQ(czech[c], english[c]) << c;
}

// The angle a text takes along its circle: each glyph's width (its
// rightmost point and the spacing; a space is 8 units) seen from the centre,
// added up; a text on the inner side (negative size) takes the same.
TEST(ArcTextDeg, AddsTheAngleOfEachGlyph) {
  GlyphTable g;
  g['A'] = "-1,0,9,32";  // 9 units wide, 10.3 with the spacing
  g['B'] = "";           // draws nothing: the spacing alone
  const auto turn = [](double units, double size, double radius) {
    return 2 * std::atan(units * size / 200 / (2 * radius)) / kDegrees;
  };
  struct Case {
    std::string text;
    double radius, size, expected;
  };
  const Case cases[] = {{"A", 1, 200, turn(10.3, 200, 1)},
                        {"AA", 0.9, 0.6, 2 * turn(10.3, 0.6, 0.9)},
                        {"A A", 0.9, -0.6, 2 * turn(10.3, 0.6, 0.9) + turn(8, 0.6, 0.9)},
                        {"AB", 0.5, 0.4, turn(10.3, 0.4, 0.5) + turn(1.3, 0.4, 0.5)},
                        {"", 0.9, 0.6, 0}};
  for (const Case& c : cases) EXPECT_NEAR(arcTextDeg(g, c.radius, c.text, c.size), c.expected, 1e-12) << c.text;
}

// Every glyph that the shipped files define parses, stays in its box and is
// drawn as at least one strip.
TEST(VectorFontData, EveryShippedGlyphDrawsInsideItsBox) {
  const std::string data = CAELORA_SOURCE_DATA_DIR;
  for (const std::string& language : test::languageFiles()) {
    const GlyphTable glyphs = loadFont(data, data + "/" + language);
    std::size_t drawn = 0;
    for (int c = 33; c < 256; ++c) {
      if (glyphs[c].empty()) continue;
      DisplayList list;
      drawLineText(list, glyphs, ScreenScheme::WhiteOnBlack, 0, -90, std::string(1, static_cast<char>(c)), 200);
      const auto strips = testing::CommandsOf(list, Op::Begin);
      ASSERT_FALSE(strips.empty()) << language << " code " << c << ": " << glyphs[c];
      for (const GlCommand& v : testing::CommandsOf(list, Op::Vertex)) {
        EXPECT_GE(v.a, 1) << language << " code " << c;  // no stroke at x = 0
        EXPECT_GE(v.b, 0) << language << " code " << c;
        EXPECT_LE(v.b, 32) << language << " code " << c;
      }
      ++drawn;
    }
    // Printable ASCII but the space, and the language's overrides.
    const std::string overrides = readLangKey(data + "/" + language, "OGL_font", "Differences", "", 2000);
    EXPECT_EQ(drawn, 94 + splitList(overrides).size()) << language;
    EXPECT_GE(splitList(overrides).size(), 30u) << language;
  }
}

// Where each glyph of a text starts: the transform in force at the first
// strip after each push, i.e. one entry per drawn character.
struct GlyphFrame {
  Point origin;
  Point up;  // the glyph's upward direction, unit length
};

std::vector<GlyphFrame> glyphFrames(const DisplayList& list) {
  std::vector<GlyphFrame> frames;
  std::vector<Affine> stack(1);
  bool fresh = false;
  for (const GlCommand& c : list.commands()) {
    switch (c.op) {
      case Op::PushMatrix:
        stack.push_back(stack.back());
        fresh = true;
        break;
      case Op::PopMatrix: stack.pop_back(); break;
      case Op::Rotate: {
        const double r = c.a * kDegrees;
        stack.back() = stack.back().then({std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0});
        break;
      }
      case Op::Translate: stack.back() = stack.back().then({1, 0, 0, 1, c.a, c.b}); break;
      case Op::Begin:
        if (fresh) {
          const Affine& m = stack.back();
          frames.push_back({m.apply(0, 0), {m.c, m.d}});
          fresh = false;
        }
        break;
      default: break;
    }
  }
  return frames;
}

// Test glyphs: a letter is one stroke from x = 1 to 9 on the baseline.
GlyphTable bars() {
  GlyphTable g;
  g['A'] = "-1,32,9,32";
  g['B'] = "-1,32,9,32";
  return g;
}

double angleFromTop(const Point& p) { return std::atan2(-p.x, p.y) / kDegrees; }  // CCW

TEST(ArcText, SpaceSeparatesTheCellsAndTheTextCentresOnItsDirection) {
  const double radius = 0.8, size = 0.5, unit = size / 200;
  DisplayList list;
  drawArcText(list, bars(), ScreenScheme::Colour, 30, radius, "A B", size);
  const auto frames = glyphFrames(list);
  ASSERT_EQ(frames.size(), 2u);  // the space draws nothing
  const double cellA = (9 + 1.3) * unit, space = 8 * unit;
  const auto arc = [&](double w) { return 2 * std::atan(w / (2 * radius)) / kDegrees; };
  const double a = angleFromTop(frames[0].origin), b = angleFromTop(frames[1].origin);
  EXPECT_NEAR(a - b, arc(cellA) + arc(space), 1e-4);  // reading clockwise over the top
  EXPECT_NEAR(testing::Radius(frames[0].origin), radius, 1e-6);
  // The arc from A's start to B's end has its middle on 30 degrees.
  EXPECT_NEAR((a + b - arc(cellA)) / 2, 30, 1e-3);
  // Upright: the glyphs' up points away from the centre.
  EXPECT_GT(frames[0].up.x * frames[0].origin.x + frames[0].up.y * frames[0].origin.y, 0.99 * radius);
}

TEST(ArcText, NegativeSizeWritesOnTheInnerLowerSideLeftToRight) {
  DisplayList up, down;
  drawArcText(up, bars(), ScreenScheme::Colour, 0, 0.8, "AB", 0.5);
  drawArcText(down, bars(), ScreenScheme::Colour, 0, 0.8, "AB", -0.5);
  const auto top = glyphFrames(up), bottom = glyphFrames(down);
  ASSERT_EQ(bottom.size(), 2u);
  EXPECT_GT(top[0].origin.y, 0.79);
  EXPECT_LT(bottom[0].origin.y, -0.79);
  EXPECT_LT(bottom[0].origin.x, bottom[1].origin.x);  // A left of B
  EXPECT_LT(top[0].origin.x, top[1].origin.x);
  // Upright on the lower side: up points to the centre.
  EXPECT_GT(bottom[0].up.y, 0.99);
  // The same size on both sides.
  const auto stroke = [](const DisplayList& l) {
    const auto s = testing::ShapesOf(testing::Replay(l), Primitive::LineStrip);
    return std::hypot(s[0].points[1].x - s[0].points[0].x, s[0].points[1].y - s[0].points[0].y);
  };
  EXPECT_NEAR(stroke(up), stroke(down), 1e-6);
}

TEST(ArcText, OffsetMovesTheWholeTextAndTheStackStaysBalanced) {
  DisplayList plain, moved;
  drawArcText(plain, bars(), ScreenScheme::Colour, 45, 0.5, "AB", 0.4);
  drawArcText(moved, bars(), ScreenScheme::Colour, 45, 0.5, "AB", 0.4, ArcOffset{0.2, -0.3});
  const auto p = testing::Replay(plain), m = testing::Replay(moved);
  ASSERT_EQ(p.size(), m.size());
  for (std::size_t i = 0; i < p.size(); ++i)
    for (std::size_t k = 0; k < p[i].points.size(); ++k) {
      EXPECT_NEAR(m[i].points[k].x - p[i].points[k].x, -0.3, 1e-6);
      EXPECT_NEAR(m[i].points[k].y - p[i].points[k].y, 0.2, 1e-6);
    }
  EXPECT_EQ(testing::CommandsOf(moved, Op::PushMatrix).size(),
            testing::CommandsOf(moved, Op::PopMatrix).size());
  EXPECT_EQ(moved.commands().front().op, Op::Enable);
  EXPECT_EQ(moved.commands().front().capability, Capability::LineSmooth);
}

TEST(GlyphStrokes, NegativeXStartsAStrokeDrawnInUpwardUnits) {
  GlyphTable g;
  g['I'] = "-3,4,3,28";
  DisplayList list;
  drawLineText(list, g, ScreenScheme::Colour, 0, -90, "I", 200);  // unit scale
  const auto& cmds = list.commands();
  std::vector<GlCommand> strip(cmds.begin() + 3, cmds.end() - 1);  // after push, rotate, translate
  ASSERT_EQ(strip.size(), 5u);
  EXPECT_EQ(strip[0], (GlCommand{Op::Begin, Primitive::LineStrip}));
  EXPECT_EQ(strip[1].op, Op::Color);
  EXPECT_EQ(strip[2], (GlCommand{Op::Vertex, {}, {}, 3, 28}));
  EXPECT_EQ(strip[3], (GlCommand{Op::Vertex, {}, {}, 3, 4}));
  EXPECT_EQ(strip[4].op, Op::End);
}

std::vector<std::vector<float>> coloursOf(const DisplayList& list) {
  std::vector<std::vector<float>> out;
  for (const GlCommand& c : testing::CommandsOf(list, Op::Color)) out.push_back({c.a, c.b, c.c});
  return out;
}

TEST(GlyphStrokes, EveryStrokeTakesTheSchemeColour) {
  GlyphTable g;
  g['X'] = "-1,4,9,25,-9,4,1,25";
  const std::vector<std::vector<float>> arc = {{1, 1, 1}, {1, 1, 1}, {0, 0, 0}, {1, 0, 0}};
  const std::vector<std::vector<float>> line = {
      {0.9f, 0.6f, 0.3f}, {0.7f, 0.7f, 0.7f}, {0.3f, 0.3f, 0.3f}, {0.9f, 0.2f, 0.2f}};
  for (int scheme = 0; scheme < 4; ++scheme) {
    DisplayList a, l;
    drawArcText(a, g, static_cast<ScreenScheme>(scheme), 0, 1, "X", 1);
    drawLineText(l, g, static_cast<ScreenScheme>(scheme), 0.5, 0, "X", 1);
    EXPECT_EQ(coloursOf(a), std::vector<std::vector<float>>(2, arc[scheme])) << scheme;
    EXPECT_EQ(coloursOf(l), std::vector<std::vector<float>>(2, line[scheme])) << scheme;
  }
  DisplayList own;
  drawLineText(own, g, ScreenScheme::BlackOnWhite, 0.5, 0, "X", 1, std::nullopt, Rgb{0.1f, 0.2f, 0.3f});
  EXPECT_EQ(coloursOf(own), std::vector<std::vector<float>>(2, {0.1f, 0.2f, 0.3f}));
}

TEST(GlyphStrokes, LineTextRunsAlongTheTangentFromItsPolarStart) {
  GlyphTable g = bars();
  DisplayList list;
  drawLineText(list, g, ScreenScheme::Colour, 0.5, 90, " AB", 200, 0.1);  // one unit per font unit
  const auto frames = glyphFrames(list);
  // Only one push for the whole text: the letters follow the pen.
  const auto shapes = testing::ShapesOf(testing::Replay(list), Primitive::LineStrip);
  ASSERT_EQ(shapes.size(), 2u);
  // Start at distance 0.5 straight up (angle 90), moved up by 0.1; the text
  // runs counter-clockwise (to the left) with its glyph tops towards the
  // centre. The leading space advances 8 + 0.01, A is 9 wide.
  const double first = 8 + 0.01;
  EXPECT_NEAR(shapes[0].points[0].x, -(first + 1), 1e-4);
  EXPECT_NEAR(shapes[0].points[0].y, 0.6, 1e-4);
  EXPECT_NEAR(shapes[1].points[0].x, -(first + 9 + 0.01 + 1), 1e-4);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_NEAR(frames[0].up.y, -1, 1e-6);
}

TEST(GlyphStrokes, UndefinedOrDamagedGlyphsDrawNothingAndAdvanceBySpacing) {
  GlyphTable g = bars();
  g['1'] = "-3,4,3";        // odd count
  g['2'] = "-3,4,x,5";      // not a number
  g['3'] = "3,4,5,6";       // does not start a stroke
  g['4'] = "";              // no definition
  for (const std::string bad : {"1", "2", "3", "4", "\xE8"}) {
    DisplayList line;
    drawLineText(line, g, ScreenScheme::Colour, 0, -90, "A" + bad + "B", 200);
    const auto shapes = testing::Replay(line);
    ASSERT_EQ(shapes.size(), 2u) << bad;
    // B follows A's 9 units, A's gap and the bad character's gap alone.
    EXPECT_NEAR(shapes[1].points[0].x - shapes[0].points[0].x, 9 + 0.01 + 0.01, 1e-4) << bad;

    DisplayList arc;
    drawArcText(arc, g, ScreenScheme::Colour, 0, 100, "A" + bad + "B", 200);
    const auto frames = glyphFrames(arc);
    ASSERT_EQ(frames.size(), 2u) << bad;
    const double step = [](double w) { return 2 * std::atan(w / 200) / kDegrees; }(10.3) +
                        2 * std::atan(1.3 / 200) / kDegrees;
    EXPECT_NEAR(angleFromTop(frames[0].origin) - angleFromTop(frames[1].origin), step, 1e-4) << bad;
  }
}

}  // namespace
}  // namespace caelora
