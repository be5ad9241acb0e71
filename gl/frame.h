// SPDX-License-Identifier: GPL-2.0-or-later
// One frame of the chart: the clears, the stencil passes that cut the
// horizon window, the star disc's lists turned by the disc angle, and the
// mask outside the window. Shared by the window and the offscreen renderer.
#pragma once

#include <functional>

#include "settings/settings.h"

namespace caelora {

// Which optional lists a frame calls, and the background.
struct FrameLayers {
  ScreenScheme colourScheme = ScreenScheme::Colour;
  bool milkyWay = true;
  bool grid = false;
  bool boundaries = false;
  bool ecliptic = false;
  bool names = true;
  bool lines = true;
  bool horizonGrid = false;  // drawn over the disc in the window, not turned
  bool planets = false;
  bool messier = false;
};

FrameLayers frameLayers(const Settings& settings);

// Orthographic view of -1..1 in x and y over the whole surface.
void setViewport(int widthPx, int heightPx);

// The fixed state of the chart: background colour, point smoothing,
// alpha blending, the stencil test with clear value 1.
void DrawInit(ScreenScheme colourScheme);

// Draws one frame into the bound framebuffer (presenting it is the
// caller's part). `buildMaskIfNeeded` runs right before list 8 is called,
// so that the mask can be recorded at the first frame. Without `useMask`
// the disc's lists are drawn without stencil and mask, to look at layers on
// their own.
void drawChartFrame(const FrameLayers& layers, double discAngleDeg,
                    const std::function<void()>& buildMaskIfNeeded, bool useMask = true);

// The passes of a frame, for frames put together another way.
// Background colour of the scheme everywhere, stencil 1 everywhere.
void clearFrame(ScreenScheme colourScheme);
// Stencil 0 inside the horizon window (list 7), colour cleared again.
void cutHorizonWindow();
// What is drawn next lands only inside, or only outside, the window.
void insideHorizonWindow();
void outsideHorizonWindow();
// Every list that turns with the disc, in its fixed order, turned by the
// disc angle.
void drawDisc(const FrameLayers& layers, double discAngleDeg);
// What stands still over the disc in the window: the horizon grid, its
// strokes smoothed in an exact frame; the frames of a turn draw them with
// hard edges, which costs a software rasteriser a sixth of a frame less.
enum class LineEdges { Smooth, Hard };
void drawOverDisc(const FrameLayers& layers, LineEdges edges = LineEdges::Smooth);
// The readout (list 11) over the mask, where the window has none.
void drawReadout();

}  // namespace caelora
