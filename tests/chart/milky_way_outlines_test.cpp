// SPDX-License-Identifier: GPL-2.0-or-later
// The outlines the program carries are the ones in data/milkyway.
#include "chart/milky_way_outlines.h"

#include <gtest/gtest.h>

namespace caelora {
namespace {

TEST(MilkyWayOutlines, CompiledInResourcesMatchTheDataFiles) {
  const MilkyWayOutlines carried = loadMilkyWayOutlines();
  const MilkyWayOutlines files = readMilkyWayOutlines(std::string(CAELORA_SOURCE_DATA_DIR) + "/milkyway");
  for (int number = 101; number <= 104; ++number) {
    EXPECT_FALSE(carried.resource(number).empty()) << number;
    EXPECT_EQ(carried.resource(number), files.resource(number)) << number;
  }
}

}  // namespace
}  // namespace caelora
