// Keeping the main window's client area at a fixed width/height ratio while
// its frame is dragged, and the widest the window may become. The sizing rule
// itself is plain arithmetic on rectangles; the window glue below applies it.
#pragma once

#include <cstdint>

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

// Where the window system sizes the frame on its own and only reports the
// client size it settled on: the size kept afterwards. The dimension that
// changed more leads (as a side edge or the top/bottom edge would), and the
// width never exceeds `maxClientWidth`.
ClientSize keptClientSize(ClientSize before, ClientSize now, float aspectRatio,
                          int maxClientWidth);

// Window glue (Qt): the frame of a shown top-level widget measured from its
// frame and client geometry, the caption being all of the frame above the
// client area (all zero before the window system has framed it).
FrameMetrics measureFrame(const QWidget& window);

// Applies the rule to a top-level widget after the window system resized it:
// limits its width and squares its client area; true when it asked for a new
// size.
bool keepClientAspect(QWidget& window, ClientSize before, float aspectRatio);

#ifdef _WIN32
// For the window's nativeEvent: the sizing and min/max-tracking messages
// handled with the rule above; true when the message was handled.
bool aspectWindowProc(void* message, float aspectRatio, std::intptr_t* result);
#endif

}  // namespace caelora
