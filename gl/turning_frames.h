// SPDX-License-Identifier: GPL-2.0-or-later
// Frames while the disc is dragged round. Every move draws the same disc,
// only turned a little further, under the same mask; drawing all of it from
// the display lists each time costs a software rasteriser several times what
// the window system's own part of a frame does. So the first frame of a turn
// draws the disc and the mask once each and keeps both as images; the frames
// after it lay the disc's image, turned, into the window and the mask's image
// round it. When the turn ends, the window draws an exact frame again.
#pragma once

#include <cstdint>
#include <functional>

#include "gl/frame.h"
#include "sky/time_readout.h"

namespace caelora {

class TurningFrames {
 public:
  // Draws one frame of a turn into the bound framebuffer, with the same
  // viewport and state as drawChartFrame. `listsGeneration` changes whenever
  // a display list is compiled again; the images are drawn again then, and
  // when the layers or the size of the surface change.
  void draw(const FrameLayers& layers, double discAngleDeg,
            const std::function<void()>& buildMaskIfNeeded, std::uint64_t listsGeneration);

  // The caller drew an exact frame of the chart into the framebuffer, which
  // keeps it (a framebuffer that does not keep its frames needs release()).
  void exactFrameDrawn(const FrameLayers& layers, std::uint64_t listsGeneration);

  // Lays the mask's image again over `box` of the frame just drawn, so that
  // what is drawn there next (the readout) does not land on what the kept
  // frame showed before. Nothing without images.
  void restoreMask(const ChartBox& box);

  // Deletes the images; the context they were made in must be current.
  void release();

  struct PixelBox {
    int x = 0, y = 0, width = 0, height = 0;
  };

 private:
  struct Key {
    FrameLayers layers;
    std::uint64_t generation = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Key& o) const;
  };
  struct Image {
    unsigned texture = 0;  // 0: none yet
    int textureSide = 0;   // a power of two, at least the surface's width and height
  };

  static Key keyOf(const FrameLayers& layers, std::uint64_t listsGeneration);
  bool makeImages(const Key& key, double discAngleDeg);
  bool copyFramebuffer(Image& image, int width, int height);

  Key key_;
  bool imagesTried_ = false;  // for key_
  bool valid_ = false;        // the images show key_
  double imageAngle_ = 0;  // the disc angle the disc's image was drawn at
  PixelBox window_;        // round the horizon window
  Key lastFrame_;          // what the framebuffer shows, when known
  bool lastFrameKnown_ = false;
  Image disc_;
  Image mask_;
};

}  // namespace caelora
