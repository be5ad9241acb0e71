// SPDX-License-Identifier: GPL-2.0-or-later
#include "sky/grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "i18n/cp1250.h"
#include "sky/chart_geometry.h"
#include "sky/geometry.h"
#include "sky/vector_font.h"
#include "tests/sky/replay.h"
#include "tests/test_support.h"

namespace caelora {
namespace {

using testing::CommandsOf;
using testing::Point;
using testing::Radius;
using testing::Replay;
using testing::Shape;
using testing::ShapesOf;

// Glyph shapes that tell the kinds of characters apart by their number of
// points: small letters 2, capitals 3, digits 4. Every character draws.
GlyphTable KindGlyphs() {
  GlyphTable glyphs;
  for (int c = 33; c < 256; ++c) glyphs[c] = "-10,0,10,32";
  for (int c = 'A'; c <= 'Z'; ++c) glyphs[c] = "-5,0,5,32,15,32";
  for (unsigned char c : utf8ToCp1250("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ")) glyphs[c] = "-5,0,5,32,15,32";
  for (int c = '0'; c <= '9'; ++c) glyphs[c] = "-8,0,8,16,8,32,12,32";
  return glyphs;
}

std::size_t CountWithPoints(const std::vector<Shape>& shapes, std::size_t n) {
  std::size_t count = 0;
  for (const Shape& s : shapes) count += s.points.size() == n;
  return count;
}

double Distance(const Point& a, const Point& b) { return std::hypot(a.x - b.x, a.y - b.y); }

ChartSetup ChartAt(int latitude) {
  ChartSetup setup;
  setup.settings.latitude = static_cast<std::int16_t>(latitude);
  setup.glyphs = KindGlyphs();
  return setup;
}

// --- grid -----------------------------------------------------------------

void ExpectCircles(int latitude, const std::vector<int>& declinations) {
  SCOPED_TRACE(::testing::Message() << "latitude " << latitude);
  const auto loops = ShapesOf(Replay(LoadGrid(ChartAt(latitude))), Primitive::LineLoop);
  ASSERT_EQ(loops.size(), declinations.size());
  for (std::size_t i = 0; i < loops.size(); ++i) {
    ASSERT_EQ(loops[i].points.size(), 48u);
    const DiscPoint ref = ProjectToDisc(0, declinations[i], latitude);
    for (const Point& p : loops[i].points) EXPECT_NEAR(Radius(p), Radius({ref.x, ref.y}), 1e-6);
    // Every half hour round the circle.
    const DiscPoint half = ProjectToDisc(0.5, declinations[i], latitude);
    EXPECT_NEAR(loops[i].points[1].x, half.x, 1e-6);
    EXPECT_NEAR(loops[i].points[1].y, half.y, 1e-6);
  }
}

TEST(Grid, DeclinationCirclesFromThePoleToTheHorizonCircle) {
  ExpectCircles(50, {90, 60, 30, 0, -30});      // the first one a point at the centre
  ExpectCircles(-35, {-90, -60, -30, 0, 30});   // 60 would pass the limit 55
  ExpectCircles(60, {90, 60, 30, 0, -30});      // the limit -30 itself is drawn
  ExpectCircles(-30, {-90, -60, -30, 0, 30, 60});
  // Latitude 0 takes the southern rules; its plain sign, 0, would step the
  // circles by 0 for ever.
  ExpectCircles(0, {-90, -60, -30, 0, 30, 60, 90});
}

TEST(Grid, HourLinesStartAtThreeDeclinationsAndEndOnTheLimit) {
  const auto lines = ShapesOf(Replay(LoadGrid(ChartAt(50))), Primitive::Lines);
  ASSERT_EQ(lines.size(), 24u);
  for (int h = 0; h < 24; ++h) {
    SCOPED_TRACE(::testing::Message() << "hour " << h);
    const int start = h % 6 == 0 ? 90 : (h % 2 == 0 ? 60 : 30);
    const DiscPoint a = ProjectToDisc(h, start, 50), b = ProjectToDisc(h, -40, 50);
    ASSERT_EQ(lines[h].points.size(), 2u);
    EXPECT_NEAR(Distance(lines[h].points[0], {a.x, a.y}), 0, 1e-6);
    EXPECT_NEAR(Distance(lines[h].points[1], {b.x, b.y}), 0, 1e-6);
    EXPECT_NEAR(Radius(lines[h].points[1]), kLimitRadius, 1e-6);
  }
}

// The single-digit hour numbers 0..9 are the first ten digit strips; the
// base point of each stands 8 units (size 0.3) along the tangent from the
// projection of (h - 0.04 s, -7 s).
void ExpectHourNumbersAt(int latitude, double dec) {
  SCOPED_TRACE(::testing::Message() << "latitude " << latitude);
  const int s = latitude > 0 ? 1 : -1;
  const auto strips = ShapesOf(Replay(LoadGrid(ChartAt(latitude))), Primitive::LineStrip);
  ASSERT_EQ(strips.size(), 10u + 2 * 14u);  // "0".."9", then "10".."23"
  for (int h = 0; h < 10; ++h) {
    const DiscPoint p = ProjectToDisc(h - 0.04 * s, dec, latitude);
    const double theta = std::atan2(p.y, p.x);
    const Point base = strips[h].points[2];  // font point (8, 32): on the base line
    EXPECT_NEAR(base.x, p.x - std::sin(theta) * 8 * 0.3 / 200, 1e-6) << "hour " << h;
    EXPECT_NEAR(base.y, p.y + std::cos(theta) * 8 * 0.3 / 200, 1e-6) << "hour " << h;
  }
}

TEST(Grid, HourNumbersStandJustInsideTheEquatorBeforeEachHourLine) {
  ExpectHourNumbersAt(50, -7);
  ExpectHourNumbersAt(-35, 7);
}

TEST(Grid, ColoursAndTheLineWidthLeftForTheEcliptic) {
  ChartSetup setup = ChartAt(50);
  setup.settings.colourScheme = ScreenScheme::BlackOnWhite;
  const DisplayList list = LoadGrid(setup);
  const auto& c = list.commands();
  EXPECT_EQ(c.front(), (GlCommand{GlCommand::Op::Color, {}, {}, 0.8f, 0.8f, 0.8f}));
  EXPECT_EQ(CommandsOf(list, GlCommand::Op::Color).back(),
            (GlCommand{GlCommand::Op::Color, {}, {}, 0.5f, 0.5f, 0.5f}));  // the numbers
  // One width, set after the last hour line and before the first number and
  // not reset: the ecliptic drawn next inherits it.
  const auto widths = CommandsOf(list, GlCommand::Op::LineWidth);
  ASSERT_EQ(widths.size(), 1u);
  EXPECT_FLOAT_EQ(widths[0].a, 1.3f);
  const auto at = [&](auto match) {
    return std::find_if(c.begin(), c.end(), match) - c.begin();
  };
  const auto width = at([](const GlCommand& x) { return x.op == GlCommand::Op::LineWidth; });
  const auto strip = at([](const GlCommand& x) { return x.primitive == Primitive::LineStrip; });
  const auto lastLine = c.rend() - std::find_if(c.rbegin(), c.rend(), [](const GlCommand& x) {
                          return x.op == GlCommand::Op::Begin && x.primitive == Primitive::Lines;
                        });
  EXPECT_GT(width, lastLine - 1);
  EXPECT_LT(width, strip);
}

// --- ecliptic -------------------------------------------------------------

std::vector<std::pair<Point, Point>> EclipticSegments(int latitude) {
  const DisplayList list = LoadEcliptic(ChartAt(latitude));
  EXPECT_TRUE(CommandsOf(list, GlCommand::Op::LineWidth).empty());  // inherits the grid's
  const auto lines = ShapesOf(Replay(list), Primitive::Lines);
  EXPECT_EQ(lines.size(), 1u);
  std::vector<std::pair<Point, Point>> segments;
  if (lines.empty()) return segments;
  const auto& p = lines[0].points;
  EXPECT_EQ(p.size() % 2, 0u);
  for (std::size_t i = 0; i + 1 < p.size(); i += 2) segments.push_back({p[i], p[i + 1]});
  return segments;
}

TEST(Ecliptic, WholeCircleWhereItNeverSetsBelowTheLimit) {
  // At latitude 60 the limit is declination -30, below the ecliptic's -23.44.
  const auto segments = EclipticSegments(60);
  ASSERT_EQ(segments.size(), 180u);
  for (std::size_t i = 1; i < segments.size(); ++i)
    EXPECT_NEAR(Distance(segments[i - 1].second, segments[i].first), 0, 1e-9);
  EXPECT_NEAR(Distance(segments.back().second, segments.front().first), 0, 1e-5);  // closed
  // The first point is the vernal equinox: 0 h on the equator.
  const DiscPoint equinox = ProjectToDisc(0, 0, 60);
  EXPECT_NEAR(Distance(segments.front().first, {equinox.x, equinox.y}), 0, 1e-6);
}

TEST(Ecliptic, GapBelowTheLimitIsNotBridged) {
  // At latitude 80 (limit -10) and -80 (limit +10) part of the ecliptic is
  // below the horizon circle.
  for (int latitude : {80, -80}) {
    SCOPED_TRACE(::testing::Message() << "latitude " << latitude);
    const auto segments = EclipticSegments(latitude);
    // Steps of 2 degrees whose both ends have |declination| within the limit.
    const int s = latitude > 0 ? 1 : -1;
    std::size_t expected = 0;
    for (int l = 2; l <= 360; l += 2) {
      auto dec = [&](int deg) {
        return std::asin(std::sin(deg * kDegreesToRadians) * std::sin(kObliquity)) * kRadiansToDegrees;
      };
      expected += dec(l - 2) * s >= -10 && dec(l) * s >= -10;
    }
    EXPECT_EQ(segments.size(), expected);
    EXPECT_LT(segments.size(), 180u);
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
      EXPECT_LE(Radius(segments[i].first), kLimitRadius + 1e-6);
      EXPECT_LE(Radius(segments[i].second), kLimitRadius + 1e-6);
      EXPECT_LT(Distance(segments[i].first, segments[i].second), 0.05);  // one 2-degree step
      if (i > 0 && Distance(segments[i - 1].second, segments[i].first) > 1e-9) ++breaks;
    }
    // One run before the gap and one after it (the run through 0 degrees is
    // split at the start of the loop).
    EXPECT_EQ(breaks, 1u);
  }
}

// --- date scale -----------------------------------------------------------

class DateScaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    language_ = std::filesystem::path(::testing::TempDir()) /
                (std::string("caelora-grid-") + info->name() + ".lng");
    std::string text = "[GUI_Strings]\r\n";
    const char* months[] = {"leden", "únor", "březen", "duben", "květen", "červen",
                            "červenec", "srpen", "září", "říjen", "listopad", "prosinec"};
    for (int m = 0; m < 12; ++m) text += std::to_string(501 + m) + "=" + months[m] + "\r\n";
    std::ofstream(language_, std::ios::binary) << utf8ToCp1250(text);
  }
  void TearDown() override { std::filesystem::remove(language_); }

  DisplayList Load(int latitude, bool daily) {
    ChartSetup setup = ChartAt(latitude);
    setup.settings.dailyScale = daily;
    setup.settings.languageFile = language_.string();
    return LoadDateScale(setup);
  }

  std::filesystem::path language_;
};

