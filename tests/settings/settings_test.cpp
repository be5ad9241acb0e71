// SPDX-License-Identifier: GPL-2.0-or-later
// Settings: defaults, stored text forms, key order and damaged values.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "tests/memory_store.h"

namespace caelora {
namespace {

using test::MemoryStore;

Settings loadWith(std::map<std::string, std::string> values) {
  MemoryStore store;
  store.values = std::move(values);
  return loadSettings(store, "/opt/caelora");
}

TEST(Settings, EmptyStoreGivesTheDefaults) {
  const Settings s = loadWith({});
  EXPECT_EQ(s.colourScheme, ScreenScheme::Colour);
  EXPECT_TRUE(s.showLines);
  EXPECT_TRUE(s.showNames);
  EXPECT_TRUE(s.showMilkyWay);
  EXPECT_EQ(s.lineIntensity, 5);
  EXPECT_EQ(s.milkyWayIntensity, 5);
  EXPECT_EQ(s.nameSize, 1);
  EXPECT_FALSE(s.dailyScale);
  EXPECT_FALSE(s.showGrid);
  EXPECT_FALSE(s.showEcliptic);
  EXPECT_TRUE(s.alwaysOnTop);
  EXPECT_EQ(s.languageFile, "/opt/caelora/english.lng");
  EXPECT_EQ(s.linesFile, "/opt/caelora/default.con");
  EXPECT_EQ(s.latitude, 50);
  EXPECT_TRUE(s == defaultSettings("/opt/caelora"));
}

TEST(Settings, KeysAreReadAndWrittenInTheirFixedOrder) {
  MemoryStore store;
  loadSettings(store, "/x");
  EXPECT_EQ(store.reads, (std::vector<std::string>{
                             "SMapCMode", "SMapLMode", "SMapNMode", "SMapMMode", "SMapILMode",
                             "SMapIMMode", "SMapIPMode", "SMapDaily", "SMapRaDec", "SMapEclip",
                             "SMapTopMost", "SMapFLang", "SMapFLines", "SMapLat", "SMapHzGrid", "SMapBounds",
                             "SMapStarLim", "SMapPrnLim", "SMapPlanets", "SMapMessier", "SMapMesLim",
                             "SMapLon", "SMapZone"}));
  saveSettings(store, defaultSettings("/x"));
  EXPECT_EQ(store.writes, (std::vector<std::string>{
                              "SMapCMode", "SMapLMode", "SMapNMode", "SMapMMode", "SMapILMode",
                              "SMapIMMode", "SMapIPMode", "SMapFLang", "SMapFLines", "SMapLat",
                              "SMapDaily", "SMapRaDec", "SMapEclip", "SMapTopMost", "SMapHzGrid", "SMapBounds",
                              "SMapStarLim", "SMapPrnLim", "SMapPlanets", "SMapMessier", "SMapMesLim",
                             "SMapLon", "SMapZone"}));
}

TEST(Settings, SavedTextFormsAndRoundTrip) {
  Settings s = defaultSettings("/home/u/Caelora data");
  s.colourScheme = ScreenScheme::Red;
  s.showNames = false;
  s.lineIntensity = 10;
  s.milkyWayIntensity = 0;
  s.nameSize = 2;
  s.dailyScale = true;
  s.showGrid = true;
  s.alwaysOnTop = false;
  s.linesFile = "/home/u/Caelora data/west, old.con";
  s.latitude = -35;
  s.longitude = 151.2;
  s.timeZone = "Australia/Sydney";
  s.showBoundaries = true;
  s.starLimit = 6.5;
  MemoryStore store;
  saveSettings(store, s);
  EXPECT_EQ(store.values["SMapCMode"], "3");
  EXPECT_EQ(store.values["SMapLMode"], "True");
  EXPECT_EQ(store.values["SMapNMode"], "False");
  EXPECT_EQ(store.values["SMapIMMode"], "0");
  EXPECT_EQ(store.values["SMapFLines"], "/home/u/Caelora data/west, old.con");
  EXPECT_EQ(store.values["SMapLat"], "-35");
  EXPECT_EQ(store.values["SMapLon"], "151.2");
  EXPECT_EQ(store.values["SMapStarLim"], "6.5");
  EXPECT_EQ(store.values["SMapPrnLim"], "5.0");
  EXPECT_EQ(store.values.size(), 23u);
  EXPECT_TRUE(loadSettings(store, "/elsewhere") == s);
}

TEST(Settings, BooleansReadInAnyCaseOrAsNumbers) {
  EXPECT_FALSE(loadWith({{"SMapLMode", "false"}}).showLines);
  EXPECT_FALSE(loadWith({{"SMapLMode", "FALSE"}}).showLines);
  EXPECT_FALSE(loadWith({{"SMapLMode", "0"}}).showLines);
  EXPECT_TRUE(loadWith({{"SMapDaily", "True"}}).dailyScale);
  EXPECT_TRUE(loadWith({{"SMapDaily", "tRuE"}}).dailyScale);
  EXPECT_TRUE(loadWith({{"SMapDaily", "-1"}}).dailyScale);
  EXPECT_TRUE(loadWith({{"SMapDaily", " 2 "}}).dailyScale);
  // A word that is no boolean leaves false, even where the default is true.
  EXPECT_FALSE(loadWith({{"SMapTopMost", "yes"}}).alwaysOnTop);
  EXPECT_FALSE(loadWith({{"SMapTopMost", ""}}).alwaysOnTop);
  EXPECT_FALSE(parseBoolean("1x").has_value());
  EXPECT_FALSE(parseBoolean("--1").has_value());
}

TEST(Settings, LongitudeAndStarLimitsInTenths) {
  EXPECT_EQ(loadWith({{"SMapLon", "14.42"}}).longitude, 14.4);
  EXPECT_EQ(loadWith({{"SMapLon", "-74"}}).longitude, -74);
  for (const char* none : {"", "181", "14,4", "east", "nan"}) EXPECT_FALSE(loadWith({{"SMapLon", none}}).longitude) << none;
  EXPECT_EQ(longitudeText(-21.9), "-21.9");
  // Star limits outside their ranges keep the defaults.
  EXPECT_EQ(loadWith({{"SMapStarLim", "9"}, {"SMapPrnLim", "1.5"}}).starLimit, 6.1);
  EXPECT_EQ(loadWith({{"SMapPrnLim", "6.5"}}).printStarLimit, 5.0);
  EXPECT_EQ(loadWith({{"SMapStarLim", "4.26"}}).starLimit, 4.3);
  EXPECT_EQ(longitudeText(std::nullopt), "");
}

TEST(Settings, DamagedValueLeavesZeroAndTheOtherKeysAreRead) {
  const Settings s = loadWith({{"SMapCMode", "300"},
                               {"SMapILMode", "x"},
                               {"SMapIMMode", "256"},
                               {"SMapIPMode", "-1"},
                               {"SMapNMode", "maybe"},
                               {"SMapEclip", "True"},
                               {"SMapFLang", "/l/czech.lng"}});
  EXPECT_EQ(s.colourScheme, ScreenScheme::Colour);
  EXPECT_EQ(s.lineIntensity, 0);
  EXPECT_EQ(s.milkyWayIntensity, 0);
  EXPECT_EQ(s.nameSize, 0);
  EXPECT_FALSE(s.showNames);
  EXPECT_TRUE(s.showLines);
  EXPECT_TRUE(s.showEcliptic);
  EXPECT_EQ(s.languageFile, "/l/czech.lng");
  EXPECT_EQ(s.latitude, 50);
}

TEST(Settings, LevelsComeToTheirRangeButSchemesOnlyZeroToThree) {
  EXPECT_EQ(loadWith({{"SMapILMode", "255"}}).lineIntensity, 10);
  EXPECT_EQ(loadWith({{"SMapIPMode", "3"}}).nameSize, 2);
  EXPECT_EQ(loadWith({{"SMapIMMode", " +7 "}}).milkyWayIntensity, 7);
  EXPECT_EQ(loadWith({{"SMapIPMode", "1.5"}}).nameSize, 0);
  EXPECT_EQ(loadWith({{"SMapCMode", "2"}}).colourScheme, ScreenScheme::BlackOnWhite);
  EXPECT_EQ(loadWith({{"SMapCMode", "4"}}).colourScheme, ScreenScheme::Colour);
  EXPECT_EQ(loadWith({{"SMapCMode", "A"}}).colourScheme, ScreenScheme::Colour);
  EXPECT_EQ(parseWholeNumber("-32768", -32768, 32767), -32768);
  EXPECT_FALSE(parseWholeNumber("99999999999999999999", 0, 255).has_value());
  EXPECT_FALSE(parseWholeNumber("+-3", -10, 10).has_value());
}

TEST(Settings, LatitudeIsBroughtToTheNearestDrawableOne) {
  EXPECT_EQ(loadWith({{"SMapLat", "-35"}}).latitude, -35);
  EXPECT_EQ(loadWith({{"SMapLat", "25"}}).latitude, 25);
  EXPECT_EQ(loadWith({{"SMapLat", "-80"}}).latitude, -80);
  EXPECT_EQ(loadWith({{"SMapLat", "0"}}).latitude, 50);
  EXPECT_EQ(loadWith({{"SMapLat", "90"}}).latitude, 80);
  EXPECT_EQ(loadWith({{"SMapLat", "-10"}}).latitude, -25);
  EXPECT_EQ(loadWith({{"SMapLat", "3"}}).latitude, 25);
  EXPECT_EQ(loadWith({{"SMapLat", "-32768"}}).latitude, -80);
  // Beyond 16 bits or not a number: it does not convert (0), hence the default.
  EXPECT_EQ(loadWith({{"SMapLat", "40000"}}).latitude, 50);
  EXPECT_EQ(loadWith({{"SMapLat", "north"}}).latitude, 50);
}

}  // namespace
}  // namespace caelora
