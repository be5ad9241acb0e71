// SPDX-License-Identifier: GPL-2.0-or-later
// The sizing rule of the main window: which edge moves, where it goes, the
// widest the window may become, and the edge a finished drag had moved.
#include <gtest/gtest.h>

#include <optional>

#include "app/aspect_ratio.h"

namespace caelora {
namespace {

// A thin frame: one-pixel borders and a 22-pixel caption.
constexpr FrameMetrics kFrame{1, 1, 22};

// A window rectangle round a client area of w x h at (100, 50).
WindowRect around(int w, int h) {
  return {100, 50, 100 + w + 2 * kFrame.borderX, 50 + h + kFrame.captionHeight + kFrame.borderY};
}

int clientWidth(const WindowRect& r) { return r.right - r.left - 2 * kFrame.borderX; }
int clientHeight(const WindowRect& r) {
  return r.bottom - r.top - kFrame.captionHeight - kFrame.borderY;
}

TEST(KeepAspect, SideEdgesAndBottomCornersSetTheHeightFromTheWidth) {
  // The right edge of a 400 x 400 client area dragged to make it 500 wide.
  for (SizingEdge edge : {SizingEdge::Left, SizingEdge::Right, SizingEdge::BottomLeft,
                          SizingEdge::BottomRight}) {
    const WindowRect dragged = around(500, 400);
    const WindowRect kept = keepAspect(edge, dragged, kFrame, 1.0f);
    EXPECT_EQ(clientWidth(kept), 500) << static_cast<int>(edge);
    EXPECT_EQ(clientHeight(kept), 500) << static_cast<int>(edge);
    EXPECT_EQ(kept.left, dragged.left);
    EXPECT_EQ(kept.top, dragged.top);
    EXPECT_EQ(kept.right, dragged.right);
  }
}

TEST(KeepAspect, TopAndBottomEdgesSetTheWidthFromTheHeight) {
  for (SizingEdge edge : {SizingEdge::Top, SizingEdge::Bottom, SizingEdge::TopRight}) {
    const WindowRect dragged = around(400, 320);
    const WindowRect kept = keepAspect(edge, dragged, kFrame, 1.0f);
    EXPECT_EQ(clientWidth(kept), 320) << static_cast<int>(edge);
    EXPECT_EQ(clientHeight(kept), 320) << static_cast<int>(edge);
    EXPECT_EQ(kept.left, dragged.left);
    EXPECT_EQ(kept.bottom, dragged.bottom);
  }
}

TEST(KeepAspect, TopLeftCornerMovesTheLeftEdgeNotTheTop) {
  const WindowRect dragged = around(300, 360);
  const WindowRect kept = keepAspect(SizingEdge::TopLeft, dragged, kFrame, 1.0f);
  EXPECT_EQ(kept.top, dragged.top);
  EXPECT_EQ(kept.right, dragged.right);
  EXPECT_EQ(kept.bottom, dragged.bottom);
  EXPECT_EQ(kept.left, dragged.right - 360 - 2 * kFrame.borderX);
  EXPECT_EQ(clientWidth(kept), 360);
}

TEST(KeepAspect, FollowsTheRatioAndRoundsHalvesToEven) {
  const FrameMetrics none{};
  // Width 600 at ratio 1.5: height 400.
  EXPECT_EQ(keepAspect(SizingEdge::Right, {0, 0, 600, 10}, none, 1.5f).bottom, 400);
  // Height 300 at ratio 1.5: width 450.
  EXPECT_EQ(keepAspect(SizingEdge::Bottom, {0, 0, 10, 300}, none, 1.5f).right, 450);
  // 5 / 2 = 2.5 goes down to 2, 7 / 2 = 3.5 up to 4.
  EXPECT_EQ(keepAspect(SizingEdge::Right, {0, 0, 5, 1}, none, 2.0f).bottom, 2);
  EXPECT_EQ(keepAspect(SizingEdge::Right, {0, 0, 7, 1}, none, 2.0f).bottom, 4);
}

TEST(MaxTrackWidth, IsTheScreenHeightLessCaptionAndLowerBorder) {
  EXPECT_EQ(maxTrackWidth(1024, kFrame), 1024 - 1 - 22);
  EXPECT_EQ(maxTrackWidth(768, FrameMetrics{}), 768);
}

TEST(KeptClientSize, TheDimensionThatChangedMoreLeads) {
  EXPECT_EQ(keptClientSize({392, 392}, {500, 400}, 1.0f, 1024).height, 500);
  EXPECT_EQ(keptClientSize({392, 392}, {500, 400}, 1.0f, 1024).width, 500);
  const ClientSize taller = keptClientSize({392, 392}, {395, 300}, 1.0f, 1024);
  EXPECT_EQ(taller.width, 300);
  EXPECT_EQ(taller.height, 300);
  // Already square: kept as it is.
  const ClientSize square = keptClientSize({392, 392}, {300, 300}, 1.0f, 1024);
  EXPECT_EQ(square.width, 300);
  EXPECT_EQ(square.height, 300);
}

TEST(KeptClientSize, NeverWiderThanTheLimitAndLeavesAnEmptyWindowAlone) {
  const ClientSize wide = keptClientSize({392, 392}, {1200, 1100}, 1.0f, 1001);
  EXPECT_EQ(wide.width, 1001);
  EXPECT_EQ(wide.height, 1001);
  const ClientSize minimised = keptClientSize({392, 392}, {0, 0}, 1.0f, 1001);
  EXPECT_EQ(minimised.width, 0);
  EXPECT_EQ(minimised.height, 0);
}

// A drag of the frame of a 400 x 400 client area: how far each side moved.
struct Drag {
  int left, top, right, bottom;
  std::optional<SizingEdge> edge;
};

WindowRect dragged(const Drag& d) {
  WindowRect r = around(400, 400);
  r.left += d.left;
  r.top += d.top;
  r.right += d.right;
  r.bottom += d.bottom;
  return r;
}

TEST(DraggedEdge, IsNamedByTheSidesThatMoved) {
  const Drag drags[] = {
      {-30, 0, 0, 0, SizingEdge::Left},       {0, 0, 25, 0, SizingEdge::Right},
      {0, 40, 0, 0, SizingEdge::Top},         {0, 0, 0, -35, SizingEdge::Bottom},
      {-20, -50, 0, 0, SizingEdge::TopLeft},  {0, 30, 60, 0, SizingEdge::TopRight},
      {45, 0, 0, 10, SizingEdge::BottomLeft}, {0, 0, -15, 70, SizingEdge::BottomRight},
      // A move, and a size change at both sides (no one edge was dragged).
      {5, 5, 5, 5, std::nullopt},             {-10, 0, 10, 0, std::nullopt},
  };
  for (const Drag& d : drags) {
    EXPECT_EQ(draggedEdge(around(400, 400), dragged(d)), d.edge)
        << d.left << " " << d.top << " " << d.right << " " << d.bottom;
  }
}

TEST(SettledRect, HoldsTheWidth) {
  // The bottom edge dragged far down: the width that the height gives would
  // pass the limit, so the window is as wide as allowed, and square.
  const WindowRect limited =
      settledRect(around(400, 400), dragged({0, 0, 0, 700, {}}), kFrame, 1.0f, 800);
  EXPECT_EQ(limited.right - limited.left, 800);
  EXPECT_EQ(clientWidth(limited), clientHeight(limited));
}

}  // namespace
}  // namespace caelora
