// The lock: a press on the swatch with any button stops the sampling timer,
// disables the zoom list and draws the padlock; pressing again undoes it.
#include <gtest/gtest.h>

#include <string>

#include "main_window_harness.h"

namespace tintspot {
namespace {

using tintspot::testing::ClickAt;
using tintspot::testing::DoubleClickAt;
using tintspot::testing::FakePlatform;
using tintspot::testing::kOnSwatch;

constexpr TColor kShadow = MakeColor(106, 106, 106);

class LockTest : public ::testing::Test {
 protected:
  FakePlatform desktop;
  TfrmMain main{desktop};

  void SetUp() override { main.FormCreate(); }
  // One tick with the cursor outside the window on a screen of one colour.
  void SampleColour(TColor colour, ScreenPoint at = ScreenPoint{300, 200}) {
    desktop.screen = [colour](int, int) { return colour; };
    desktop.cursor = at;
    main.Timer1Timer();
  }
  ScreenPoint OverSwatch() const { return tintspot::testing::ScreenOfClient(desktop, kOnSwatch); }
  // The last painted swatch holds the given padlock at (35, 32) over a
  // centre of colour centre.
  void ExpectPadlock(const Picture& lock, TColor ink, TColor centre) {
    ASSERT_TRUE(desktop.swatch.has_value());
    int inked = 0;
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 7; ++x) {
        const bool clear = lock.transparent && lock.pixels.At(x, y) == *lock.transparent;
        inked += !clear;
        EXPECT_EQ(desktop.swatch->At(35 + x, 32 + y), clear ? centre : ink) << x << "," << y;
      }
    EXPECT_GT(inked, 20);
    EXPECT_LT(inked, 77);
  }
  void ExpectNoPadlock(TColor centre) {
    ASSERT_TRUE(desktop.swatch.has_value());
    for (int y = 4; y < 44; ++y)
      for (int x = 4; x < 44; ++x) ASSERT_EQ(desktop.swatch->At(x, y), centre) << x << "," << y;
  }
};

TEST_F(LockTest, PressOnTheSwatchWithAnyButtonToggles) {
  const TColor colour = MakeColor(200, 30, 90);
  SampleColour(colour);
  for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
    desktop.calls.clear();
    ClickAt(main, kOnSwatch, button);
    EXPECT_TRUE(main.IsLocked());
    EXPECT_FALSE(desktop.timerRunning);
    EXPECT_FALSE(desktop.zoomEnabled);
    EXPECT_EQ(desktop.CountCalls("StopTimer"), 1);
    ExpectPadlock(main.Skin().imgLockWhite, kWhite, colour);

    desktop.calls.clear();
    ClickAt(main, ScreenPoint{115, 25}, button);  // the swatch's corner
    EXPECT_FALSE(main.IsLocked());
    EXPECT_TRUE(desktop.timerRunning);
    EXPECT_TRUE(desktop.zoomEnabled);
    EXPECT_EQ(desktop.CountCalls("StartTimer(3)"), 1);
    ExpectNoPadlock(colour);
  }
}

TEST_F(LockTest, PadlockIsBlackOnBrightColoursAndWhiteOnDark) {
  // Weighted brightness 125 is the threshold.
  SampleColour(MakeColor(125, 125, 125));
  ClickAt(main, kOnSwatch);
  ExpectPadlock(main.Skin().imgLockBlack, kBlack, MakeColor(125, 125, 125));
  // The rest of the swatch is the locked colour's.
  EXPECT_EQ(desktop.swatch->At(0, 0), kShadow);
  EXPECT_EQ(desktop.swatch->At(1, 20), kWhite);
  EXPECT_EQ(desktop.swatch->At(2, 20), MakeColor(74, 74, 74));
  EXPECT_EQ(desktop.swatch->At(44, 44), MakeColor(105, 105, 105));
  ClickAt(main, kOnSwatch);

  SampleColour(MakeColor(124, 124, 124));
  ClickAt(main, kOnSwatch);
  ExpectPadlock(main.Skin().imgLockWhite, kWhite, MakeColor(124, 124, 124));
}

TEST_F(LockTest, DoubleClickTogglesTwice) {
  SampleColour(MakeColor(10, 20, 30));
  desktop.calls.clear();
  DoubleClickAt(main, kOnSwatch);
  EXPECT_FALSE(main.IsLocked());
  EXPECT_TRUE(desktop.timerRunning);
  EXPECT_EQ(desktop.CountCalls("StopTimer"), 1);
  EXPECT_EQ(desktop.CountCalls("StartTimer(3)"), 1);
  ExpectNoPadlock(MakeColor(10, 20, 30));
}

