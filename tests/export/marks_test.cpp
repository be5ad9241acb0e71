// SPDX-License-Identifier: GPL-2.0-or-later
// The hour-scale triangles and the band below the disc, as written.
#include <gtest/gtest.h>

#include "export/marks.h"
#include "mask_test_support.h"

namespace caelora {
namespace {

using test::MaskTest;

TEST_F(MaskTest, HourTriangleAtTheTopHasItsApexOnRadiusNinetenths) {
  EXPECT_EQ(page([](ExportState& s) { timePDFtriangle(s, 0, 1); }),
            "297.5 785.5 m\r284.1 758.7 l\r310.9 758.7 l\rf\r");
}

TEST_F(MaskTest, EveryKindButOneDrawsTheSmallTriangle) {
  const std::string small = "297.5 785.5 m\r292.1 777.4 l\r302.9 777.4 l\rf\r";
  EXPECT_EQ(page([](ExportState& s) { timePDFtriangle(s, 0, 0); }), small);
  EXPECT_EQ(page([](ExportState& s) { timePDFtriangle(s, 0, 7); }), small);
}

TEST_F(MaskTest, TriangleAnglesRunClockwiseFromTheTop) {
  // 90 degrees clockwise: the apex straight to the right of the centre,
  // at radius 0.81 x 297.5 = 240.975.
  const auto lines = test::splitCr(page([](ExportState& s) { timePDFtriangle(s, 90, 1); }));
  EXPECT_EQ(lines[0], "538.5 544.5 m");
  const auto left = test::splitCr(page([](ExportState& s) { timePDFtriangle(s, -90, 1); }));
  EXPECT_EQ(left[0], "56.5 544.5 m");
}

TEST_F(MaskTest, BandBelowTheDiscRunsFromTheArcDownToTheFoldLevel) {
  const std::string piece = page([](ExportState& s) { vypln(s); });
  const std::string head = test::slotColour(0) + " K\r" + test::slotColour(1) + " k\r[] 0 d\r29.8 389.9 m ";
  ASSERT_EQ(piece.compare(0, head.size(), head), 0) << piece.substr(0, 80);
  EXPECT_EQ(test::occurrences(piece, " l\r"), 106 + 1);  // the arc, and the last margin corner
  const std::string tail = "565.2 389.9 l 565.2 247 l 29.8 247 l\rb\r";
  EXPECT_EQ(piece.substr(piece.size() - tail.size()), tail);
  // The arc: 273.7 from the centre, from 210 degrees to about 330.
  const auto lines = test::splitCr(piece);
  EXPECT_EQ(lines[3], "29.8 389.9 m 60.5 407.6 l");
  EXPECT_EQ(lines[3 + 105], "535.3 409 l");
}

}  // namespace
}  // namespace caelora
