// SPDX-License-Identifier: GPL-2.0-or-later
// Which layers load when, and the hand-over of recordings to OpenGL.
#include "chart/chart_scene.h"

#include <QDateTime>
#include <filesystem>
#include <utility>

#include "chart/milky_way_outlines.h"
#include "chart/time_zone.h"
#include "i18n/language.h"
#include "sky/boundaries.h"
#include "sky/figures.h"
#include "sky/grid.h"
#include "sky/ephemeris.h"
#include "sky/horizon_grid.h"
#include "sky/messier.h"
#include "sky/planets.h"
#include "sky/mask.h"
#include "sky/stars.h"
#include "sky/vector_font.h"
#include "sky/vector_state.h"

namespace caelora {

namespace {

// The recording of one layer. A layer whose loader is not part of the
// program yet records nothing.
DisplayList recordLayer(Layer layer, const ChartSetup& setup) {
  switch (layer) {
    case Layer::Stars: return LoadStars(setup);
    case Layer::Figures: return LoadFigures(setup);
    case Layer::Names: return LoadNames(setup);
    case Layer::DateScale: return LoadDateScale(setup);
    case Layer::MilkyWay: return LoadMilkyWay(setup, loadMilkyWayOutlines());
    case Layer::Grid: return LoadGrid(setup);
    case Layer::Ecliptic: return LoadEcliptic(setup);
    case Layer::WindowShape: return BuildWindowShape(setup);
    case Layer::Mask: return BuildMask(setup);
    case Layer::Boundaries: return LoadBoundaries(setup);
    case Layer::HorizonGrid: return LoadHorizonGrid(setup);
    case Layer::Planets: return LoadPlanets(setup, *erfaEphemeris());
    case Layer::Messier: return LoadMessier(setup);
  }
  return DisplayList{};
}

// The zone's rules as they stand this year.
TimeZoneFacts currentZoneFacts(const Settings& s) {
  return timeZoneFacts(s.timeZone, static_cast<double>(QDateTime::currentSecsSinceEpoch()));
}

bool sharedInputsDiffer(const Settings& a, const Settings& b) {
  return a.latitude != b.latitude || a.colourScheme != b.colourScheme ||
         a.languageFile != b.languageFile;
}

}  // namespace

int listNumber(Layer layer) {
  switch (layer) {
    case Layer::Stars: return kStarsList;
    case Layer::Figures: return kFiguresList;
    case Layer::Names: return kNamesList;
    case Layer::DateScale: return kDateScaleList;
    case Layer::MilkyWay: return kMilkyWayList;
    case Layer::WindowShape: return kWindowShapeList;
    case Layer::Mask: return kMaskList;
    case Layer::Grid: return kGridList;
    case Layer::Ecliptic: return kEclipticList;
    case Layer::Boundaries: return kBoundariesList;
    case Layer::HorizonGrid: return kHorizonGridList;
    case Layer::Planets: return kPlanetsList;
    case Layer::Messier: return kMessierList;
  }
  return 0;
}

const char* layerName(Layer layer) {
  switch (layer) {
    case Layer::Stars: return "stars";
    case Layer::Figures: return "constellation figures";
    case Layer::Names: return "constellation names";
    case Layer::DateScale: return "date scale";
    case Layer::MilkyWay: return "Milky Way";
    case Layer::WindowShape: return "horizon window";
    case Layer::Mask: return "mask";
    case Layer::Grid: return "coordinate grid";
    case Layer::Ecliptic: return "ecliptic";
    case Layer::Boundaries: return "constellation boundaries";
    case Layer::HorizonGrid: return "horizon grid";
    case Layer::Planets: return "planets";
    case Layer::Messier: return "Messier objects";
  }
  return "";
}

bool isLoaded(Layer layer, const Settings& s) {
  switch (layer) {
    case Layer::Figures: return s.showLines;
    case Layer::MilkyWay: return s.showMilkyWay;
    case Layer::Grid: return s.showGrid;
    case Layer::Ecliptic: return s.showEcliptic;
    case Layer::Boundaries: return s.showBoundaries;
    case Layer::HorizonGrid: return s.showHorizonGrid;
    case Layer::Planets: return s.showPlanets;
    case Layer::Messier: return s.showMessier;
    default: return true;
  }
}

bool isStale(Layer layer, const Settings& built, const Settings& now) {
  if (sharedInputsDiffer(built, now)) return true;
  switch (layer) {
    case Layer::Figures:
      return built.linesFile != now.linesFile || built.lineIntensity != now.lineIntensity;
    case Layer::Names: return built.nameSize != now.nameSize;
    case Layer::Stars: return built.starLimit != now.starLimit;
    case Layer::Messier: return built.messierLimit != now.messierLimit;
    case Layer::DateScale: return built.dailyScale != now.dailyScale;
    case Layer::MilkyWay: return built.milkyWayIntensity != now.milkyWayIntensity;
    case Layer::Mask: return built.longitude != now.longitude || built.timeZone != now.timeZone;
    default: return false;
  }
}

ChartScene::ChartScene(Settings settings, std::string programFolder) {
  setup_.settings = std::move(settings);
  setup_.programFolder = std::move(programFolder);
  setup_.zone = currentZoneFacts(setup_.settings);
}

void ChartScene::load(Layer layer, StepRunner& steps) {
  clearUpperVectorState();  // the recordings' arithmetic after Qt's settings or zones
  builtWith_[layer] = setup_.settings;
  DisplayList recorded;
  // A loader that fails leaves its list empty, never half recorded.
  steps.run(layerName(layer), [&] { recorded = recordLayer(layer, setup_); });
  pending_[layer] = std::move(recorded);
  if (layer == Layer::Mask) maskBuilt_ = true;
}

void ChartScene::loadFont(StepRunner& steps) {
  // A font that fails to load leaves the glyphs empty: texts draw nothing.
  setup_.glyphs = GlyphTable{};
  // Without its language file the chart still draws, but without a word
  // (or with garbled ones); the font is then not blamed for them.
  const bool texts = steps.run("language file", [&] { checkLanguageFile(setup_.settings.languageFile); });
  steps.run("vector font", [&] {
    setup_.glyphs = caelora::loadFont(setup_.programFolder, setup_.settings.languageFile);
    if (texts) requireGlyphsOfChartTexts(setup_);  // the glyphs stay: texts lack only these letters
  });
}

void ChartScene::loadIfStale(Layer layer, StepRunner& steps) {
  if (!isLoaded(layer, setup_.settings)) return;
  if (layer == Layer::Mask && !maskBuilt_) return;  // the next frame records it
  const auto built = builtWith_.find(layer);
  if (layer == Layer::Figures || built == builtWith_.end() ||
      isStale(layer, built->second, setup_.settings))
    load(layer, steps);
}

void ChartScene::loadAtStartup(StepRunner& steps,
                               const std::function<void(const std::string&)>& linesFileMissing) {
  loadFont(steps);
  load(Layer::Names, steps);
  if (setup_.settings.showMilkyWay) load(Layer::MilkyWay, steps);
  if (setup_.settings.showEcliptic) load(Layer::Ecliptic, steps);
  if (setup_.settings.showGrid) load(Layer::Grid, steps);
  if (setup_.settings.showBoundaries) load(Layer::Boundaries, steps);
  if (setup_.settings.showHorizonGrid) load(Layer::HorizonGrid, steps);
  if (setup_.settings.showMessier) load(Layer::Messier, steps);
  if (setup_.settings.showPlanets) load(Layer::Planets, steps);
  load(Layer::Stars, steps);
  load(Layer::DateScale, steps);
  steps.run("figure file", [&] {
    // Only a file that is not there is reported here; a folder or a device
    // in its place is named by the figure layer's own note.
    std::error_code ignored;
    if (!std::filesystem::exists(setup_.settings.linesFile, ignored) && linesFileMissing)
      linesFileMissing(setup_.settings.linesFile);
  });
  if (setup_.settings.showLines) load(Layer::Figures, steps);
  load(Layer::WindowShape, steps);
}

void ChartScene::applySettings(const Settings& next, StepRunner& steps) {
  const bool languageChanged = next.languageFile != setup_.settings.languageFile;
  setup_.settings = next;
  setup_.zone = currentZoneFacts(next);
  if (languageChanged) loadFont(steps);
  for (Layer layer : {Layer::WindowShape, Layer::Mask, Layer::DateScale, Layer::Names,
                      Layer::Stars, Layer::MilkyWay, Layer::Ecliptic, Layer::Grid,
                      Layer::Boundaries, Layer::Figures, Layer::HorizonGrid, Layer::Messier, Layer::Planets})
    loadIfStale(layer, steps);
}

void ChartScene::setInstant(std::optional<double> unixSeconds, StepRunner& steps) {
  if (unixSeconds == setup_.instant) return;
  setup_.instant = unixSeconds;
  // Before start-up the planets wait for it (it loads the font their names need).
  if (isLoaded(Layer::Planets, setup_.settings) && builtWith_.count(Layer::Planets)) load(Layer::Planets, steps);
}

void ChartScene::reloadAll(StepRunner& steps) {
  builtWith_.clear();
  pending_.clear();
  maskBuilt_ = false;
  for (Layer layer : kAllLayers)
    if (layer != Layer::Mask && isLoaded(layer, setup_.settings)) load(layer, steps);
}

std::map<Layer, DisplayList> ChartScene::takePending() {
  std::map<Layer, DisplayList> taken;
  taken.swap(pending_);
  return taken;
}

void ChartScene::compilePending(ListCompiler compile) {
  for (const auto& [layer, recording] : takePending()) compile(listNumber(layer), recording);
}

bool ChartScene::recordMaskIfNeeded(StepRunner& steps) {
  if (maskBuilt_) return false;
  load(Layer::Mask, steps);
  return true;
}

}  // namespace caelora
