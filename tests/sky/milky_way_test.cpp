// SPDX-License-Identifier: GPL-2.0-or-later
// The polygon clipper and the Milky Way layer built on it: decoding of the
// outline resources, the shipped outlines, the clipped and triangulated bands.
#include "sky/milky_way.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "sky/data_error.h"
#include "sky/geometry.h"

namespace caelora {
namespace {

const std::string kOutlineFolder = std::string(CAELORA_SOURCE_DATA_DIR) + "/milkyway";

ClipContour square(double cx, double cy, double half) {
  return {{cx - half, cy - half}, {cx + half, cy - half}, {cx + half, cy + half}, {cx - half, cy + half}};
}

double contoursArea(const ClipPolygon& p) {
  double sum = 0;
  for (const ClipContour& c : p.contours) sum += signedArea(c);
  return sum;
}

double trianglesArea(const ClipPolygon& triangles) {
  double sum = 0;
  for (const ClipContour& t : triangles.contours) {
    EXPECT_EQ(t.size(), 3u);
    sum += std::fabs(signedArea(t));
  }
  return sum;
}

double stripsArea(const ClipPolygon& strips) {
  double sum = 0;
  for (const ClipContour& s : strips.contours) {
    EXPECT_GE(s.size(), 3u);
    for (std::size_t k = 0; k + 2 < s.size(); ++k) sum += std::fabs(signedArea({s[k], s[k + 1], s[k + 2]}));
  }
  return sum;
}

// A square ring (4 x 4 with a 2 x 2 hole) cut by the half plane x > 0.5
// keeps 1.5 x 4 of the outer square less 0.5 x 2 of the hole: area 5, times
// the square of the scale (unit disc, PDF page units, and small).
TEST(PolygonClipper, EvenOddRingCutByRectangleAtAnyScale) {
  for (double scale : {1.0, 300.0, 1e-3}) {
    ClipPolygon ring;
    ring.contours = {square(0, 0, 2 * scale), square(0, 0, 1 * scale)};
    ClipPolygon cut;
    cut.contours = {{{0.5 * scale, -5 * scale}, {5 * scale, -5 * scale}, {5 * scale, 5 * scale}, {0.5 * scale, 5 * scale}}};
    PolygonClipper clipper;
    const ClipPolygon part = clipper.intersection(ring, cut);
    const double expected = 5.0 * scale * scale;
    EXPECT_NEAR(std::fabs(contoursArea(part)), expected, 1e-7 * expected) << scale;
    EXPECT_NEAR(trianglesArea(clipper.triangles(part)), expected, 1e-7 * expected) << scale;
    EXPECT_NEAR(stripsArea(clipper.triangleStrips(part)), expected, 1e-7 * expected) << scale;
  }
}

TEST(PolygonClipper, OverlapOfTwoContoursIsOutsideUnderEvenOdd) {
  ClipPolygon two;
  two.contours = {square(0, 0, 1), square(1, 0, 1)};  // overlap 1 x 2
  ClipPolygon big;
  big.contours = {square(0, 0, 10)};
  PolygonClipper clipper;
  const ClipPolygon inside = clipper.intersection(two, big);
  EXPECT_NEAR(trianglesArea(clipper.triangles(inside)), 4 + 4 - 2 * 2, 1e-9);
  EXPECT_NEAR(trianglesArea(clipper.triangles(two)), 4, 1e-9);
  EXPECT_TRUE(clipper.intersection(two, ClipPolygon{}).contours.empty());
}

TEST(PolygonClipper, RejectsCoordinatesThatAreNotFinite) {
  ClipPolygon bad;
  bad.contours = {{{0, 0}, {1, 0}, {std::numeric_limits<double>::quiet_NaN(), 1}}};
  ClipPolygon ok;
  ok.contours = {square(0, 0, 1)};
  PolygonClipper clipper;
  EXPECT_THROW(clipper.intersection(ok, bad), std::invalid_argument);
  EXPECT_THROW(clipper.triangles(bad), std::invalid_argument);
  EXPECT_NEAR(trianglesArea(clipper.triangles(ok)), 4, 1e-12);  // still usable
}

// An outline of 300 random points crosses itself some 10,000 times. The
// sweep that triangulates it compares edges a few times per vertex and
// level of its order (v log v, where slab by slab it was v^2), and the
// triangles still cover the even-odd inside that Clipper measures.
TEST(PolygonClipper, SelfIntersectingOutlineCostsNearVLogV) {
  std::uint32_t seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / double(1 << 24) * 2 - 1;
  };
  ClipPolygon outline;
  ClipContour& contour = outline.appendContour();
  for (int i = 0; i < 300; ++i) contour.push_back({next(), next()});
  PolygonClipper clipper;
  SweepWork work;
  const ClipPolygon triangles = clipper.triangles(outline, &work);
  ASSERT_GT(work.vertices, 10000u);
  EXPECT_LT(work.comparisons, 8 * work.vertices * std::log2(static_cast<double>(work.vertices)));
  ClipPolygon all;
  all.contours = {square(0, 0, 2)};
  const double expected = std::fabs(contoursArea(clipper.intersection(outline, all)));
  EXPECT_NEAR(trianglesArea(triangles), expected, 1e-9 * expected);
}

std::string pairs(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) {
    const auto u = static_cast<std::uint16_t>(v);
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return bytes;
}

TEST(MilkyWayOutline, DecodesLittleEndianPairsCountedFromTheLength) {
  const std::vector<OutlineCode> codes = decodeOutline(pairs({18000, -25106, -1, 300, -18000, 32767}), 101);
  ASSERT_EQ(codes.size(), 3u);
  EXPECT_EQ(codes[0].c, 18000);
  EXPECT_EQ(codes[0].d, -25106);
  EXPECT_EQ(codes[1].c, -1);
  EXPECT_EQ(codes[1].d, 300);
  EXPECT_EQ(codes[2].c, -18000);
  EXPECT_EQ(codes[2].d, 32767);
}

TEST(MilkyWayOutline, BadLengthsNameTheResource) {
  std::string bytes = pairs({1, 2, 3, 4, 5, 6});
  bytes.push_back('\0');
  try {
    decodeOutline(bytes, 103);
    FAIL() << "a length of 13 bytes was accepted";
  } catch (const DataError& e) {
    EXPECT_NE(std::string(e.what()).find("103"), std::string::npos) << e.what();
  }
  EXPECT_THROW(decodeOutline("", 101), DataError);                  // a missing resource
  EXPECT_THROW(decodeOutline(pairs({1, 2, 3, 4}), 102), DataError);  // two points are no outline

  MilkyWayOutlines outlines = readMilkyWayOutlines(kOutlineFolder);
  outlines.bytes[3].pop_back();
  ChartSetup setup;
  try {
    LoadMilkyWay(setup, outlines);
    FAIL() << "a truncated resource 104 was accepted";
  } catch (const DataError& e) {
    EXPECT_NE(std::string(e.what()).find("104"), std::string::npos) << e.what();
  }
  EXPECT_THROW(readMilkyWayOutlines(kOutlineFolder + "/missing"), DataError);
}

// Latitude of a stored edge at galactic longitude l, interpolated.
double edgeLatitudeAt(const std::vector<OutlineCode>& edge, double lDeg) {
  const double c = (180 - lDeg) * 100;
  for (std::size_t i = 0; i + 1 < edge.size(); ++i) {
    const double c0 = edge[i].c, c1 = edge[i + 1].c;
    if ((c0 - c) * (c1 - c) <= 0 && c0 != c1) {
      return (edge[i].d + (edge[i + 1].d - edge[i].d) * (c - c0) / (c1 - c0)) / 1000.0;
    }
  }
  ADD_FAILURE() << "no edge point at l = " << lDeg;
  return 0;
}

TEST(MilkyWayOutline, ShippedOutlinesAreClosedNestedRingsAwayFromThePoles) {
  const MilkyWayOutlines outlines = readMilkyWayOutlines(kOutlineFolder);
  std::array<std::vector<OutlineCode>, 4> edge;
  for (int number = 101; number <= 104; ++number) {
    edge[number - 101] = decodeOutline(outlines.resource(number), number);
    const std::vector<OutlineCode>& e = edge[number - 101];
    const bool north = number % 2 == 1;
    EXPECT_EQ(e.front().c, north ? 18000 : -18000) << number;
    EXPECT_EQ(e.back().c, north ? -18000 : 18000) << number;
    EXPECT_EQ(e.front().d, e.back().d) << number;
    for (const OutlineCode& p : e) {
      ASSERT_TRUE(p.c >= -18000 && p.c <= 18000) << number;
      ASSERT_LT(std::abs(p.d), 32700) << number;
    }
  }
  for (double l = 0.5; l < 360; l += 1) {
    const double n1 = edgeLatitudeAt(edge[0], l), s1 = edgeLatitudeAt(edge[1], l);
    const double n2 = edgeLatitudeAt(edge[2], l), s2 = edgeLatitudeAt(edge[3], l);
    EXPECT_TRUE(n1 > n2 && n2 > s2 && s2 > s1) << "the bands are not nested at l = " << l;
  }
  // The celestial poles (l 123, b +27.4 and l 303, b -27.4) must lie outside
  // the bands: the projection about one pole would turn a band holding the
  // other one inside out.
  EXPECT_LT(edgeLatitudeAt(edge[0], 123), 27.4 - 1);
  EXPECT_GT(edgeLatitudeAt(edge[1], 303), -27.4 + 1);
}

TEST(MilkyWayOutline, GalacticFrame) {
  // The ascending node: l 33, b 0 is on the equator at right ascension 282.25 degrees.
  const EquatorialPoint node = outlineToEquatorial({14700, 0});
  EXPECT_NEAR(node.raHours, 282.25 / 15, 1e-9);
  EXPECT_NEAR(node.decDeg, 0, 1e-6);
  // The galactic centre of this frame: 17 h 42.4 m, -28 deg 55 min (1950).
  const EquatorialPoint centre = outlineToEquatorial({18000, 0});
  EXPECT_NEAR(std::fmod(centre.raHours, 24), 17.7067, 0.002);
  EXPECT_NEAR(centre.decDeg, -28.917, 0.01);
  // The north celestial pole lies at l 123, b 27.4.
  EXPECT_NEAR(outlineToEquatorial({5700, 27400}).decDeg, 90, 1e-3);
}

TEST(MilkyWayColour, SchemesAndIntensity) {
  auto expectGrey = [](Rgb c, float v) {
    EXPECT_FLOAT_EQ(c.r, v);
    EXPECT_FLOAT_EQ(c.g, v);
    EXPECT_FLOAT_EQ(c.b, v);
  };
  expectGrey(milkyWayBandColour(ScreenScheme::Colour, 0, 1), 0.15f);
  expectGrey(milkyWayBandColour(ScreenScheme::WhiteOnBlack, 0, 2), 0.25f);
  expectGrey(milkyWayBandColour(ScreenScheme::Colour, 5, 1), 0.2f);
  expectGrey(milkyWayBandColour(ScreenScheme::BlackOnWhite, 5, 1), 0.93f);
  expectGrey(milkyWayBandColour(ScreenScheme::BlackOnWhite, 5, 2), 0.85f);
  const Rgb red = milkyWayBandColour(ScreenScheme::Red, 5, 2);
  EXPECT_FLOAT_EQ(red.r, 0.37f);
  EXPECT_FLOAT_EQ(red.g, 0.18f);
}

// Area of the band (even-odd between the two projected edges) inside the
// clip 48-gon, by horizontal scan lines: independent of Clipper and the trapezoid cut.
double scanLineArea(const ClipPolygon& band, const ClipContour& clip, int rows) {
  auto crossings = [](const ClipContour& c, double y, std::vector<double>& xs) {
    for (std::size_t i = 0, n = c.size(); i < n; ++i) {
      const ClipVertex& p = c[i];
      const ClipVertex& q = c[(i + 1) % n];
      if ((p.y <= y) != (q.y <= y)) xs.push_back(p.x + (y - p.y) * (q.x - p.x) / (q.y - p.y));
    }
  };
  double area = 0;
  const double dy = 2 * kLimitRadius / rows;
  for (int r = 0; r < rows; ++r) {
    const double y = -kLimitRadius + (r + 0.5) * dy;
    std::vector<double> window;
    crossings(clip, y, window);
    if (window.size() != 2) continue;
    std::sort(window.begin(), window.end());
    std::vector<double> xs;
    for (const ClipContour& c : band.contours) crossings(c, y, xs);
    std::sort(xs.begin(), xs.end());
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
      area += std::max(0.0, std::min(xs[i + 1], window[1]) - std::max(xs[i], window[0])) * dy;
    }
  }
  return area;
}

