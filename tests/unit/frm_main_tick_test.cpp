// The sampling tick: the skip over the program's own window, the order of
// the platform calls, drawing only what changed, the swatch and the five
// readouts, a pixel read that fails, and platform calls that fail.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "main_window_harness.h"

namespace tintspot {
namespace {

using tintspot::testing::CallsInSteps;
using tintspot::testing::CallsSince;
using tintspot::testing::FakeMonitor;
using tintspot::testing::FakePlatform;
using Calls = std::vector<std::string>;

constexpr TColor kSteelBlue = MakeColor(51, 102, 153);
constexpr TColor kShadow = MakeColor(106, 106, 106);  // the fake desktop's dark shadow

class TickTest : public ::testing::Test {
 protected:
  FakePlatform desktop;
  TfrmMain main{desktop};

  void SetUp() override {
    desktop.screen = [](int, int) { return kSteelBlue; };
    main.FormCreate();  // window at 874,423, 171 x 125
    desktop.calls.clear();
  }
  std::string Text(Control label) { return desktop.labels[label]; }
  ScreenPoint OverWindow() const {
    return ScreenPoint{desktop.window.left + 60, desktop.window.top + 30};
  }
};

// The swatch as it must look: four rings around the centre.
void ExpectSwatch(const PixelBuffer& swatch, TColor outer, TColor inner, TColor centre) {
  ASSERT_EQ(swatch.Width(), 48);
  ASSERT_EQ(swatch.Height(), 48);
  const TColor rings[5] = {kShadow, kWhite, outer, inner, centre};
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x) {
      const int ring = std::min(std::min(std::min(x, y), std::min(47 - x, 47 - y)), 4);
      ASSERT_EQ(swatch.At(x, y), rings[ring]) << x << "," << y;
    }
}

TEST_F(TickTest, TickOutsideTheWindowSamplesInThisOrder) {
  desktop.cursor = ScreenPoint{512, 384};
  main.Timer1Timer();
  // Where the cursor is, whether it is over the window, one screen read, and
  // then what it shows.
  EXPECT_TRUE(CallsInSteps(
      desktop.calls,
      {{"CursorPosition"},
       {"BeginScreenRead"},
       {"CopyScreen(429,341,167x87)"},
       {"EndScreenRead"},
       {"PaintSwatch", "SetLabelText(lblPixel,512 x 384)", "SetLabelText(lblRGB,51,102,153)",
        "SetLabelText(lblHEX,#336699)", "SetLabelText(lblCMYK,67,33,0,40)",
        "SetLabelText(lblHSL,210,67,60)", "PaintMagnifier"}}));
  EXPECT_EQ(main.CurrentColor(), kSteelBlue);
  EXPECT_EQ(main.CursorPos(), (ScreenPoint{512, 384}));
  ASSERT_TRUE(desktop.swatch.has_value());
  ExpectSwatch(*desktop.swatch, MakeColor(34, 68, 102), MakeColor(44, 88, 133), kSteelBlue);
}

TEST_F(TickTest, SwatchRingsFollowTheColour) {
  struct Case {
    TColor colour, outer, inner;
  };
  const Case cases[] = {
      {MakeColor(255, 255, 255), MakeColor(204, 204, 204), MakeColor(235, 235, 235)},
      {MakeColor(0, 0, 0), MakeColor(0, 0, 0), MakeColor(0, 0, 0)},
      {MakeColor(255, 0, 1), MakeColor(204, 0, 1), MakeColor(235, 0, 1)},
      {MakeColor(40, 3, 3), MakeColor(0, 0, 0), MakeColor(20, 1, 1)},
  };
  desktop.cursor = ScreenPoint{100, 100};
  for (const Case& c : cases) {
    desktop.screen = [&c](int, int) { return c.colour; };
    main.Timer1Timer();
    ExpectSwatch(*desktop.swatch, c.outer, c.inner, c.colour);
  }
}

TEST_F(TickTest, CursorOnAMonitorLeftOfThePrimary) {
  desktop.monitors.push_back(
      FakeMonitor{Rect::FromSize(-1280, 0, 1280, 1024), Rect::FromSize(-1280, 0, 1280, 984)});
  desktop.screen = [](int x, int) { return x < 0 ? MakeColor(51, 102, 153) : kBlack; };
  desktop.cursor = ScreenPoint{-1280, 15};
  main.Timer1Timer();
  EXPECT_EQ(Text(Control::lblPixel), "-1280 x 15");
  EXPECT_EQ(Text(Control::lblRGB), "51,102,153");
  EXPECT_EQ(Text(Control::lblHEX), "#336699");
  EXPECT_EQ(Text(Control::lblCMYK), "67,33,0,40");
  EXPECT_EQ(Text(Control::lblHSL), "210,67,60");
}

TEST_F(TickTest, CursorOverTheWindowOnlyMovesCursorPos) {
  desktop.cursor = ScreenPoint{512, 384};
  main.Timer1Timer();
  const PixelBuffer view = *main.MagBuffer();
  const int swatchPaints = desktop.swatchPaints;
  desktop.screen = [](int, int) { return MakeColor(255, 0, 0); };
  desktop.calls.clear();

  desktop.cursor = OverWindow();
  main.Timer1Timer();
  EXPECT_EQ(desktop.calls, (Calls{"CursorPosition", "WindowAt"}));
  EXPECT_EQ(main.CursorPos(), OverWindow());
  EXPECT_EQ(main.CurrentColor(), kSteelBlue);
  EXPECT_EQ(*main.MagBuffer(), view);
  EXPECT_EQ(desktop.swatchPaints, swatchPaints);
  EXPECT_EQ(Text(Control::lblPixel), "512 x 384");

  // The next repaint shows the new position beside the old colour.
  main.Paint(tintspot::testing::kWholeClient);
  EXPECT_EQ(Text(Control::lblPixel), "934 x 453");
  EXPECT_EQ(Text(Control::lblRGB), "51,102,153");
  EXPECT_EQ(desktop.screenReads, 1);
}

// On a desktop that tells where the screen changed, a tick at the same point
// with nothing drawn since the last complete read reads nothing and changes
// nothing; a drawing, a move, a new zoom, a display change or a failed read
// brings the ordinary read back.
TEST_F(TickTest, ReadsOnlyWhatMayHaveChanged) {
  desktop.tellsScreenChanges = true;
  desktop.cursor = ScreenPoint{512, 384};
  main.Timer1Timer();
  ASSERT_EQ(desktop.screenReads, 1);
  const struct {
    const char* what;
    std::function<void()> change;
    int reads;
  } steps[] = {
      {"nothing", [] {}, 0},
      {"drawn on", [&] { desktop.screenDrawnOn = true; }, 1},
      {"nothing again", [] {}, 0},
      {"moved",
       [&] {
         desktop.cursor = ScreenPoint{513, 384};
       },
       1},
      {"zoomed", [&] { desktop.zoomSelection = 2; }, 1},
      {"display changed", [&] { main.DisplayChanged(); }, 1},
      {"drawn on, read fails",
       [&] {
         desktop.screenDrawnOn = true;
         desktop.copyFails = true;
       },
       1},
      {"after the failure", [&] { desktop.copyFails = false; }, 1},
      {"settled", [] {}, 0},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.change();
    const int before = desktop.screenReads;
    desktop.screen = [](int, int) { return MakeColor(255, 0, 0); };
    main.Timer1Timer();
    EXPECT_EQ(desktop.screenReads - before, step.reads);
    EXPECT_EQ(main.CurrentColor() == kSteelBlue, step.reads == 0);
    desktop.screen = [](int, int) { return kSteelBlue; };
    main.Timer1Timer();  // back to the first screen, read or not
    desktop.screenDrawnOn = true;
    main.Timer1Timer();
  }
}

// Only a repaint that reaches the swatch or the view redraws the readouts; it
// redraws both, and the labels with them.
TEST_F(TickTest, RepaintsElsewhereLeaveTheReadoutsAlone) {
  desktop.cursor = ScreenPoint{512, 384};
  main.Timer1Timer();
  desktop.cursor = OverWindow();
  main.Timer1Timer();                                          // skipped: only CursorPos moves
  const Rect elsewhere[] = {Rect::FromSize(0, 0, 171, 19),     // the title strip
                            Rect::FromSize(2, 80, 167, 28),    // the lower labels
                            Rect::FromSize(0, 213, 171, 21)};  // the zoom list's strip
  for (const Rect& area : elsewhere) {
    desktop.calls.clear();
    main.Paint(area);
    EXPECT_TRUE(desktop.calls.empty()) << area.top;
    EXPECT_EQ(Text(Control::lblPixel), "512 x 384");
  }
  // One pixel of the view is enough, and it redraws the swatch as well.
  desktop.calls.clear();
  main.Paint(Rect::FromSize(168, 212, 1, 1));
  EXPECT_EQ(desktop.CountCalls("PaintSwatch"), 1);
  EXPECT_EQ(desktop.CountCalls("PaintMagnifier"), 1);
  EXPECT_EQ(Text(Control::lblPixel), "934 x 453");
  desktop.calls.clear();
  main.Paint(Rect::FromSize(162, 72, 1, 1));  // the swatch's last pixel
  EXPECT_EQ(desktop.CountCalls("PaintMagnifier"), 1);
}

TEST_F(TickTest, AnotherWindowOverOursIsSampled) {
  desktop.cursor = OverWindow();
  desktop.cursorOverOtherWindow = true;
  main.Timer1Timer();
  EXPECT_EQ(desktop.CountCalls("BeginScreenRead"), 1);
  EXPECT_EQ(main.CurrentColor(), kSteelBlue);
}

// Every tick outside reads the screen again, but draws only what differs
// from what the window shows: nothing at all when nothing changed.
TEST_F(TickTest, EveryTickOutsideSamplesAgainButDrawsOnlyWhatChanged) {
  desktop.cursor = ScreenPoint{512, 384};
  main.Timer1Timer();
  const PixelBuffer view = *desktop.magnifier;
  // A tick: where the cursor is, whether it is over the window, the screen
  // read, then what it draws (in any order).
  auto tick = [&](Calls drawn) {
    desktop.calls.clear();
    main.Timer1Timer();
    const ScreenPoint origin{desktop.cursor.x - 83, desktop.cursor.y - 43};  // the view's centre
    const std::string read =
        "CopyScreen(" + std::to_string(origin.x) + "," + std::to_string(origin.y) + ",167x87)";
    return CallsInSteps(
        desktop.calls,
        {{"CursorPosition"}, {"BeginScreenRead"}, {read}, {"EndScreenRead"}, std::move(drawn)});
  };
  EXPECT_TRUE(tick({}));  // nothing moved, nothing changed

  // A change away from the cursor's pixel reaches the view alone.
  desktop.screen = [](int x, int) { return x == 430 ? kWhite : kSteelBlue; };
  EXPECT_TRUE(tick({"PaintMagnifier"}));
  EXPECT_FALSE(*desktop.magnifier == view);
  EXPECT_TRUE(tick({}));

  // The cursor's pixel alone: swatch, colour readouts and view.
  desktop.screen = [](int x, int y) {
    return x == 512 && y == 384 ? MakeColor(0, 0, 0) : x == 430 ? kWhite : kSteelBlue;
  };
  EXPECT_TRUE(
      tick({"PaintSwatch", "SetLabelText(lblRGB,0,0,0)", "SetLabelText(lblHEX,#000000)",
            "SetLabelText(lblCMYK,0,0,0,100)", "SetLabelText(lblHSL,0,0,0)", "PaintMagnifier"}));
  ExpectSwatch(*desktop.swatch, kBlack, kBlack, kBlack);

  // A move over an even screen: the position readout alone.
  desktop.screen = [](int, int) { return kSteelBlue; };
  main.Timer1Timer();
  desktop.cursor = ScreenPoint{513, 384};
  EXPECT_TRUE(tick({"SetLabelText(lblPixel,513 x 384)"}));

  // A repaint draws both again, changed or not.
  desktop.calls.clear();
  main.Paint(tintspot::testing::kWholeClient);
  EXPECT_TRUE(CallsInSteps(desktop.calls, {{"PaintSwatch", "PaintMagnifier"}}));
  EXPECT_TRUE(tick({}));
}

TEST_F(TickTest, FailedPixelReadShowsWhiteReadoutsAndABlackCentre) {
  desktop.cursor = ScreenPoint{512, 384};
  desktop.screenReadFails = true;
  main.Timer1Timer();
  EXPECT_EQ(main.CurrentColor(), 0xFFFFFFFFu);
  EXPECT_EQ(Text(Control::lblRGB), "255,255,255");
  EXPECT_EQ(Text(Control::lblHEX), "#FFFFFF");
  EXPECT_EQ(Text(Control::lblCMYK), "0,0,0,0");
  EXPECT_EQ(Text(Control::lblHSL), "0,0,100");
  // Rings of white; the centre is system colour 255, which reads as 0.
  ExpectSwatch(*desktop.swatch, MakeColor(204, 204, 204), MakeColor(235, 235, 235), kBlack);

  // Kept while the cursor is over the window, replaced at the next sample.
  desktop.screenReadFails = false;
  desktop.cursor = OverWindow();
  main.Timer1Timer();
  EXPECT_EQ(main.CurrentColor(), 0xFFFFFFFFu);
  desktop.cursor = ScreenPoint{512, 384};
  main.Timer1Timer();
  EXPECT_EQ(main.CurrentColor(), kSteelBlue);
}

TEST_F(TickTest, FailedPixelReadGetsTheBlackPadlockWhenLocked) {
  // The centre is black, so the black padlock leaves the whole area black
  // where the white one would show.
  desktop.cursor = ScreenPoint{512, 384};
  desktop.screenReadFails = true;
  main.Timer1Timer();
  main.FormKeyDown(Key::Space, ShiftState{});  // locks
  ASSERT_TRUE(main.IsLocked());
  const Picture& lock = main.Skin().imgLockBlack;
  int ink = 0;
  for (int y = 0; y < lock.pixels.Height(); ++y)
    for (int x = 0; x < lock.pixels.Width(); ++x) {
      const bool clear = lock.transparent && lock.pixels.At(x, y) == *lock.transparent;
      ink += !clear;
      EXPECT_EQ(desktop.swatch->At(35 + x, 32 + y), kBlack) << x << "," << y;
    }
  EXPECT_GT(ink, 20);
  EXPECT_LT(ink, 77);
}

// A failing call ends the tick with an error box; what it did not draw is
// drawn at the next tick.
TEST_F(TickTest, TicksGoOnWhenAPlatformCallFails) {
  desktop.cursor = ScreenPoint{512, 384};
  for (const char* failing : {"CopyScreen", "PaintSwatch", "PaintMagnifier"}) {
    SCOPED_TRACE(failing);
    bool thrown = false;
    desktop.onCall = [&](const std::string& call) {
      if (!thrown && call.rfind(failing, 0) == 0) {
        thrown = true;
        throw std::runtime_error("device lost");
      }
    };
    desktop.calls.clear();
    main.Timer1Timer();
    EXPECT_TRUE(thrown);
    EXPECT_EQ(desktop.calls.back(), "ShowErrorBox(device lost.)");
  }
  EXPECT_EQ(desktop.screenReads, 3);
  EXPECT_EQ(desktop.errorBoxes.size(), 3u);
  // The ticks go on, and the view whose paint failed is painted now.
  desktop.onCall = nullptr;
  desktop.calls.clear();
  main.Timer1Timer();
  EXPECT_EQ(main.CurrentColor(), kSteelBlue);
  EXPECT_EQ(desktop.CountCalls("PaintSwatch"), 0);
  EXPECT_EQ(desktop.CountCalls("PaintMagnifier"), 1);
  EXPECT_EQ(*desktop.magnifier, *main.MagBuffer());
}

}  // namespace
}  // namespace tintspot
