// SPDX-License-Identifier: GPL-2.0-or-later
// Frames of a turn from two images, in raw OpenGL 1.1: the images are copied
// out of the framebuffer with glCopyTexSubImage2D into power-of-two textures.
#include "gl/turning_frames.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "sky/display_list.h"

namespace caelora {

namespace {

using PixelBox = TurningFrames::PixelBox;

int powerOfTwoAtLeast(int n) {
  int side = 1;
  while (side < n) side *= 2;
  return side;
}

// A square -1..1 of the surface showing the lower left `width` x `height`
// of the texture; pixel centres fall on texel centres.
void drawImageQuad(unsigned texture, int textureSide, int width, int height, GLint filter) {
  const GLfloat s = static_cast<GLfloat>(width) / static_cast<GLfloat>(textureSide);
  const GLfloat t = static_cast<GLfloat>(height) / static_cast<GLfloat>(textureSide);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-1, -1);
  glTexCoord2f(s, 0);
  glVertex2f(1, -1);
  glTexCoord2f(s, t);
  glVertex2f(1, 1);
  glTexCoord2f(0, t);
  glVertex2f(-1, 1);
  glEnd();
}

// The smallest box round the pixels whose stencil holds 0: the horizon
// window as the last stencil pass cut it.
PixelBox windowBox(int width, int height) {
  std::vector<unsigned char> stencil(static_cast<std::size_t>(width) * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, stencil.data());
  int left = width, right = -1, bottom = height, top = -1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (stencil[static_cast<std::size_t>(y) * width + x] & 1) continue;
      left = x < left ? x : left;
      right = x > right ? x : right;
      bottom = y < bottom ? y : bottom;
      top = y > top ? y : top;
    }
  }
  if (right < 0) return {};
  return {left, bottom, right - left + 1, top - bottom + 1};
}

}  // namespace

bool TurningFrames::Key::operator==(const Key& o) const {
  return layers.colourScheme == o.layers.colourScheme && layers.milkyWay == o.layers.milkyWay &&
         layers.horizonGrid == o.layers.horizonGrid && layers.planets == o.layers.planets &&
         layers.messier == o.layers.messier && layers.boundaries == o.layers.boundaries &&
         layers.grid == o.layers.grid && layers.ecliptic == o.layers.ecliptic &&
         layers.names == o.layers.names && layers.lines == o.layers.lines &&
         generation == o.generation && width == o.width && height == o.height;
}

TurningFrames::Key TurningFrames::keyOf(const FrameLayers& layers, std::uint64_t listsGeneration) {
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  return {layers, listsGeneration, viewport[2], viewport[3]};
}

bool TurningFrames::copyFramebuffer(Image& image, int width, int height) {
  const int side = powerOfTwoAtLeast(width > height ? width : height);
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  if (side > largest) return false;
  if (!image.texture) {
    GLuint name = 0;
    glGenTextures(1, &name);
    image.texture = name;
    image.textureSide = 0;
  }
  glBindTexture(GL_TEXTURE_2D, image.texture);
  if (image.textureSide != side) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    image.textureSide = side;
  }
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width, height);
  glBindTexture(GL_TEXTURE_2D, 0);
  return glGetError() == GL_NO_ERROR;
}

// The disc at the current angle, whole, and the mask, each copied as it
// was drawn; the stencil is left cut for the window.
bool TurningFrames::makeImages(const Key& key, double discAngleDeg) {
  while (glGetError() != GL_NO_ERROR) {
  }
  glDisable(GL_STENCIL_TEST);
  clearFrame(key.layers.colourScheme);
  drawDisc(key.layers, discAngleDeg);
  bool copied = copyFramebuffer(disc_, key.width, key.height);
  if (copied) {
    clearFrame(key.layers.colourScheme);
    glCallList(kMaskList);
    copied = copyFramebuffer(mask_, key.width, key.height);
  }
  glEnable(GL_STENCIL_TEST);
  if (!copied) return false;
  clearFrame(key.layers.colourScheme);
  cutHorizonWindow();
  window_ = windowBox(key.width, key.height);
  imageAngle_ = discAngleDeg;
  return true;
}

void TurningFrames::draw(const FrameLayers& layers, double discAngleDeg,
                         const std::function<void()>& buildMaskIfNeeded, std::uint64_t listsGeneration) {
  // The mask is recorded at the first frame that needs it: before the key,
  // as its compilation changes the generation.
  if (buildMaskIfNeeded) buildMaskIfNeeded();
  const Key key = keyOf(layers, listsGeneration);
  bool framebufferShowsChart = lastFrameKnown_ && lastFrame_ == key;
  if (!imagesTried_ || !(key == key_)) {
    // Made once for each chart; when they cannot be (a surface larger than
    // the largest texture), every frame of the turn is drawn exactly.
    imagesTried_ = true;
    key_ = key;
    valid_ = makeImages(key, discAngleDeg);
    framebufferShowsChart = false;
  }
  if (!valid_) {
    drawChartFrame(layers, discAngleDeg, nullptr);
    exactFrameDrawn(layers, listsGeneration);
    return;
  }
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  if (framebufferShowsChart) {
    // The last frame is kept, mask and stencil included: only the window
    // changes.
    glEnable(GL_SCISSOR_TEST);
    glScissor(window_.x, window_.y, window_.width, window_.height);
  } else {
    clearFrame(layers.colourScheme);
    cutHorizonWindow();
    outsideHorizonWindow();
    drawImageQuad(mask_.texture, mask_.textureSide, key.width, key.height, GL_NEAREST);
  }
  insideHorizonWindow();
  glPushMatrix();
  glRotatef(static_cast<GLfloat>(discAngleDeg - imageAngle_), 0.0f, 0.0f, 1.0f);
  drawImageQuad(disc_.texture, disc_.textureSide, key.width, key.height, GL_NEAREST);
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
  glEnable(GL_BLEND);
  drawOverDisc(layers, LineEdges::Hard);

  glDisable(GL_SCISSOR_TEST);
  lastFrame_ = key;
  lastFrameKnown_ = true;
}

void TurningFrames::restoreMask(const ChartBox& box) {
  if (!valid_) return;
  // Whole pixels round the box, a pixel more on each side for smoothed edges.
  const auto pixel = [](double chart, int side) { return static_cast<int>((chart + 1) / 2 * side); };
  const int left = std::max(pixel(box.left, key_.width) - 1, 0);
  const int bottom = std::max(pixel(box.bottom, key_.height) - 1, 0);
  const int right = pixel(box.right, key_.width) + 2, top = pixel(box.top, key_.height) + 2;
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glEnable(GL_SCISSOR_TEST);
  glScissor(left, bottom, right - left, top - bottom);
  outsideHorizonWindow();
  drawImageQuad(mask_.texture, mask_.textureSide, key_.width, key_.height, GL_NEAREST);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
  glEnable(GL_BLEND);
}

void TurningFrames::exactFrameDrawn(const FrameLayers& layers, std::uint64_t listsGeneration) {
  lastFrame_ = keyOf(layers, listsGeneration);
  lastFrameKnown_ = true;
}

void TurningFrames::release() {
  for (Image* image : {&disc_, &mask_}) {
    if (image->texture) {
      const GLuint name = image->texture;
      glDeleteTextures(1, &name);
    }
    *image = Image{};
  }
  valid_ = false;
  imagesTried_ = false;
  lastFrameKnown_ = false;
}

}  // namespace caelora
