// SPDX-License-Identifier: GPL-2.0-or-later
// The command line of caelora-export: every setting option, the value
// forms, the refusals that end with status 2, and its manual page.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "cli/export_options.h"

using namespace caelora;

namespace {
ExportOptions parse(std::vector<std::string> args) { return parseExportOptions(args); }

void expectRefused(std::vector<std::string> args, const std::string& mentions) {
  try {
    parseExportOptions(args);
    ADD_FAILURE() << "accepted: " << ::testing::PrintToString(args);
  } catch (const UsageError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find(mentions), std::string::npos) << what;
    EXPECT_EQ(what.find('\n'), std::string::npos) << "one line: " << what;
  }
}
}  // namespace

TEST(ExportOptions, EverySettingOverridesTheStoredValue) {
  const ExportOptions o = parse({"--png", "out.png", "--size", "600", "--angle", "-12.5",
                                 "--latitude", "-35", "--colour-scheme", "3", "--no-lines",
                                 "--no-names", "--no-milky-way", "--grid", "--ecliptic", "--daily",
                                 "--line-intensity", "10", "--milky-way-intensity", "0",
                                 "--name-size", "2", "--language", "/x/czech.lng", "--figures",
                                 "/x/rey.con", "--no-mask", "--longitude", "-21.94", "--time-zone",
                                 "Atlantic/Reykjavik", "--horizon-grid", "--boundaries", "--star-limit", "6.5",
                                 "--print-star-limit", "6"});
  EXPECT_EQ(o.pngFile, "out.png");
  EXPECT_EQ(o.sizePx, 600);
  EXPECT_EQ(o.angleDeg, -12.5);
  EXPECT_FALSE(o.useMask);

  Settings stored = defaultSettings("/data");
  stored.alwaysOnTop = false;
  const Settings s = applyOverrides(stored, o.overrides);
  EXPECT_EQ(s.latitude, -35);
  EXPECT_EQ(s.colourScheme, ScreenScheme::Red);
  EXPECT_EQ(s.longitude, -21.9);
  EXPECT_EQ(s.timeZone, "Atlantic/Reykjavik");
  EXPECT_TRUE(s.showHorizonGrid && s.showBoundaries);
  EXPECT_EQ(s.starLimit, 6.5);
  EXPECT_EQ(s.printStarLimit, 6);
  EXPECT_FALSE(s.showLines);
  EXPECT_FALSE(s.showNames);
  EXPECT_FALSE(s.showMilkyWay);
  EXPECT_TRUE(s.showGrid);
  EXPECT_TRUE(s.showEcliptic);
  EXPECT_TRUE(s.dailyScale);
  EXPECT_EQ(s.lineIntensity, 10);
  EXPECT_EQ(s.milkyWayIntensity, 0);
  EXPECT_EQ(s.nameSize, 2);
  EXPECT_EQ(s.languageFile, "/x/czech.lng");
  EXPECT_EQ(s.linesFile, "/x/rey.con");
  EXPECT_FALSE(s.alwaysOnTop);  // no option for it: the stored value stays
}

TEST(ExportOptions, WithoutOverridesTheStoredSettingsStand) {
  const ExportOptions o = parse({"--png=chart.png"});
  EXPECT_EQ(o.pngFile, "chart.png");
  EXPECT_TRUE(o.useMask);
  Settings stored = defaultSettings("/data");
  stored.latitude = -60;
  stored.showGrid = true;
  EXPECT_EQ(applyOverrides(stored, o.overrides), stored);
}

TEST(ExportOptions, InlineValuesAndLaterOptionsWin) {
  const ExportOptions o = parse({"--latitude=40", "--grid", "--no-grid", "--png", "a.png",
                                 "--latitude", "-80"});
  EXPECT_EQ(*o.overrides.latitude, -80);
  EXPECT_FALSE(*o.overrides.showGrid);
}

TEST(ExportOptions, RelativeFilesAreMadeAbsolute) {
  const ExportOptions o = parse({"--png", "a.png", "--figures", "sets/../rey.con"});
  const std::filesystem::path p(*o.overrides.linesFile);
  EXPECT_TRUE(p.is_absolute());
  EXPECT_EQ(p, std::filesystem::current_path() / "rey.con");
}

