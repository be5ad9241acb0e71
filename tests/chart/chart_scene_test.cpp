// SPDX-License-Identifier: GPL-2.0-or-later
// Which layers the chart records at start-up and after a change of
// settings, and what a failing loader leaves behind.
#include <gtest/gtest.h>

#include <set>

#include "chart/chart_scene.h"

using namespace caelora;

namespace {

const std::string kData = CAELORA_SOURCE_DATA_DIR;

std::set<Layer> recorded(ChartScene& scene) {
  std::set<Layer> layers;
  for (const auto& entry : scene.takePending()) layers.insert(entry.first);
  return layers;
}

ChartScene startedScene(const Settings& s, StepRunner& steps) {
  ChartScene scene(s, kData);
  scene.loadAtStartup(steps);
  scene.recordMaskIfNeeded(steps);  // the first frame
  scene.takePending();
  return scene;
}

}  // namespace

TEST(ChartLayers, StartUpLoadsTheAlwaysShownLayersAndTheSwitchedOnes) {
  StepRunner steps;
  Settings s = defaultSettings(kData);
  ChartScene scene(s, kData);
  scene.loadAtStartup(steps);
  EXPECT_EQ(recorded(scene), (std::set<Layer>{Layer::Names, Layer::MilkyWay, Layer::Stars,
                                               Layer::DateScale, Layer::Figures,
                                               Layer::WindowShape}));
  EXPECT_TRUE(scene.recordMaskIfNeeded(steps));  // the first frame records it
  EXPECT_FALSE(scene.recordMaskIfNeeded(steps));
  EXPECT_EQ(recorded(scene), (std::set<Layer>{Layer::Mask}));

  s.showLines = s.showMilkyWay = s.showNames = false;
  s.showGrid = s.showEcliptic = true;
  ChartScene other(s, kData);
  other.loadAtStartup(steps);
  // Names are recorded even when hidden: showing them needs no reload.
  EXPECT_EQ(recorded(other), (std::set<Layer>{Layer::Names, Layer::Ecliptic, Layer::Grid,
                                               Layer::Stars, Layer::DateScale,
                                               Layer::WindowShape}));
}

TEST(ChartLayers, AMissingFigureFileIsReportedBeforeTheFiguresLoad) {
  StepRunner steps;
  Settings s = defaultSettings(kData);
  s.linesFile = kData + "/no-such-set.con";
  s.showLines = false;  // tested all the same
  ChartScene scene(s, kData);
  std::string reported;
  scene.loadAtStartup(steps, [&](const std::string& file) {
    reported = file;
    // The user picks another set and switches the figures on.
    Settings chosen = scene.settings();
    chosen.linesFile = kData + "/default.con";
    chosen.showLines = true;
    scene.applySettings(chosen, steps);
  });
  EXPECT_EQ(reported, kData + "/no-such-set.con");
  EXPECT_EQ(scene.settings().linesFile, kData + "/default.con");
  EXPECT_EQ(recorded(scene).count(Layer::Figures), 1u);

  reported.clear();
  ChartScene present(defaultSettings(kData), kData);
  present.loadAtStartup(steps, [&](const std::string& file) { reported = file; });
  EXPECT_EQ(reported, "");
}

TEST(ChartLayers, LatitudeSchemeAndLanguageRebuildEveryShownLayer) {
  StepRunner steps;
  const Settings s = defaultSettings(kData);
  for (auto change : {+[](Settings& x) { x.latitude = -50; },
                      +[](Settings& x) { x.colourScheme = ScreenScheme::BlackOnWhite; },
                      +[](Settings& x) { x.languageFile = kData + "/czech.lng"; }}) {
    ChartScene scene = startedScene(s, steps);
    Settings next = s;
    change(next);
    scene.applySettings(next, steps);
    EXPECT_EQ(recorded(scene),
              (std::set<Layer>{Layer::WindowShape, Layer::Mask, Layer::DateScale, Layer::Names,
                               Layer::Stars, Layer::MilkyWay, Layer::Figures}));
  }
}

