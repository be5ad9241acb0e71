// The sizing rule of the main window and its glue to the window system.
#include "app/aspect_ratio.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

#include "ui/whole_pixels.h"

namespace caelora {

WindowRect keepAspect(SizingEdge edge, WindowRect r, const FrameMetrics& m, float aspectRatio) {
  // The client size of the dragged rectangle, single precision.
  const float w = static_cast<float>((r.right - r.left) - 2 * m.borderX);
  const float h = static_cast<float>((r.bottom - r.top) - (m.captionHeight + m.borderY));
  const auto bottomFromWidth = [&] {
    return roundHalfEven(r.top + static_cast<double>(w / aspectRatio) + m.captionHeight +
                         m.borderY);
  };
  const auto widthFromHeight = [&] { return static_cast<double>(aspectRatio * h) + 2 * m.borderX; };
  switch (edge) {
    case SizingEdge::Left:
    case SizingEdge::Right:
    case SizingEdge::BottomLeft:
    case SizingEdge::BottomRight:
      r.bottom = bottomFromWidth();
      break;
    case SizingEdge::Top:
    case SizingEdge::TopRight:
    case SizingEdge::Bottom:
      r.right = roundHalfEven(r.left + widthFromHeight());
      break;
    case SizingEdge::TopLeft:
      r.left = roundHalfEven(r.right - widthFromHeight());
      break;
  }
  return r;
}

int maxTrackWidth(int screenHeightPx, const FrameMetrics& m) {
  return screenHeightPx - m.borderY - m.captionHeight;
}

ClientSize keptClientSize(ClientSize before, ClientSize now, float aspectRatio,
                          int maxClientWidth) {
  if (now.width <= 0 || now.height <= 0 || aspectRatio <= 0) return now;
  const int widthChange = std::abs(now.width - before.width);
  const int heightChange = std::abs(now.height - before.height);
  const SizingEdge edge = widthChange >= heightChange ? SizingEdge::Right : SizingEdge::Bottom;
  const WindowRect kept = keepAspect(edge, {0, 0, now.width, now.height}, {}, aspectRatio);
  ClientSize size{kept.right, kept.bottom};
  if (size.width > maxClientWidth && maxClientWidth > 0) {
    const WindowRect narrowed =
        keepAspect(SizingEdge::Right, {0, 0, maxClientWidth, 0}, {}, aspectRatio);
    size = {narrowed.right, narrowed.bottom};
  }
  return size;
}

FrameMetrics measureFrame(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  FrameMetrics m;
  m.borderX = std::max(0, client.left() - frame.left());
  m.borderY = std::max(0, frame.bottom() - client.bottom());
  m.captionHeight = std::max(0, client.top() - frame.top());
  return m;
}

bool keepClientAspect(QWidget& window, ClientSize before, float aspectRatio) {
  if (window.isMaximized() || window.isFullScreen() || window.isMinimized()) return false;
  const FrameMetrics m = measureFrame(window);
  int maxClientWidth = INT_MAX;
  if (const QScreen* screen = window.screen()) {
    // The limit holds for the frame; the client lies between the side borders.
    maxClientWidth = maxTrackWidth(screen->geometry().height(), m) - 2 * m.borderX;
    if (maxClientWidth > 0 && window.maximumWidth() != maxClientWidth)
      window.setMaximumWidth(maxClientWidth);
  }
  const ClientSize now{window.width(), window.height()};
  const ClientSize kept = keptClientSize(before, now, aspectRatio, maxClientWidth);
  if (kept.width == now.width && kept.height == now.height) return false;
  window.resize(kept.width, kept.height);
  return true;
}

#ifdef _WIN32
bool aspectWindowProc(void* message, float aspectRatio, std::intptr_t* result) {
  const MSG* msg = static_cast<const MSG*>(message);
  const FrameMetrics m{GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER),
                       GetSystemMetrics(SM_CYCAPTION)};
  switch (msg->message) {
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(msg->lParam);
      info->ptMaxTrackSize.x = maxTrackWidth(GetSystemMetrics(SM_CYSCREEN), m);
      *result = 0;
      return true;
    }
    case WM_SIZING: {
      auto* rect = reinterpret_cast<RECT*>(msg->lParam);
      const int edge = static_cast<int>(msg->wParam);
      if (edge < 1 || edge > 8) return false;
      const WindowRect kept = keepAspect(static_cast<SizingEdge>(edge),
                                         {rect->left, rect->top, rect->right, rect->bottom}, m,
                                         aspectRatio);
      rect->left = kept.left;
      rect->top = kept.top;
      rect->right = kept.right;
      rect->bottom = kept.bottom;
      *result = TRUE;
      return true;
    }
    default:
      return false;
  }
}
#endif

}  // namespace caelora
