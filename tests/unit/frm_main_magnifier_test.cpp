// The magnifier as the main window drives it: the whole view at every zoom
// level against an image built here from the screen, the cross-hair, views
// partly off the screen, when a new zoom takes effect, picking a colour out
// of the view, and the show/hide button.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "main_window_harness.h"

namespace tintspot {
namespace {

using tintspot::testing::ClickAt;
using tintspot::testing::ClientOfView;
using tintspot::testing::FakeMonitor;
using tintspot::testing::FakePlatform;
using tintspot::testing::kOnImgMag;
using tintspot::testing::PatternColour;

constexpr int kFactors[7] = {1, 2, 3, 4, 5, 12, 28};

TColor Inverse(TColor c) { return MakeColor(255 - RedOf(c), 255 - GreenOf(c), 255 - BlueOf(c)); }

bool OnCrossHairArm(int x, int y) {
  const int dx = x - 83, dy = y - 43;
  if (dy == 0) return (dx >= 2 && dx <= 5) || (dx <= -2 && dx >= -5);
  if (dx == 0) return (dy >= 2 && dy <= 5) || (dy <= -2 && dy >= -5);
  return false;
}

// The view for a cursor and zoom factor: view pixel (x, y) shows the screen
// pixel under its centre, ((2x + 1) * srcW div 334, (2y + 1) * srcH div 174)
// from the source origin, and the cross-hair arms are inverted.
PixelBuffer ExpectedView(ScreenPoint cursor, int factor,
                         const std::function<TColor(int, int)>& screenAt) {
  const int srcW = 167 / factor, srcH = 87 / factor;
  const int left = cursor.x - srcW / 2, top = cursor.y - srcH / 2;
  PixelBuffer view(167, 87);
  for (int y = 0; y < 87; ++y)
    for (int x = 0; x < 167; ++x) {
      const TColor c = screenAt(left + (2 * x + 1) * srcW / 334, top + (2 * y + 1) * srcH / 174);
      view.Set(x, y, OnCrossHairArm(x, y) ? Inverse(c) : c);
    }
  return view;
}

// The first pixel position where two views differ, for messages.
std::string FirstDifference(const PixelBuffer& a, const PixelBuffer& b) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.At(x, y) != b.At(x, y)) return std::to_string(x) + "," + std::to_string(y);
  return "none";
}

class MagnifierViewTest : public ::testing::Test {
 protected:
  FakePlatform desktop;
  TfrmMain main{desktop};

  void SetUp() override {
    desktop.screen = PatternColour;
    desktop.SetIni("Magnifier", "ShowMag", "1");
    main.FormCreate();  // window at 874,423, 171 x 234
  }
  // The screen as the fake shows it: black off every monitor.
  TColor ScreenAt(int x, int y) const {
    for (const FakeMonitor& m : desktop.monitors)
      if (m.bounds.Contains(ScreenPoint{x, y})) return PatternColour(x, y);
    return kBlack;
  }
  void ExpectView(ScreenPoint cursor, int factor) {
    const PixelBuffer expected =
        ExpectedView(cursor, factor, [this](int x, int y) { return ScreenAt(x, y); });
    ASSERT_NE(main.MagBuffer(), nullptr);
    EXPECT_TRUE(*main.MagBuffer() == expected)
        << "first difference at " << FirstDifference(*main.MagBuffer(), expected);
    ASSERT_TRUE(desktop.magnifier.has_value());
    EXPECT_TRUE(*desktop.magnifier == expected);
  }
  void TickAt(ScreenPoint cursor) {
    desktop.cursor = cursor;
    main.Timer1Timer();
  }
  ScreenPoint OverWindow() const {
    return ScreenPoint{desktop.window.left + 5, desktop.window.top + 200};
  }
};

TEST_F(MagnifierViewTest, WholeViewAtEveryZoomLevel) {
  const ScreenPoint cursor{700, 300};
  // Back and forth between the levels, to 100% from a larger zoom too.
  for (int index : {3, 0, 6, 1, 5, 2, 4, 0}) {
    SCOPED_TRACE("zoom index " + std::to_string(index));
    desktop.zoomSelection = index;
    TickAt(cursor);
    EXPECT_EQ(main.ZoomFactor(), kFactors[index]);
    ExpectView(cursor, kFactors[index]);
    // The view's centre is the cursor's own pixel.
    EXPECT_EQ(main.MagBuffer()->At(83, 43), PatternColour(700, 300));
  }
}

TEST_F(MagnifierViewTest, CrossHairDoesNotAccumulate) {
  desktop.zoomSelection = 5;
  TickAt(ScreenPoint{640, 480});
  const PixelBuffer first = *main.MagBuffer();
  TickAt(ScreenPoint{640, 480});
  EXPECT_EQ(*main.MagBuffer(), first);
  ExpectView(ScreenPoint{640, 480}, 12);
}