ClipPolygon projectedBand(int latitude, const MilkyWayOutlines& outlines, int band) {
  DiscProjector projector(latitude);
  ClipPolygon polygon;
  for (int number = 99 + 2 * band; number <= 100 + 2 * band; ++number) {
    ClipContour& contour = polygon.appendContour();
    for (const OutlineCode& code : decodeOutline(outlines.resource(number), number)) {
      const EquatorialPoint p = outlineToEquatorial(code);
      projector.projectUnbounded(p.raHours, p.decDeg);
      contour.push_back({projector.x(), projector.y()});
    }
  }
  return polygon;
}

ClipContour limitPolygon(int latitude) {
  DiscProjector projector(latitude);
  ClipContour c;
  for (int i = 0; i < 48; ++i) {
    projector.projectUnbounded(i * 0.5, latitude > 0 ? latitude - 90 : latitude + 90);
    c.push_back({projector.x(), projector.y()});
  }
  return c;
}

struct RecordedBand {
  std::optional<Rgb> colour;
  ClipPolygon triangles;
};

// Reads back a Milky Way recording: per band an optional colour and one
// triangle list.
std::vector<RecordedBand> readBands(const DisplayList& list) {
  std::vector<RecordedBand> bands;
  std::optional<Rgb> colour;
  ClipContour pending;
  for (const GlCommand& c : list.commands()) {
    switch (c.op) {
      case GlCommand::Op::Color: colour = Rgb{c.a, c.b, c.c}; break;
      case GlCommand::Op::Begin:
        EXPECT_EQ(c.primitive, Primitive::Triangles);
        bands.push_back({colour, {}});
        colour.reset();
        break;
      case GlCommand::Op::Vertex:
        pending.push_back({c.a, c.b});
        if (pending.size() == 3) {
          bands.back().triangles.contours.push_back(pending);
          pending.clear();
        }
        break;
      case GlCommand::Op::End: EXPECT_TRUE(pending.empty()); break;
      default: ADD_FAILURE() << "unexpected command in the Milky Way list";
    }
  }
  return bands;
}

