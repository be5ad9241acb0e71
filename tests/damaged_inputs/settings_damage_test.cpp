// SPDX-License-Identifier: GPL-2.0-or-later
// Damaged values in the settings store: whatever the stored texts are, the
// chart gets a latitude it can draw, a colour scheme it has, and values
// that did not convert as 0, false or empty; the other keys are still read.
#include <gtest/gtest.h>

#include <map>

#include "settings/settings.h"
#include "tests/damaged_inputs/damage.h"
#include "tests/memory_store.h"

namespace caelora::damage {
namespace {


const char* const kKeys[] = {"SMapCMode", "SMapLMode",  "SMapNMode", "SMapMMode", "SMapILMode",
                             "SMapIMMode", "SMapIPMode", "SMapDaily", "SMapRaDec", "SMapEclip",
                             "SMapTopMost", "SMapFLang", "SMapFLines", "SMapLat"};

// The text every key holds under one kind of damage (a folder in place of
// the store is a case of the real store, in scene/).
std::string damagedText(Damage d) {
  switch (d) {
    case Damage::Empty: return "";
    case Damage::Truncated: return "-3";  // "-35" cut short
    case Damage::Garbage: return garbage();
    case Damage::HugeNumber: return "99999999999999999999";
    case Damage::TooFewFields: return "5,";
    case Damage::LongLine: return std::string(300000, '9');
    case Damage::NotWindows1250: return "\x81\x83\x88\x90\x98";
    case Damage::OutOfRange: return "255";  // a byte, beyond every level
    default: return "";
  }
}

class DamagedSettings : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedSettings, GiveAChartThatCanBeDrawn) {
  test::MemoryStore store;
  const std::string text = damagedText(GetParam());
  for (const char* key : kKeys) store.values[key] = text;
  if (GetParam() == Damage::Missing) store.values.clear();
  const Settings s = loadSettings(store, "/opt/caelora");

  const int magnitude = s.latitude < 0 ? -s.latitude : s.latitude;
  EXPECT_GE(magnitude, 25);
  EXPECT_LE(magnitude, 80);
  EXPECT_LE(static_cast<int>(s.colourScheme), 3);
  switch (GetParam()) {
    case Damage::Missing:
      EXPECT_EQ(s, defaultSettings("/opt/caelora"));
      break;
    case Damage::Truncated:  // a number still, and the latitude comes to the nearest drawable one
      EXPECT_EQ(s.latitude, -25);
      EXPECT_EQ(s.colourScheme, ScreenScheme::Colour);  // -3 is no scheme
      EXPECT_TRUE(s.showLines);
      EXPECT_EQ(s.languageFile, "-3");
      break;
    case Damage::OutOfRange:  // levels and latitude come to the nearest they can be
      EXPECT_EQ(s.latitude, 80);
      EXPECT_EQ(s.colourScheme, ScreenScheme::Colour);
      EXPECT_EQ(s.lineIntensity, 10);
      EXPECT_EQ(s.milkyWayIntensity, 10);
      EXPECT_EQ(s.nameSize, 2);
      break;
    case Damage::HugeNumber:  // beyond every range: 0, and the default latitude
      EXPECT_EQ(s.latitude, 50);
      EXPECT_EQ(s.lineIntensity, 0);
      EXPECT_TRUE(s.showLines);  // a number other than 0 is true
      break;
    default:  // nothing converts: 0, false, the text as it stands
      EXPECT_EQ(s.latitude, 50);
      EXPECT_EQ(s.colourScheme, ScreenScheme::Colour);
      EXPECT_EQ(s.lineIntensity, 0);
      EXPECT_FALSE(s.showLines);
      EXPECT_FALSE(s.alwaysOnTop);
      EXPECT_EQ(s.linesFile, text);
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, DamagedSettings,
                         ::testing::Values(Damage::Missing, Damage::Empty, Damage::Truncated, Damage::Garbage,
                                           Damage::HugeNumber, Damage::TooFewFields, Damage::LongLine,
                                           Damage::NotWindows1250, Damage::OutOfRange),
                         [](const ::testing::TestParamInfo<Damage>& info) { return std::string(damageName(info.param)); });

}  // namespace
}  // namespace caelora::damage