TEST_F(MagnifierViewTest, CursorAtTheScreenOriginShowsBlackBeyondTheEdge) {
  desktop.zoomSelection = 0;
  desktop.calls.clear();
  TickAt(ScreenPoint{0, 0});
  EXPECT_EQ(desktop.CountCalls("CopyScreen(0,0,84x44)"), 1);
  ExpectView(ScreenPoint{0, 0}, 1);
  const PixelBuffer& view = *main.MagBuffer();
  EXPECT_EQ(view.At(0, 0), kBlack);
  EXPECT_EQ(view.At(82, 86), kBlack);
  EXPECT_EQ(view.At(166, 42), kBlack);
  EXPECT_EQ(view.At(83, 43), PatternColour(0, 0));
  EXPECT_EQ(view.At(81, 43), kWhite);  // inverted black of the left arm
}

TEST_F(MagnifierViewTest, NegativeCoordinatesOnAMonitorLeftOfThePrimary) {
  desktop.monitors.push_back(
      FakeMonitor{Rect::FromSize(-1280, 0, 1280, 1024), Rect::FromSize(-1280, 0, 1280, 984)});
  desktop.zoomSelection = 1;
  desktop.calls.clear();
  TickAt(ScreenPoint{-1279, 15});
  EXPECT_EQ(desktop.CountCalls("CopyScreen(-1280,0,43x37)"), 1);
  ExpectView(ScreenPoint{-1279, 15}, 2);
  EXPECT_EQ(desktop.labels[Control::lblPixel], "-1279 x 15");
  // Across the border between the two monitors.
  desktop.zoomSelection = 3;
  TickAt(ScreenPoint{-3, 500});
  ExpectView(ScreenPoint{-3, 500}, 4);
}

TEST_F(MagnifierViewTest, NewZoomTakesEffectAtTheNextTickOutsideTheWindow) {
  desktop.zoomSelection = 0;
  TickAt(ScreenPoint{700, 300});
  const PixelBuffer before = *main.MagBuffer();
  desktop.zoomSelection = 5;  // "Zoom: 1200%" chosen in the list
  TickAt(OverWindow());
  EXPECT_EQ(main.ZoomFactor(), 1);
  EXPECT_EQ(*main.MagBuffer(), before);
  desktop.calls.clear();
  TickAt(ScreenPoint{700, 300});
  EXPECT_EQ(main.ZoomFactor(), 12);
  EXPECT_EQ(desktop.CountCalls("CopyScreen(694,297,13x7)"), 1);
  ExpectView(ScreenPoint{700, 300}, 12);
}

TEST_F(MagnifierViewTest, SelectionOutsideTheListKeepsTheZoom) {
  desktop.zoomSelection = 6;
  TickAt(ScreenPoint{700, 300});
  for (int selection : {-1, 7}) {
    desktop.zoomSelection = selection;
    desktop.calls.clear();
    TickAt(ScreenPoint{720, 310});
    EXPECT_EQ(main.ZoomFactor(), 28) << selection;
    EXPECT_EQ(desktop.CountCalls("CopyScreen(718,309,5x3)"), 1) << selection;
    ExpectView(ScreenPoint{720, 310}, 28);
  }
}

TEST_F(MagnifierViewTest, PickingInTheViewTakesTheColourShownThere) {
  const ScreenPoint cursor{700, 300};
  desktop.zoomSelection = 0;
  TickAt(cursor);
  TickAt(OverWindow());  // the cursor moves onto the view
  // On a cross-hair arm: the inverted colour drawn there.
  ClickAt(main, ClientOfView(81, 43));
  EXPECT_EQ(main.CurrentColor(), Inverse(PatternColour(698, 300)));
  // On the centre, with the right button: the cursor's pixel.
  ClickAt(main, ClientOfView(83, 43), MouseButton::Right);
  EXPECT_EQ(main.CurrentColor(), PatternColour(700, 300));
  // Anywhere else, with the middle button.
  ClickAt(main, ClientOfView(166, 0), MouseButton::Middle);
  const TColor corner = PatternColour(700 + 83, 300 - 43);
  EXPECT_EQ(main.CurrentColor(), corner);
  EXPECT_EQ(desktop.labels[Control::lblRGB], std::to_string(RedOf(corner)) + "," +
                                                 std::to_string(GreenOf(corner)) + "," +
                                                 std::to_string(BlueOf(corner)));
  // The position readout shows CursorPos, not the picked pixel's place.
  EXPECT_EQ(desktop.labels[Control::lblPixel], "879 x 623");
  EXPECT_FALSE(main.IsLocked());
}

