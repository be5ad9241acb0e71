// SPDX-License-Identifier: GPL-2.0-or-later
// The sizing rule of the main window and its glue to the window system.
#include "app/aspect_ratio.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <memory>

#ifdef CAELORA_HAS_XCB
#include <xcb/xcb.h>
#endif

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

namespace {

bool sideMoved(int before, int after) { return before != after; }

int rectWidth(const WindowRect& r) { return r.right - r.left; }
int rectHeight(const WindowRect& r) { return r.bottom - r.top; }

bool movesLeftSide(SizingEdge edge) {
  return edge == SizingEdge::Left || edge == SizingEdge::TopLeft || edge == SizingEdge::BottomLeft;
}

// Narrows `r` to `maxWidth` by the side the drag moved, and sets the bottom
// from the width as a side edge does.
WindowRect limitedWidth(WindowRect r, SizingEdge edge, const FrameMetrics& m, float aspectRatio,
                        int maxWidth) {
  if (maxWidth <= 0 || rectWidth(r) <= maxWidth) return r;
  if (movesLeftSide(edge)) {
    r.left = r.right - maxWidth;
  } else {
    r.right = r.left + maxWidth;
  }
  return keepAspect(SizingEdge::Right, r, m, aspectRatio);
}

}  // namespace

std::optional<SizingEdge> draggedEdge(const WindowRect& before, const WindowRect& after) {
  if (rectWidth(before) == rectWidth(after) && rectHeight(before) == rectHeight(after))
    return std::nullopt;
  const bool left = sideMoved(before.left, after.left);
  const bool right = sideMoved(before.right, after.right);
  const bool top = sideMoved(before.top, after.top);
  const bool bottom = sideMoved(before.bottom, after.bottom);
  if ((left && right) || (top && bottom)) return std::nullopt;
  if (top) return left ? SizingEdge::TopLeft : right ? SizingEdge::TopRight : SizingEdge::Top;
  if (bottom)
    return left ? SizingEdge::BottomLeft : right ? SizingEdge::BottomRight : SizingEdge::Bottom;
  return left ? SizingEdge::Left : SizingEdge::Right;
}

WindowRect settledRect(const WindowRect& before, const WindowRect& after, const FrameMetrics& m,
                       float aspectRatio, int maxWidth) {
  if (const std::optional<SizingEdge> edge = draggedEdge(before, after)) {
    return limitedWidth(keepAspect(*edge, after, m, aspectRatio), *edge, m, aspectRatio, maxWidth);
  }
  const int frameX = 2 * m.borderX;
  const int frameY = m.captionHeight + m.borderY;
  const ClientSize kept = keptClientSize(
      {rectWidth(before) - frameX, rectHeight(before) - frameY},
      {rectWidth(after) - frameX, rectHeight(after) - frameY}, aspectRatio,
      maxWidth > 0 ? maxWidth - frameX : INT_MAX);
  return {after.left, after.top, after.left + kept.width + frameX,
          after.top + kept.height + frameY};
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

namespace {

WindowRect frameRect(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  return {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
}

// Whether the window manager may still be resizing the window: a mouse
// button is held, or another client holds the pointer (a window manager
// keeps it for as long as its interactive resize lasts, and lets go of it
// only after its last change of the frame). Asking for a size before then
// would be undone by that last change.
bool windowManagerBusy(const QWidget& window) {
#ifdef CAELORA_HAS_XCB
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || !window.isVisible()) return false;
  xcb_connection_t* c = x11->connection();
  const auto id = static_cast<xcb_window_t>(window.winId());
  const std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> pointer(
      xcb_query_pointer_reply(c, xcb_query_pointer(c, id), nullptr), &std::free);
  if (!pointer) return false;
  constexpr uint16_t kButtons =
      XCB_KEY_BUT_MASK_BUTTON_1 | XCB_KEY_BUT_MASK_BUTTON_2 | XCB_KEY_BUT_MASK_BUTTON_3;
  if (pointer->mask & kButtons) return true;
  // A grab of the program's own (a popup, the disc being turned) is no
  // resize; taking the pointer over would end it.
  if (QWidget::mouseGrabber() != nullptr) return false;
  const std::unique_ptr<xcb_grab_pointer_reply_t, decltype(&std::free)> grab(
      xcb_grab_pointer_reply(c,
                             xcb_grab_pointer(c, 0, id, 0, XCB_GRAB_MODE_ASYNC,
                                              XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE,
                                              XCB_CURRENT_TIME),
                             nullptr),
      &std::free);
  if (!grab) return false;
  if (grab->status == XCB_GRAB_STATUS_SUCCESS) {
    xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    xcb_flush(c);
  }
  return grab->status == XCB_GRAB_STATUS_ALREADY_GRABBED;
#else
  (void)window;
  return false;
#endif
}

// How often to look whether the window manager has let go: often enough to
// settle as the button comes up, seldom enough to cost nothing.
constexpr int kPollMs = 40;

}  // namespace

AspectKeeper::AspectKeeper(QWidget& window, const float& aspectRatio)
    : window_(window), aspectRatio_(aspectRatio) {
  poll_.setInterval(kPollMs);
  QObject::connect(&poll_, &QTimer::timeout, &window_, [this] { settleWhenFree(); });
}

void AspectKeeper::windowResized() {
  if (!known_) {
    settled_ = frameRect(window_);
    known_ = true;
  }
  if (!poll_.isActive()) settleWhenFree();
}

void AspectKeeper::windowMoved() {
  // A move while no resize goes on is where the next resize starts from; a
  // move that comes with a resize is part of it.
  if (poll_.isActive()) return;
  const WindowRect now = frameRect(window_);
  const bool sameSize =
      rectWidth(now) == rectWidth(settled_) && rectHeight(now) == rectHeight(settled_);
  if (!known_ || sameSize) {
    settled_ = now;
    known_ = true;
  }
}

void AspectKeeper::settleWhenFree() {
  if (windowManagerBusy(window_)) {
    if (!poll_.isActive()) poll_.start();
    return;
  }
  poll_.stop();
  settle();
}

int AspectKeeper::limitWidth(const FrameMetrics& m) {
  const QScreen* screen = window_.screen();
  if (screen == nullptr) return 0;
  const int maxWidth = maxTrackWidth(screen->geometry().height(), m);
  // The window manager keeps the client within the side borders.
  const int maxClientWidth = maxWidth - 2 * m.borderX;
  if (maxClientWidth > 0 && window_.maximumWidth() != maxClientWidth)
    window_.setMaximumWidth(maxClientWidth);
  return maxWidth;
}

void AspectKeeper::settle() {
  const WindowRect now = frameRect(window_);
  if (window_.isMaximized() || window_.isFullScreen() || window_.isMinimized()) {
    settled_ = now;
    return;
  }
  const FrameMetrics m = measureFrame(window_);
  const WindowRect kept = settledRect(settled_, now, m, aspectRatio_, limitWidth(m));
  settled_ = kept;
  if (kept.left == now.left && kept.top == now.top && kept.right == now.right &&
      kept.bottom == now.bottom)
    return;
  window_.setGeometry(kept.left + m.borderX, kept.top + m.captionHeight,
                      rectWidth(kept) - 2 * m.borderX,
                      rectHeight(kept) - m.captionHeight - m.borderY);
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
