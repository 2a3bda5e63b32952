// Screen snap: edges closer than ten pixels to the work area's matching edge
// are placed on it, tested left, top, right, bottom; a move to exactly
// (0, 0) is left alone.
#include "screen_snap.h"

#include <gtest/gtest.h>

namespace tintspot {
namespace {

constexpr int kW = 171;
constexpr int kH = 234;
const Rect kWork = Rect::FromSize(0, 0, 1920, 1040);  // taskbar at the bottom

ScreenPoint SnapAt(int x, int y, const Rect& work = kWork) {
  return SnapToWorkArea(Rect::FromSize(x, y, kW, kH), work);
}

TEST(ScreenSnap, LeftEdgeSnapsFromNinePixelsOnEitherSide) {
  EXPECT_EQ(SnapAt(9, 400), (ScreenPoint{0, 400}));
  EXPECT_EQ(SnapAt(1, 400), (ScreenPoint{0, 400}));
  EXPECT_EQ(SnapAt(-9, 400), (ScreenPoint{0, 400}));
  EXPECT_EQ(SnapAt(10, 400), (ScreenPoint{10, 400}));
  EXPECT_EQ(SnapAt(-10, 400), (ScreenPoint{-10, 400}));
}

TEST(ScreenSnap, TopEdgeSnapsFromNinePixelsOnEitherSide) {
  EXPECT_EQ(SnapAt(600, 9), (ScreenPoint{600, 0}));
  EXPECT_EQ(SnapAt(600, -9), (ScreenPoint{600, 0}));
  EXPECT_EQ(SnapAt(600, 10), (ScreenPoint{600, 10}));
  EXPECT_EQ(SnapAt(600, -10), (ScreenPoint{600, -10}));
}

TEST(ScreenSnap, RightEdgeSnapsFromNinePixelsOnEitherSide) {
  const int flush = 1920 - kW;  // 1749
  EXPECT_EQ(SnapAt(flush - 9, 400), (ScreenPoint{flush, 400}));
  EXPECT_EQ(SnapAt(flush + 9, 400), (ScreenPoint{flush, 400}));
  EXPECT_EQ(SnapAt(flush - 10, 400), (ScreenPoint{flush - 10, 400}));
  EXPECT_EQ(SnapAt(flush + 10, 400), (ScreenPoint{flush + 10, 400}));
}

TEST(ScreenSnap, BottomEdgeSnapsToTheWorkAreaNotTheScreen) {
  const int flush = 1040 - kH;  // 806, above the taskbar
  EXPECT_EQ(SnapAt(600, flush - 9), (ScreenPoint{600, flush}));
  EXPECT_EQ(SnapAt(600, flush + 9), (ScreenPoint{600, flush}));
  EXPECT_EQ(SnapAt(600, flush - 10), (ScreenPoint{600, flush - 10}));
  EXPECT_EQ(SnapAt(600, flush + 10), (ScreenPoint{600, flush + 10}));
}

TEST(ScreenSnap, CornerSnapsBothEdges) {
  EXPECT_EQ(SnapAt(5, 7), (ScreenPoint{0, 0}));
  EXPECT_EQ(SnapAt(1745, 800), (ScreenPoint{1749, 806}));
}

TEST(ScreenSnap, RightIsTestedAfterLeftAndBottomAfterTop) {
  // A work area barely wider and higher than the window: both edges of a
  // pair are near; the later test decides.
  const Rect tight = Rect::FromSize(100, 50, kW + 9, kH + 9);
  // Left snaps to 100, then the right edge (271) lies 9 from 280 and snaps.
  EXPECT_EQ(SnapAt(103, 53, tight), (ScreenPoint{109, 59}));
  EXPECT_EQ(SnapAt(97, 47, tight), (ScreenPoint{109, 59}));
}

TEST(ScreenSnap, ExactlyZeroZeroIsLeftAlone) {
  const Rect inset = Rect::FromSize(5, 5, 1915, 1035);  // taskbar at the top left
  EXPECT_EQ(SnapAt(0, 0, inset), (ScreenPoint{0, 0}));
  // Any other position near the corner snaps.
  EXPECT_EQ(SnapAt(0, 1, inset), (ScreenPoint{5, 5}));
  EXPECT_EQ(SnapAt(1, 0, inset), (ScreenPoint{5, 5}));
  EXPECT_EQ(SnapAt(0, -1, inset), (ScreenPoint{5, 5}));
}

TEST(ScreenSnap, MonitorLeftOfThePrimaryHasNegativeEdges) {
  const Rect left = Rect::FromSize(-1280, 0, 1280, 984);
  EXPECT_EQ(SnapAt(-1271, 300, left), (ScreenPoint{-1280, 300}));
  EXPECT_EQ(SnapAt(-1289, 300, left), (ScreenPoint{-1280, 300}));
  EXPECT_EQ(SnapAt(-1270, 300, left), (ScreenPoint{-1270, 300}));
  EXPECT_EQ(SnapAt(-kW - 9, 300, left), (ScreenPoint{-kW, 300}));
  EXPECT_EQ(SnapAt(-kW + 9, 300, left), (ScreenPoint{-kW, 300}));
  EXPECT_EQ(SnapAt(-kW - 10, 300, left), (ScreenPoint{-kW - 10, 300}));
  EXPECT_EQ(SnapAt(-600, 984 - kH - 9, left), (ScreenPoint{-600, 984 - kH}));
}

TEST(ScreenSnap, DistanceIsAParameter) {
  const Rect window = Rect::FromSize(19, 400, kW, kH);
  EXPECT_EQ(SnapToWorkArea(window, kWork, 20), (ScreenPoint{0, 400}));
  EXPECT_EQ(SnapToWorkArea(window, kWork, 19), (ScreenPoint{19, 400}));
}

}  // namespace
}  // namespace tintspot