TEST_F(MagnifierViewTest, PickingWhileLockedKeepsLockPositionAndView) {
  TickAt(ScreenPoint{700, 300});
  ClickAt(main, tintspot::testing::kOnSwatch);
  ASSERT_TRUE(main.IsLocked());
  const PixelBuffer view = *main.MagBuffer();
  const ScreenPoint frozen = main.CursorPos();
  const std::string position = desktop.labels[Control::lblPixel];
  desktop.calls.clear();
  ClickAt(main, ClientOfView(10, 10));
  EXPECT_EQ(main.CurrentColor(), PatternColour(700 - 83 + 10, 300 - 43 + 10));
  EXPECT_TRUE(main.IsLocked());
  EXPECT_FALSE(desktop.timerRunning);
  EXPECT_EQ(desktop.CountCalls("StartTimer"), 0);
  EXPECT_EQ(main.CursorPos(), frozen);
  EXPECT_EQ(*main.MagBuffer(), view);
  EXPECT_EQ(desktop.labels[Control::lblPixel], position);
  // The swatch shows the picked colour and still the padlock.
  EXPECT_EQ(desktop.swatch->At(10, 10), main.CurrentColor());
  int covered = 0;
  for (int y = 32; y < 43; ++y)
    for (int x = 35; x < 42; ++x) covered += desktop.swatch->At(x, y) != main.CurrentColor();
  EXPECT_GT(covered, 20);
}

TEST_F(MagnifierViewTest, PickedValueWithTheTopBitSetIsASystemColour) {
  desktop.magnifierPixelAnswer = 0x80000015u;  // system colour 21
  ClickAt(main, ClientOfView(50, 50));
  EXPECT_EQ(main.CurrentColor(), MakeColor(106, 106, 106));
  desktop.magnifierPixelAnswer = 0xFFFFFFFFu;  // a failed read: index 255, unknown
  ClickAt(main, ClientOfView(50, 50));
  EXPECT_EQ(main.CurrentColor(), kBlack);
  desktop.magnifierPixelAnswer = 0x7FFFFFFFu;  // top bit clear: taken as it is
  ClickAt(main, ClientOfView(50, 50));
  EXPECT_EQ(main.CurrentColor(), 0x7FFFFFFFu);
}

TEST_F(MagnifierViewTest, MagnifierButtonTogglesThePanelWithAnyButton) {
  ASSERT_EQ(desktop.window.Height(), 234);
  ClickAt(main, kOnImgMag);
  EXPECT_EQ(desktop.window.Height(), 125);
  EXPECT_EQ(desktop.pictures[Control::imgMag].pixels, main.Skin().imgMagu.pixels);
  ClickAt(main, kOnImgMag, MouseButton::Right);
  EXPECT_EQ(desktop.window.Height(), 234);
  EXPECT_EQ(desktop.pictures[Control::imgMag].pixels, main.Skin().imgMagd.pixels);
  ClickAt(main, kOnImgMag, MouseButton::Middle);
  EXPECT_EQ(desktop.window.Height(), 125);
  desktop.calls.clear();
  tintspot::testing::DoubleClickAt(main, kOnImgMag);
  EXPECT_EQ(desktop.window.Height(), 125);
  EXPECT_EQ(desktop.CountCalls("SetWindowHeight"), 2);
}

TEST_F(MagnifierViewTest, CtrlMTogglesThePanelItKnowsOfWhileMinimized) {
  ClickAt(main, kOnImgMag);
  ASSERT_FALSE(main.MagnifierShown());
  // Minimized: the window's own rectangle is the iconic one.
  desktop.minimized = true;
  desktop.window = Rect::FromSize(-32000, -32000, 160, 28);
  ShiftState ctrl;
  ctrl.ctrl = true;
  main.KeyDown(Key::M, ctrl);
  EXPECT_TRUE(main.MagnifierShown());
  EXPECT_EQ(desktop.calls.back(), "SetWindowHeight(234)");
  main.KeyDown(Key::M, ctrl);
  EXPECT_FALSE(main.MagnifierShown());
  EXPECT_EQ(desktop.calls.back(), "SetWindowHeight(125)");
}

TEST_F(MagnifierViewTest, HiddenPanelStillRendersEveryTick) {
  ClickAt(main, kOnImgMag);
  ASSERT_EQ(desktop.window.Height(), 125);
  desktop.zoomSelection = 2;
  TickAt(ScreenPoint{400, 200});
  ExpectView(ScreenPoint{400, 200}, 3);
}

}  // namespace
}  // namespace tintspot