bool insideAnyTriangle(const ClipPolygon& triangles, double x, double y) {
  for (const ClipContour& t : triangles.contours) {
    const double d1 = (t[1].x - t[0].x) * (y - t[0].y) - (t[1].y - t[0].y) * (x - t[0].x);
    const double d2 = (t[2].x - t[1].x) * (y - t[1].y) - (t[2].y - t[1].y) * (x - t[1].x);
    const double d3 = (t[0].x - t[2].x) * (y - t[2].y) - (t[0].y - t[2].y) * (x - t[2].x);
    if ((d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0)) return true;
  }
  return false;
}

class MilkyWayLayer : public ::testing::TestWithParam<int> {};

TEST_P(MilkyWayLayer, BandsCoverTheClippedAreaInsideTheLimitCircle) {
  const int latitude = GetParam();
  const MilkyWayOutlines outlines = readMilkyWayOutlines(kOutlineFolder);
  ChartSetup setup;
  setup.settings.latitude = static_cast<std::int16_t>(latitude);
  const std::vector<RecordedBand> bands = readBands(LoadMilkyWay(setup, outlines));
  ASSERT_EQ(bands.size(), 2u);

  PolygonClipper clipper;
  for (int band = 1; band <= 2; ++band) {
    const ClipPolygon& triangles = bands[band - 1].triangles;
    double farthest = 0;
    for (const ClipContour& t : triangles.contours) {
      for (const ClipVertex& v : t) farthest = std::max(farthest, std::hypot(v.x, v.y));
    }
    EXPECT_LE(farthest, kLimitRadius + 1e-6) << "band " << band;
    EXPECT_GT(farthest, kLimitRadius - 1e-3) << "band " << band << " should reach the limit circle";

    // Tolerances: the recorded vertices are single precision (about 1e-7 of
    // the disc); the scan lines leave an error of about 1e-4 of the area.
    const double clipped = std::fabs(contoursArea(clippedMilkyWayBand(latitude, outlines, band, clipper)));
    const double covered = trianglesArea(triangles);
    EXPECT_NEAR(covered, clipped, 1e-5 * clipped) << "band " << band;
    const double scanned = scanLineArea(projectedBand(latitude, outlines, band), limitPolygon(latitude), 4000);
    EXPECT_NEAR(covered, scanned, 1e-3 * scanned) << "band " << band;
  }
  // The outer band is wider than the inner one.
  EXPECT_GT(trianglesArea(bands[0].triangles), 1.2 * trianglesArea(bands[1].triangles));
}

