// SPDX-License-Identifier: GPL-2.0-or-later
// The frame routine of the chart, in raw OpenGL 1.1.
#include "gl/frame.h"

#include <GL/gl.h>

#include "sky/display_list.h"
#include "sky/screen_colours.h"

namespace caelora {

namespace {

void setClearColour(ScreenScheme colourScheme) {
  const GLfloat c = screenColours(colourScheme).background;
  glClearColor(c, c, c, 0.0f);
}

}  // namespace

// Everything that turns with the disc, in its fixed order.
void drawDisc(const FrameLayers& layers, double discAngleDeg) {
  glPushMatrix();
  glRotatef(static_cast<GLfloat>(discAngleDeg), 0.0f, 0.0f, 1.0f);
  if (layers.milkyWay) glCallList(kMilkyWayList);
  if (layers.grid) glCallList(kGridList);
  if (layers.boundaries) glCallList(kBoundariesList);
  if (layers.ecliptic) glCallList(kEclipticList);
  if (layers.messier) glCallList(kMessierList);
  glEnable(GL_LINE_SMOOTH);
  glCallList(kStarsList);
  if (layers.names) glCallList(kNamesList);
  glCallList(kDateScaleList);
  glDisable(GL_LINE_SMOOTH);
  if (layers.lines) glCallList(kFiguresList);
  if (layers.planets) glCallList(kPlanetsList);
  glPopMatrix();
}

void drawOverDisc(const FrameLayers& layers, LineEdges edges) {
  if (!layers.horizonGrid) return;
  if (edges == LineEdges::Smooth) glEnable(GL_LINE_SMOOTH);
  glCallList(kHorizonGridList);
  glDisable(GL_LINE_SMOOTH);
}

void drawReadout() {
  outsideHorizonWindow();
  glCallList(kReadoutList);
}

FrameLayers frameLayers(const Settings& s) {
  FrameLayers layers;
  layers.colourScheme = s.colourScheme;
  layers.milkyWay = s.showMilkyWay;
  layers.grid = s.showGrid;
  layers.boundaries = s.showBoundaries;
  layers.ecliptic = s.showEcliptic;
  layers.names = s.showNames;
  layers.lines = s.showLines;
  layers.horizonGrid = s.showHorizonGrid;
  layers.planets = s.showPlanets;
  layers.messier = s.showMessier;
  return layers;
}

void setViewport(int widthPx, int heightPx) {
  glViewport(0, 0, widthPx, heightPx);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void DrawInit(ScreenScheme colourScheme) {
  setClearColour(colourScheme);
  glEnable(GL_POINT_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_STENCIL_TEST);
  glClearStencil(1);
}

void clearFrame(ScreenScheme colourScheme) {
  setClearColour(colourScheme);
  glClear(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);  // stencil 1 everywhere
}

void cutHorizonWindow() {
  // The window shape writes 0 into the stencil; its colour is cleared away.
  glStencilFunc(GL_ALWAYS, 0, 1);
  glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
  glCallList(kWindowShapeList);
  glClear(GL_COLOR_BUFFER_BIT);
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

void insideHorizonWindow() { glStencilFunc(GL_EQUAL, 0, 1); }

void outsideHorizonWindow() { glStencilFunc(GL_NOTEQUAL, 0, 1); }

void drawChartFrame(const FrameLayers& layers, double discAngleDeg,
                    const std::function<void()>& buildMaskIfNeeded, bool useMask) {
  // The scheme may have changed since DrawInit.
  if (!useMask) {
    glDisable(GL_STENCIL_TEST);
    clearFrame(layers.colourScheme);
    drawDisc(layers, discAngleDeg);
    drawOverDisc(layers);
    glEnable(GL_STENCIL_TEST);
    return;
  }
  clearFrame(layers.colourScheme);
  cutHorizonWindow();

  // The disc lands only inside the window shape, the mask only outside it.
  insideHorizonWindow();
  drawDisc(layers, discAngleDeg);
  drawOverDisc(layers);
  outsideHorizonWindow();
  if (buildMaskIfNeeded) buildMaskIfNeeded();
  glCallList(kMaskList);
}

}  // namespace caelora
