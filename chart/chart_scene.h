// SPDX-License-Identifier: GPL-2.0-or-later
// The chart's layers between the sky loaders and OpenGL: runs the loaders
// under the settings that switch them, holds each recording until a GL
// context compiles it, and knows which layers a change of settings makes
// stale. The window, the offscreen renderer and the options dialog share it.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "chart/step_runner.h"
#include "sky/chart_setup.h"
#include "sky/display_list.h"

namespace caelora {

enum class Layer {
  Stars, Figures, Names, DateScale, MilkyWay, WindowShape, Mask, Grid, Ecliptic, Boundaries, HorizonGrid, Planets, Messier
};

constexpr std::array<Layer, 13> kAllLayers = {Layer::Stars,       Layer::Figures,    Layer::Names,
                                              Layer::DateScale,   Layer::MilkyWay,   Layer::WindowShape,
                                              Layer::Mask,        Layer::Grid,       Layer::Ecliptic,
                                              Layer::Boundaries,  Layer::HorizonGrid, Layer::Planets,
                                              Layer::Messier};

int listNumber(Layer layer);
const char* layerName(Layer layer);

// Whether the chart keeps this layer loaded under `s` (names, stars, the
// date scale, the window shape and the mask always; the rest when shown).
bool isLoaded(Layer layer, const Settings& s);

// Whether a layer recorded under `built` is out of date under `now`. The
// latitude, the colour scheme and the language touch every layer; each
// layer adds the values only it reads.
bool isStale(Layer layer, const Settings& built, const Settings& now);

class ChartScene {
 public:
  ChartScene(Settings settings, std::string programFolder);

  const ChartSetup& setup() const { return setup_; }
  const Settings& settings() const { return setup_.settings; }

  // Start-up: the vector font, then the layers in their fixed order. Between
  // the date scale and the figures, `linesFileMissing` is told when the
  // figure file does not exist; it may change the settings (through
  // applySettings) before the figures are loaded from the file as it then
  // stands. The window shape comes last; the mask waits for the first frame.
  void loadAtStartup(StepRunner& steps,
                     const std::function<void(const std::string&)>& linesFileMissing = {});

  // Takes new settings and records again exactly the layers they make
  // stale (the figures whenever they are shown, so that a changed figure
  // file takes effect); reloads the font when the language changed.
  void applySettings(const Settings& next, StepRunner& steps);

  // The time the chart is set to (none: a chart of no particular time). The
  // planets move with it: their layer is recorded again when it changes.
  void setInstant(std::optional<double> unixSeconds, StepRunner& steps);
  const std::optional<double>& instant() const { return setup_.instant; }

  // A new GL context holds no lists: records every loaded layer again.
  void reloadAll(StepRunner& steps);

  // Hands each waiting recording to `compile` under its list number and
  // drops it; the GL side passes compileList, with its context current.
  using ListCompiler = void (*)(int listNumber, const DisplayList& recording);
  void compilePending(ListCompiler compile);
  // Frame step: records the mask the first time it is needed; true when it
  // did, so that the caller compiles it before calling list 8.
  bool recordMaskIfNeeded(StepRunner& steps);

  // The recordings not yet compiled, handed over and forgotten here.
  std::map<Layer, DisplayList> takePending();

 private:
  void load(Layer layer, StepRunner& steps);
  void loadFont(StepRunner& steps);
  void loadIfStale(Layer layer, StepRunner& steps);

  ChartSetup setup_;
  std::map<Layer, Settings> builtWith_;
  std::map<Layer, DisplayList> pending_;
  bool maskBuilt_ = false;
};

}  // namespace caelora