std::vector<std::pair<Point, Point>> Ticks(const DisplayList& list) {
  const auto lines = ShapesOf(Replay(list), Primitive::Lines);
  EXPECT_EQ(lines.size(), 1u);
  std::vector<std::pair<Point, Point>> ticks;
  if (lines.empty()) return ticks;
  for (std::size_t i = 0; i + 1 < lines[0].points.size(); i += 2)
    ticks.push_back({lines[0].points[i], lines[0].points[i + 1]});
  return ticks;
}

std::size_t CountOuterRadius(const std::vector<std::pair<Point, Point>>& ticks, double r) {
  std::size_t n = 0;
  for (const auto& t : ticks) n += std::abs(Radius(t.second) - r) < 1e-5;
  return n;
}

double AngleDeg(const Point& p) { return std::atan2(p.y, p.x) * kRadiansToDegrees; }

// The vertices of each text of a recording: every drawArcText call starts by
// enabling line smoothing, and its strips follow.
std::vector<std::vector<Point>> TextsOf(const DisplayList& list) {
  const std::vector<Shape> shapes = Replay(list);
  std::vector<std::vector<Point>> texts;
  std::size_t shape = 0;
  for (const GlCommand& c : list.commands()) {
    if (c.op == GlCommand::Op::Enable && c.capability == Capability::LineSmooth) texts.emplace_back();
    if (c.op != GlCommand::Op::Begin) continue;
    const Shape& drawn = shapes[shape++];
    if (drawn.primitive == Primitive::LineStrip && !texts.empty())
      texts.back().insert(texts.back().end(), drawn.points.begin(), drawn.points.end());
  }
  return texts;
}