INSTANTIATE_TEST_SUITE_P(NorthAndSouth, MilkyWayLayer, ::testing::Values(50, -30, 80, -25));

TEST(MilkyWayLayer, BandsLieWhereTheSkyHasThem) {
  const MilkyWayOutlines outlines = readMilkyWayOutlines(kOutlineFolder);
  auto inBand = [&](int latitude, int band, double raHours, double decDeg) {
    ChartSetup setup;
    setup.settings.latitude = static_cast<std::int16_t>(latitude);
    const std::vector<RecordedBand> bands = readBands(LoadMilkyWay(setup, outlines));
    const DiscPoint p = ProjectToDisc(raHours, decDeg, latitude);
    EXPECT_TRUE(p.onDisc);
    return insideAnyTriangle(bands.at(band - 1).triangles, p.x, p.y);
  };
  EXPECT_TRUE(inBand(50, 2, 20.69, 45.28));   // Deneb, in Cygnus
  EXPECT_TRUE(inBand(50, 2, 5.25, 40.0));     // Auriga
  EXPECT_FALSE(inBand(50, 1, 2.53, 89.26));   // Polaris
  EXPECT_FALSE(inBand(50, 1, 11.06, 61.75));  // Dubhe, in the Great Bear
  EXPECT_TRUE(inBand(-30, 2, 17.76, -29.0));  // the galactic centre, in Sagittarius
  EXPECT_TRUE(inBand(-30, 2, 12.45, -60.0));  // the Southern Cross
  EXPECT_FALSE(inBand(-30, 1, 0.9, -72.8));   // the Small Magellanic Cloud, far from the plane
}

TEST(MilkyWayLayer, RecordsTheColoursOfTheScheme) {
  const MilkyWayOutlines outlines = readMilkyWayOutlines(kOutlineFolder);
  ChartSetup setup;
  setup.settings.colourScheme = ScreenScheme::BlackOnWhite;
  std::vector<RecordedBand> bands = readBands(LoadMilkyWay(setup, outlines));
  ASSERT_EQ(bands.size(), 2u);
  ASSERT_TRUE(bands[0].colour && bands[1].colour);
  EXPECT_FLOAT_EQ(bands[0].colour->r, 0.93f);
  EXPECT_FLOAT_EQ(bands[1].colour->r, 0.85f);
}

}  // namespace
}  // namespace caelora
