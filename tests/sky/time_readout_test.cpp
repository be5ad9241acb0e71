// The readout: where the real font's strokes land for the longest texts
// of both languages (the window's tests read its words).
#include "sky/time_readout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "i18n/language.h"
#include "tests/sky/replay.h"

namespace caelora {
namespace {

const std::string kData = CAELORA_SOURCE_DATA_DIR;

TEST(TimeReadout, LongestTextsStayInTheBoxAlignedOnItsRight) {
  const ChartBox box = readoutBox();
  for (const char* language : {"english", "czech"}) {
    const GlyphTable glyphs = loadFont(kData, kData + "/" + language + ".lng");
    // The widest month and zone; a zone far too long is set smaller.
    const std::string meanTime = readLangKey(kData + "/czech.lng", "Sky_Time", "LocalMeanTime");
    for (const std::string& text : {std::string("28 September 2026 23:59 CEST"), "28. listopadu 2026 23:58 " + meanTime,
                                    "28 Nov 2026 00:00 " + std::string(60, 'W')}) {
      double right = -1;
      for (const testing::Shape& shape : testing::Replay(recordTimeReadout(glyphs, ScreenScheme::Colour, text)))
        for (const testing::Point& p : shape.points) {
          EXPECT_TRUE(p.x > box.left - 1e-6 && p.x < box.right + 1e-6 && p.y > box.bottom - 1e-6 && p.y < box.top + 1e-6)
              << text << ": " << p.x << ", " << p.y;
          right = std::max(right, p.x);
        }
      EXPECT_NEAR(right, box.right, 0.01) << text;
    }
  }
}

}  // namespace
}  // namespace caelora