TEST(ExportOptions, BadCommandLinesAreRefusedInOneLine) {
  expectRefused({}, "--png");
  expectRefused({"--size", "800"}, "--png");
  expectRefused({"--png"}, "--png wants a value");
  expectRefused({"--png", "a.png", "--latitude", "10"}, "25 to 80");
  expectRefused({"--png", "a.png", "--latitude", "0"}, "25 to 80");
  expectRefused({"--png", "a.png", "--latitude", "81"}, "--latitude");
  expectRefused({"--png", "a.png", "--latitude", "50.5"}, "--latitude");
  expectRefused({"--png", "a.png", "--colour-scheme", "4"}, "--colour-scheme");
  expectRefused({"--png", "a.png", "--line-intensity", "11"}, "--line-intensity");
  expectRefused({"--png", "a.png", "--milky-way-intensity", "-1"}, "--milky-way-intensity");
  expectRefused({"--png", "a.png", "--name-size", "3"}, "--name-size");
  expectRefused({"--png", "a.png", "--size", "big"}, "--size");
  expectRefused({"--png", "a.png", "--size", "0"}, "--size");
  expectRefused({"--png", "a.png", "--angle", "12,5"}, "--angle");
  expectRefused({"--png", "a.png", "--angle", "nan"}, "--angle");
  expectRefused({"--png", "a.png", "--frobnicate"}, "--frobnicate");
  expectRefused({"--png", "a.png", "--no-frobnicate"}, "--no-frobnicate");
  expectRefused({"--png", "a.png", "--grid=yes"}, "--grid=yes");
  expectRefused({"--png", "a.png", "stray"}, "stray");
  expectRefused({"--png", "a.png", "--longitude", "181"}, "--longitude");
  expectRefused({"--png", "a.png", "--longitude", "14,4"}, "--longitude");
  expectRefused({"--png", "a.png", "--time", "2026-13-01T21:00"}, "--time");
  expectRefused({"--png", "a.png", "--time", "2026-01-15T21:00", "--now"}, "--now");
  expectRefused({"--png", "a.png", "--now", "--angle", "10"}, "--angle");
  expectRefused({"--png", "a.png", "--star-limit", "7"}, "--star-limit");
  expectRefused({"--png", "a.png", "--print-star-limit", "6.5"}, "--print-star-limit");
  // Arguments too short for an option, and empty file names (an unset
  // shell variable), are refused rather than read past their end.
  for (const std::string arg : {"x", "", "-", "=", "--", "--no-"})
    expectRefused({"a.pdf", arg}, "unknown option \"" + arg + "\"");
  expectRefused({"--png", ""}, "--png wants a file name");
  expectRefused({"a.pdf", "--language", ""}, "--language wants a file name");
  expectRefused({"a.pdf", "--figures="}, "--figures wants a file name");
  // A second output would drop the first.
  expectRefused({"--png", "a.png", "--png", "b.png"}, "--png once only: \"a.png\" and \"b.png\"");
  expectRefused({"--all-latitudes", "a", "--all-latitudes=b"}, "--all-latitudes once only");
}

TEST(ExportOptions, HelpNeedsNothingElse) { EXPECT_TRUE(parse({"--help"}).help); }

TEST(ExportOptions, TheManualPageNamesEveryOptionOfTheUsage) {
  std::ifstream in(std::string(CAELORA_SOURCE_DATA_DIR) + "/../packaging/caelora-export.1");
  std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(page.empty());
  // In troff a hyphen of an option is written "\-".
  page = std::regex_replace(page, std::regex(R"(\\-)"), "-");
  const std::string usage = exportUsage();
  const std::regex option("--[a-z-]+");
  for (auto it = std::sregex_iterator(usage.begin(), usage.end(), option);
       it != std::sregex_iterator(); ++it)
    EXPECT_NE(page.find(it->str()), std::string::npos) << it->str();
}