TEST_F(DateScaleTest, PlainScaleHasMonthStartsAndEveryTenthDay) {
  const auto ticks = Ticks(Load(50, false));
  // Day indices 0, 10, 20 in every month and 30 in the seven long months.
  ASSERT_EQ(ticks.size(), 12u * 3 + 7);
  EXPECT_EQ(CountOuterRadius(ticks, 1.0), 12u);
  EXPECT_EQ(CountOuterRadius(ticks, 0.91), 31u);
  for (const auto& t : ticks) EXPECT_NEAR(Radius(t.first), kLimitRadius, 1e-6);
}

TEST_F(DateScaleTest, DailyScaleTicksEveryDay) {
  const auto ticks = Ticks(Load(50, true));
  ASSERT_EQ(ticks.size(), 365u);
  EXPECT_EQ(CountOuterRadius(ticks, 1.0), 12u);
  EXPECT_EQ(CountOuterRadius(ticks, 0.918), 12u * 5 + 7);  // 5..25 and 30
  EXPECT_EQ(CountOuterRadius(ticks, 0.908), 365u - 12 - 67);
  // February has day indices 0..27: its last tick is an ordinary day, and
  // the next one starts March.
  const double day = 360.0 / 365;
  EXPECT_NEAR(Radius(ticks[31 + 27].second), 0.908, 1e-6);
  EXPECT_NEAR(Radius(ticks[31 + 28].second), 1.0, 1e-6);
  EXPECT_NEAR(AngleDeg(ticks[31 + 28].second), 79 - 59 * day, 1e-4);
  EXPECT_NEAR(Radius(ticks[31 + 28 + 30].second), 0.918, 1e-6);  // 31 March, index 30
}