TEST_F(LockTest, UnlockingRemovesThePadlockAtOnceWithoutSampling) {
  const TColor colour = MakeColor(60, 160, 60);
  SampleColour(colour);
  ClickAt(main, kOnSwatch);
  const PixelBuffer view = *main.MagBuffer();
  desktop.screen = [](int, int) { return MakeColor(255, 0, 0); };
  desktop.cursor = ScreenPoint{10, 10};
  desktop.calls.clear();
  ClickAt(main, kOnSwatch);
  EXPECT_EQ(desktop.CountCalls("PaintSwatch"), 1);
  EXPECT_EQ(desktop.CountCalls("CursorPosition"), 0);
  EXPECT_EQ(desktop.CountCalls("BeginScreenRead"), 0);
  ExpectNoPadlock(colour);
  EXPECT_EQ(main.CurrentColor(), colour);
  EXPECT_EQ(*main.MagBuffer(), view);
  // The next tick samples again.
  main.Timer1Timer();
  EXPECT_EQ(main.CurrentColor(), MakeColor(255, 0, 0));
}

TEST_F(LockTest, StrayTickWhileLockedTakesNoSample) {
  SampleColour(MakeColor(1, 2, 3));
  ClickAt(main, kOnSwatch);
  const PixelBuffer view = *main.MagBuffer();
  const ScreenPoint frozen = main.CursorPos();
  desktop.screen = [](int, int) { return MakeColor(255, 255, 0); };
  desktop.cursor = ScreenPoint{1500, 900};
  desktop.calls.clear();
  main.Timer1Timer();
  EXPECT_TRUE(desktop.calls.empty());
  EXPECT_EQ(main.CurrentColor(), MakeColor(1, 2, 3));
  EXPECT_EQ(main.CursorPos(), frozen);
  EXPECT_EQ(*main.MagBuffer(), view);
}

TEST_F(LockTest, ClickingTheSwatchShowsThePositionOverItBesideTheOldColour) {
  SampleColour(MakeColor(51, 102, 153), ScreenPoint{512, 384});
  desktop.cursor = OverSwatch();  // 874 + 130, 423 + 40
  main.Timer1Timer();             // skipped: only the position follows
  ClickAt(main, kOnSwatch);
  EXPECT_EQ(desktop.labels[Control::lblPixel], "1004 x 463");
  EXPECT_EQ(desktop.labels[Control::lblRGB], "51,102,153");
  EXPECT_EQ(desktop.labels[Control::lblHEX], "#336699");
  EXPECT_EQ(desktop.labels[Control::lblHSL], "210,67,60");
  EXPECT_EQ(desktop.labels[Control::lblCMYK], "67,33,0,40");
}

// A key locks between ticks: the frozen position and colour are those of the
// last tick, even when the pointer has moved on since.
TEST_F(LockTest, KeyLockFreezesAPositionAndColourThatBelongTogether) {
  SampleColour(MakeColor(51, 102, 153), ScreenPoint{512, 384});
  desktop.cursor = ScreenPoint{700, 10};
  desktop.screen = [](int, int) { return MakeColor(255, 0, 0); };
  main.KeyDown(Key::Space, ShiftState{});
  ASSERT_TRUE(main.IsLocked());
  EXPECT_EQ(desktop.labels[Control::lblPixel], "512 x 384");
  EXPECT_EQ(desktop.labels[Control::lblRGB], "51,102,153");
  main.Timer1Timer();  // a tick already queued changes nothing
  EXPECT_EQ(desktop.labels[Control::lblPixel], "512 x 384");
  EXPECT_EQ(desktop.labels[Control::lblRGB], "51,102,153");
}

TEST_F(LockTest, RepaintWhileLockedRedrawsTheFrozenState) {
  const TColor colour = MakeColor(220, 220, 220);
  SampleColour(colour, ScreenPoint{512, 384});
  ClickAt(main, kOnSwatch);
  const PixelBuffer view = *main.MagBuffer();
  desktop.swatch.reset();
  desktop.magnifier.reset();
  desktop.labels.clear();
  desktop.screen = [](int, int) { return kBlack; };
  main.Paint(tintspot::testing::kWholeClient);
  ExpectPadlock(main.Skin().imgLockBlack, kBlack, colour);
  ASSERT_TRUE(desktop.magnifier.has_value());
  EXPECT_EQ(*desktop.magnifier, view);
  EXPECT_EQ(desktop.screenReads, 1);
  EXPECT_TRUE(main.IsLocked());
}

}  // namespace
}  // namespace tintspot
