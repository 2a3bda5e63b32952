// Reading the screen: copies, the sampled colour, monitors, own window, pointer.
#include "screen_reader.h"

#include <gtest/gtest.h>

#include "main_window_harness.h"

namespace tintspot {
namespace {

using tintspot::testing::FakeMonitor;
using tintspot::testing::FakePlatform;
using tintspot::testing::PatternColour;

// A 20 x 20 read at -10,-10 over two monitors with a gap between them: each
// case's colour at the point, reads of the one pixel, and copy at -5,5.
TEST(ScreenReader, CopiesMonitorsOnlyAndTakesThePointFromTheCopyWhenExact) {
  const TColor at = PatternColour(5, 5), left = PatternColour(-5, 5);
  const struct {
    int bitsPerPixel;
    bool copyFails;
    ScreenPoint point;
    TColor colour;
    int pixelReads;
    TColor copied;
  } cases[] = {{32, false, {5, 5}, at, 0, left},              // exact copy
               {16, false, {5, 5}, at, 1, left & 0xF8FCF8u},  // inexact copy
               {32, true, {5, 5}, at, 1, kBlack},             // failed copy
               {32, false, {-1, 5}, kClrInvalid, 1, left}};   // between the monitors
  for (const auto& c : cases) {
    FakePlatform desktop;
    desktop.monitors = {{Rect::FromSize(0, 0, 100, 100), {}},
                        {Rect::FromSize(-50, 0, 48, 100), {}}};
    desktop.screen = PatternColour;
    desktop.bitsPerPixel = c.bitsPerPixel;
    desktop.copyFails = c.copyFails;
    ScreenReader reader(desktop);
    PixelBuffer area(20, 20, kWhite);  // as left by an earlier read
    EXPECT_EQ(reader.Capture(ScreenPoint{-10, -10}, area, c.point), c.colour) << c.bitsPerPixel;
    EXPECT_EQ(desktop.CountCalls("ScreenPixel"), c.pixelReads);
    EXPECT_EQ(desktop.CountCalls("EndScreenRead"), 1);
    EXPECT_EQ(area.At(8, 15), kBlack);  // the gap between the monitors
    EXPECT_EQ(area.At(15, 5), kBlack);  // above the screen
    EXPECT_EQ(area.At(5, 15), c.copied);
  }
}

// An area on one monitor alone is that monitor's copy, and black where the copy or the whole
// read failed, even where an earlier read had left its pixels.
TEST(ScreenReader, AnAreaOnOneMonitorIsItsCopyOrBlack) {
  for (const int failing : {0, 1, 2}) {  // nothing, the copy, the read
    FakePlatform desktop;
    desktop.screen = PatternColour;
    desktop.copyFails = failing == 1;
    desktop.screenReadFails = failing == 2;
    ScreenReader reader(desktop);
    PixelBuffer area(20, 20, kWhite);
    reader.Capture(ScreenPoint{30, 40}, area, ScreenPoint{35, 45});
    for (const ScreenPoint p : {ScreenPoint{0, 0}, ScreenPoint{19, 19}})
      EXPECT_EQ(area.At(p.x, p.y), failing ? kBlack : PatternColour(30 + p.x, 40 + p.y)) << failing;
  }
}

TEST(ScreenReader, AsksForTheMonitorsAgainOnlyAfterADisplayChange) {
  FakePlatform desktop;
  ScreenReader reader(desktop);
  PixelBuffer area(3, 3);
  auto read = [&] {
    return reader.Capture(ScreenPoint{-2000, 0}, area, {-1999, 1}), area.At(0, 0);
  };
  read();
  read();
  desktop.monitors.push_back(FakeMonitor{Rect::FromSize(-2000, 0, 80, 80), {}});
  EXPECT_EQ(read(), kBlack);  // not known yet
  reader.DisplayChanged();
  EXPECT_EQ(read(), kWhite);
  EXPECT_EQ(desktop.layoutQueries, 2);
}

// The window named at a point of the main rectangle, and whether it is ours.
TEST(ScreenReader, OwnWindowIsTheMainWindowOrTheClosedList) {
  const std::pair<ProgramWindow, bool> cases[] = {{ProgramWindow::Main, true},
                                                  {ProgramWindow::ZoomList, true},
                                                  {ProgramWindow::ZoomListDropDown, false},
                                                  {ProgramWindow::HelpPopup, false}};
  for (const auto& [under, own] : cases) {
    FakePlatform desktop;
    desktop.windowAtCursor = under;
    ScreenReader reader(desktop);
    EXPECT_FALSE(reader.IsOwnWindowAt(ScreenPoint{171, 10}));
    EXPECT_EQ(desktop.CountCalls("WindowAt"), 0);
    EXPECT_EQ(reader.IsOwnWindowAt(ScreenPoint{170, 10}), own) << static_cast<int>(under);
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