TEST(ChartLayers, EachLayerFollowsOnlyTheValuesItReads) {
  StepRunner steps;
  const Settings s = defaultSettings(kData);
  struct Case {
    void (*change)(Settings&);
    std::set<Layer> rebuilt;
  };
  const Case cases[] = {
      {[](Settings&) {}, {Layer::Figures}},  // OK without changes: the figures only
      {[](Settings& x) { x.alwaysOnTop = false; }, {Layer::Figures}},
      {[](Settings& x) { x.nameSize = 2; }, {Layer::Names, Layer::Figures}},
      {[](Settings& x) { x.dailyScale = true; }, {Layer::DateScale, Layer::Figures}},
      {[](Settings& x) { x.milkyWayIntensity = 9; }, {Layer::MilkyWay, Layer::Figures}},
      {[](Settings& x) { x.showGrid = true; }, {Layer::Grid, Layer::Figures}},
      {[](Settings& x) { x.showBoundaries = true; }, {Layer::Boundaries, Layer::Figures}},
      {[](Settings& x) { x.showLines = false; }, {}},
      {[](Settings& x) { x.showMilkyWay = false; }, {Layer::Figures}},
  };
  for (const Case& c : cases) {
    ChartScene scene = startedScene(s, steps);
    Settings next = s;
    c.change(next);
    scene.applySettings(next, steps);
    EXPECT_EQ(recorded(scene), c.rebuilt);
  }
}

TEST(ChartLayers, AHiddenLayerChangedMeanwhileIsRebuiltWhenShownAgain) {
  StepRunner steps;
  Settings s = defaultSettings(kData);
  s.showMilkyWay = false;
  s.showLines = false;
  ChartScene scene = startedScene(s, steps);

  Settings dimmer = s;
  dimmer.milkyWayIntensity = 2;  // while hidden: nothing to record
  scene.applySettings(dimmer, steps);
  EXPECT_EQ(recorded(scene), (std::set<Layer>{}));

  Settings shown = dimmer;
  shown.showMilkyWay = true;  // same intensity as just set, never recorded at it
  scene.applySettings(shown, steps);
  EXPECT_EQ(recorded(scene), (std::set<Layer>{Layer::MilkyWay}));

  // Switching it off and on again with nothing changed needs no new recording.
  Settings hidden = shown;
  hidden.showMilkyWay = false;
  scene.applySettings(hidden, steps);
  scene.applySettings(shown, steps);
  EXPECT_EQ(recorded(scene), (std::set<Layer>{}));
}

TEST(ChartLayers, ANewContextGetsEveryLoadedLayerAgain) {
  StepRunner steps;
  ChartScene scene = startedScene(defaultSettings(kData), steps);
  scene.reloadAll(steps);
  EXPECT_EQ(recorded(scene), (std::set<Layer>{Layer::Names, Layer::MilkyWay, Layer::Stars,
                                               Layer::DateScale, Layer::Figures,
                                               Layer::WindowShape}));
  EXPECT_TRUE(scene.recordMaskIfNeeded(steps));  // at its first frame
}

TEST(StepRunner, NotesAFailureAndGoesOn) {
  std::vector<std::string> seen;
  StepRunner steps([&](const std::string& note) { seen.push_back(note); });
  int ran = 0;
  EXPECT_FALSE(steps.run("first", [] { throw std::runtime_error("yale.dat, record 7: bad"); }));
  EXPECT_TRUE(steps.run("second", [&] { ++ran; }));
  EXPECT_FALSE(steps.run("third", [] { throw 42; }));
  EXPECT_EQ(ran, 1);
  ASSERT_EQ(steps.errors().size(), 2u);
  EXPECT_EQ(steps.errors()[0], "first: yale.dat, record 7: bad");
  EXPECT_EQ(steps.errors()[1], "third: unknown error");
  EXPECT_EQ(seen, steps.errors());
}

TEST(StepRunner, EveryLayerIsAStepTheMessagesName) {
  // Its name appears in the notes, in the language of the language file.
  for (Layer layer : kAllLayers)
    EXPECT_EQ(englishMessage(StepRunner::stepMessageId(layerName(layer))),
              std::string_view(layerName(layer)));
}