TEST_F(DateScaleTest, YearRunsClockwiseInTheNorthAndCounterClockwiseInTheSouth) {
  const double day = 360.0 / 365;
  const auto north = Ticks(Load(50, true));
  EXPECT_NEAR(AngleDeg(north[0].second), 79, 1e-4);
  EXPECT_NEAR(AngleDeg(north[1].second), 79 - day, 1e-4);
  const auto south = Ticks(Load(-35, true));
  EXPECT_NEAR(AngleDeg(south[0].second), 101, 1e-4);
  EXPECT_NEAR(AngleDeg(south[1].second), 101 + day, 1e-4);
}

TEST_F(DateScaleTest, MonthNamesStartWithCapitalsAndMoveOutForTheDailyScale) {
  for (bool daily : {false, true}) {
    SCOPED_TRACE(daily ? "daily" : "plain");
    const DisplayList list = Load(50, daily);
    const auto strips = ShapesOf(Replay(list), Primitive::LineStrip);
    // Every month name begins with a capital, Únor, Červen and Říjen too.
    EXPECT_EQ(CountWithPoints(strips, 3), 12u);
    const double radius = daily ? 0.935 : 0.9, size = daily ? 0.4 : 0.6;
    std::size_t letters = 0;
    for (const Shape& s : strips) {
      if (s.points.size() != 2 && s.points.size() != 3) continue;
      ++letters;
      // The base-line point of each letter sits on the name circle, 10 (or
      // 5) font units beside the letter's origin.
      const double beside = (s.points.size() == 2 ? 10 : 5) * size / 200;
      EXPECT_NEAR(Radius(s.points[1]), std::hypot(radius, beside), 1e-5);
    }
    EXPECT_EQ(letters,
              utf8ToCp1250("ledenúnorbřezendubenkvětenčervenčervenecsrpenzáříříjenlistopadprosinec").size());
    // Day numbers 5..30 only on the daily scale: digit strips of 5, 10, 15,
    // 20, 25 in each month and 30 in the seven long ones.
    EXPECT_EQ(CountWithPoints(strips, 4), daily ? 12u * 9 + 7 * 2 : 0u);
  }
}

