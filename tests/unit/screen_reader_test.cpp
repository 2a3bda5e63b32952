// The rules of reading the screen, on the simulated desktop: what is copied,
// where the sampled colour comes from, the cached monitors, the own-window
// test and a pointer that cannot be read.
#include "screen_reader.h"

#include <gtest/gtest.h>

#include "main_window_harness.h"

namespace tintspot {
namespace {

using tintspot::testing::FakeMonitor;
using tintspot::testing::FakePlatform;
using tintspot::testing::PatternColour;

TEST(ScreenReader, CopiesMonitorsOnlyAndTakesThePointFromTheCopyWhenExact) {
  struct Case {
    const char* name;
    int bitsPerPixel;
    bool copyFails;
    ScreenPoint point;
    TColor colour;
    int pixelReads;
    TColor copied;  // at -5,5
  };
  const ScreenPoint in{5, 5}, between{-1, 5};
  const TColor at = PatternColour(5, 5), left = PatternColour(-5, 5);
  const Case cases[] = {
      {"on a monitor, 32 bits", 32, false, in, at, 0, left},
      {"on a monitor, 16 bits", 16, false, in, at, 1, left & 0xF8FCF8u},
      {"copy failed", 32, true, in, at, 1, kBlack},
      {"between the monitors", 32, false, between, kClrInvalid, 1, left},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePlatform desktop;
    desktop.monitors = {{Rect::FromSize(0, 0, 100, 100), {}},
                        {Rect::FromSize(-50, 0, 48, 100), {}}};
    desktop.screen = PatternColour;
    desktop.bitsPerPixel = c.bitsPerPixel;
    desktop.copyFails = c.copyFails;
    ScreenReader reader(desktop);
    PixelBuffer area(20, 20, kWhite);  // as left by an earlier read
    EXPECT_EQ(reader.Capture(ScreenPoint{-10, -10}, area, c.point), c.colour);
    EXPECT_EQ(desktop.CountCalls("ScreenPixel"), c.pixelReads);
    EXPECT_EQ(desktop.CountCalls("EndScreenRead"), 1);
    EXPECT_EQ(area.At(8, 15), kBlack);    // the gap between the monitors
    EXPECT_EQ(area.At(15, 5), kBlack);    // above the screen
    EXPECT_EQ(area.At(5, 15), c.copied);  // on the left monitor
  }
}

TEST(ScreenReader, AsksForTheMonitorsAgainOnlyAfterADisplayChange) {
  FakePlatform desktop;
  ScreenReader reader(desktop);
  PixelBuffer area(3, 3);
  for (int tick = 0; tick < 3; ++tick) reader.Capture(ScreenPoint{-2000, 0}, area, {-1999, 1});
  EXPECT_EQ(desktop.layoutQueries, 1);
  desktop.monitors.push_back(FakeMonitor{Rect::FromSize(-2000, 0, 80, 80), {}});
  reader.Capture(ScreenPoint{-2000, 0}, area, {-1999, 1});
  EXPECT_EQ(area.At(0, 0), kBlack);  // not known yet
  reader.DisplayChanged();
  reader.Capture(ScreenPoint{-2000, 0}, area, {-1999, 1});
  EXPECT_EQ(area.At(0, 0), kWhite);
  EXPECT_EQ(desktop.layoutQueries, 2);
}

TEST(ScreenReader, OwnWindowIsTheMainWindowOrTheClosedList) {
  const struct {
    ProgramWindow under;
    ScreenPoint point;
    bool own;
    int asked;
  } cases[] = {
      {ProgramWindow::Main, {10, 10}, true, 1},
      {ProgramWindow::ZoomList, {10, 10}, true, 1},
      {ProgramWindow::ZoomListDropDown, {10, 10}, false, 1},
      {ProgramWindow::HelpPopup, {10, 10}, false, 1},
      {ProgramWindow::Main, {171, 10}, false, 0},  // outside the rectangle: nobody is asked
  };
  for (const auto& c : cases) {
    FakePlatform desktop;
    desktop.windowAtCursor = c.under;
    ScreenReader reader(desktop);
    EXPECT_EQ(reader.IsOwnWindowAt(c.point), c.own) << static_cast<int>(c.under);
    EXPECT_EQ(desktop.CountCalls("WindowAt"), c.asked);
  }
}

TEST(ScreenReader, APointerThatCannotBeReadStaysWhereItWasLastRead) {
  FakePlatform desktop;
  ScreenReader reader(desktop);
  desktop.cursor = ScreenPoint{-7, 9};
  EXPECT_EQ(reader.Cursor(), (ScreenPoint{-7, 9}));
  desktop.cursorReadFails = true;
  desktop.cursor = ScreenPoint{500, 500};
  EXPECT_EQ(reader.Cursor(), (ScreenPoint{-7, 9}));
}

}  // namespace
}  // namespace tintspot
