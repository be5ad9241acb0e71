// SPDX-License-Identifier: GPL-2.0-or-later
// Keeping the main window's client area at a fixed width/height ratio while
// its frame is dragged, and the widest the window may become. The sizing rule
// itself is plain arithmetic on rectangles; the window glue below applies it.
#pragma once

#include <cstdint>
#include <optional>

#include <QTimer>

class QWidget;

namespace caelora {

// The part of the frame being dragged, numbered as the window system's
// sizing message numbers it.
enum class SizingEdge {
  Left = 1,
  Right = 2,
  Top = 3,
  TopLeft = 4,
  TopRight = 5,
  Bottom = 6,
  BottomLeft = 7,
  BottomRight = 8,
};

// A window rectangle in screen pixels, frame included.
struct WindowRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The frame round the client area, pixels: each side border and the caption.
struct FrameMetrics {
  int borderX = 0;
  int borderY = 0;
  int captionHeight = 0;
};

// The dragged rectangle `r` with one edge moved so that the client area has
// the ratio `aspectRatio` again: a side edge (and the bottom corners) sets
// the height from the width by moving the bottom; the top or bottom edge and
// the top corners set the width from the height, moving the right edge, or
// the left one for the top-left corner. The new coordinate is rounded to the
// nearest pixel, halves to even.
WindowRect keepAspect(SizingEdge edge, WindowRect r, const FrameMetrics& m, float aspectRatio);

// The widest the window may be dragged: as wide as the screen is high, less
// the caption and the lower border, so that a square window always fits.
int maxTrackWidth(int screenHeightPx, const FrameMetrics& m);

struct ClientSize {
  int width = 0;
  int height = 0;
};

// The client size kept after the window system changed it from `before` to
// `now` where no single dragged edge tells which way (both sides of the
// window moved, or only the client size is known). The dimension that
// changed more leads (as a side edge or the top/bottom edge would), and the
// width never exceeds `maxClientWidth`.
ClientSize keptClientSize(ClientSize before, ClientSize now, float aspectRatio,
                          int maxClientWidth);

// The edge or corner of the frame that the window system moved between two
// window rectangles, named by the sides that moved; none when the size
// stayed (the window was moved) or two opposite sides moved (no drag of one
// edge or corner does that).
std::optional<SizingEdge> draggedEdge(const WindowRect& before, const WindowRect& after);

// Where the frame settles after the window system sized it from `before` to
// `after` on its own: the rule above for the edge that was dragged, then no
// wider than `maxWidth` (the edge that was dragged sideways gives way and the
// bottom follows the width). Without a single dragged edge the client size
// of keptClientSize, at the top-left corner of `after`.
WindowRect settledRect(const WindowRect& before, const WindowRect& after, const FrameMetrics& m,
                       float aspectRatio, int maxWidth);

// Window glue (Qt): the frame of a shown top-level widget measured from its
// frame and client geometry, the caption being all of the frame above the
// client area (all zero before the window system has framed it).
FrameMetrics measureFrame(const QWidget& window);

// Keeps the client area of a top-level widget at its ratio where the window
// system sizes the frame itself (X11): the window manager resizes the frame
// undisturbed, and once its interactive resize has ended the frame is set
// where the rule puts it for the edge that was dragged. The width is held to
// the screen's height through the window's maximum width.
class AspectKeeper {
 public:
  AspectKeeper(QWidget& window, const float& aspectRatio);

  // From the window's resize and move events.
  void windowResized();
  void windowMoved();

 private:
  void settleWhenFree();
  void settle();
  int limitWidth(const FrameMetrics& m);

  QWidget& window_;
  const float& aspectRatio_;
  QTimer poll_;           // looks whether the window manager has let go, while it resizes
  WindowRect settled_{};  // the frame when no resize was going on
  bool known_ = false;
};

#ifdef _WIN32
// For the window's nativeEvent: the sizing and min/max-tracking messages
// handled with the rule above; true when the message was handled.
bool aspectWindowProc(void* message, float aspectRatio, std::intptr_t* result);
#endif

}  // namespace caelora