// The month names of every shipped language in its real font, read back
// from the strokes: each name stays between the ticks of the first of its
// month and of the next one, clear of them by at least a fiftieth of the
// rim (so no name runs into a tick or its neighbour), on the plain and the
// daily scale, north and south.
TEST(DateScaleLettering, MonthNamesStayWithinTheirMonths) {
  constexpr double kClearance = 0.02;
  for (const std::string& language : test::languageFiles()) {
    for (const auto& [latitude, daily] : {std::pair{50, false}, {50, true}, {-35, false}, {-35, true}}) {
      ChartSetup setup = ChartAt(latitude);
      setup.settings.dailyScale = daily;
      setup.settings.languageFile = test::dataDir() + "/" + language;
      setup.glyphs = loadFont(test::dataDir(), setup.settings.languageFile);
      const DisplayList list = LoadDateScale(setup);
      std::vector<double> starts;  // the first of each month, degrees
      for (const auto& tick : Ticks(list))
        if (std::abs(Radius(tick.second) - 1.0) < 1e-5) starts.push_back(AngleDeg(tick.second));
      ASSERT_EQ(starts.size(), 12u);
      const double turn = std::remainder(starts[1] - starts[0], 360) > 0 ? 1 : -1;  // the way the year runs
      const std::vector<std::vector<Point>> names = TextsOf(list);
      ASSERT_GE(names.size(), 12u);
      for (std::size_t m = 0; m < 12; ++m) {
        const double span = std::remainder(turn * (starts[(m + 1) % 12] - starts[m]), 360);
        double first = 360, last = -360, outermost = 0;
        for (const Point& p : names[m]) {
          const double along = std::remainder(turn * (AngleDeg(p) - starts[m]), 360);
          first = std::min(first, along), last = std::max(last, along), outermost = std::max(outermost, Radius(p));
        }
        const double clear = kClearance / outermost * kRadiansToDegrees;
        EXPECT_GE(first, clear) << language << " " << latitude << (daily ? " daily" : "") << " month " << m + 1;
        EXPECT_LE(last, span - clear) << language << " " << latitude << (daily ? " daily" : "") << " month " << m + 1;
      }
    }
  }
}

TEST(UpperFirstWindows1250, CapitalisesCzechAndPolishLetters) {
  EXPECT_EQ(UpperFirstWindows1250(""), "");
  EXPECT_EQ(UpperFirstWindows1250("leden"), "Leden");
  EXPECT_EQ(UpperFirstWindows1250("Leden"), "Leden");
  EXPECT_EQ(UpperFirstWindows1250("1. máj"), "1. máj");
  const std::string small = utf8ToCp1250("áčďéěíňóřšťúůýžąćęłńśźżľĺŕ");
  const std::string capital = utf8ToCp1250("ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽĄĆĘŁŃŚŹŻĽĹŔ");
  ASSERT_EQ(small.size(), capital.size());
  for (std::size_t i = 0; i < small.size(); ++i)
    EXPECT_EQ(UpperFirstWindows1250(small.substr(i, 1) + "x"), capital.substr(i, 1) + "x")
        << cp1250ToUtf8(small.substr(i, 1));
  // Not letters, or letters without a capital in the code page.
  for (const char* same : {"÷", "ß", "×", "µ"})
    EXPECT_EQ(UpperFirstWindows1250(utf8ToCp1250(same)), utf8ToCp1250(same));
  EXPECT_EQ(UpperFirstWindows1250(utf8ToCp1250("únor")), utf8ToCp1250("Únor"));
}

}  // namespace
}  // namespace caelora
