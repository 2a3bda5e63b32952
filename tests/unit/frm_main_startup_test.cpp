// Start-up of the main window: what the settings file restores, the first-run
// defaults, the screen snap of the restored position, and the mend for a
// saved position that no monitor shows any more.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window_harness.h"

namespace tintspot {
namespace {

using tintspot::testing::FakeMonitor;
using tintspot::testing::FakePlatform;

constexpr int kCentreX = (1920 - 171) / 2;  // 874
constexpr int kCentreY = (1080 - 234) / 2;  // 423, as if the magnifier were shown

class StartUpTest : public ::testing::Test {
 protected:
  FakePlatform desktop;
  TfrmMain main{desktop};

  std::vector<std::string> CallsStartingWith(const std::string& prefix) const {
    return desktop.CallsStartingWith(prefix);
  }
  ScreenPoint WindowAt() const { return ScreenPoint{desktop.window.left, desktop.window.top}; }
  void AddMonitorLeftOfPrimary() {
    desktop.monitors.push_back(
        FakeMonitor{Rect::FromSize(-1280, 0, 1280, 1024), Rect::FromSize(-1280, 0, 1280, 984)});
  }
};

TEST_F(StartUpTest, FirstRunWithoutSettingsFile) {
  main.FormCreate();
  // Each setting read once, in any order.
  EXPECT_TRUE(tintspot::testing::CallsInSteps(
      CallsStartingWith("ReadSetting"),
      {{"ReadSetting(General,onTop)", "ReadSetting(General,X)", "ReadSetting(General,Y)",
        "ReadSetting(Magnifier,Zoom)", "ReadSetting(Magnifier,ShowMag)"}}));
  // Not topmost: the toggle still runs once and says so.
  EXPECT_EQ(CallsStartingWith("SetTopmost"), (std::vector<std::string>{"SetTopmost(0)"}));
  EXPECT_FALSE(main.IsOnTop());
  EXPECT_EQ(desktop.pictures[Control::imgTop].pixels, main.Skin().imgTopo.pixels);
  EXPECT_FALSE(main.Skin().imgTopo.pixels == main.Skin().imgTopd.pixels);
  // Centred on the primary screen as if 234 high, then cut to 125.
  EXPECT_EQ(WindowAt(), (ScreenPoint{kCentreX, kCentreY}));
  EXPECT_EQ(desktop.window.Width(), 171);
  EXPECT_EQ(desktop.window.Height(), 125);
  EXPECT_EQ(desktop.pictures[Control::imgMag].pixels, main.Skin().imgMagu.pixels);
  EXPECT_EQ(desktop.zoomSelection, 0);
  // Sampling from the start, every 3 ms.
  EXPECT_EQ(CallsStartingWith("StartTimer"), (std::vector<std::string>{"StartTimer(3)"}));
  EXPECT_TRUE(desktop.timerRunning);
  EXPECT_FALSE(main.IsLocked());
  EXPECT_EQ(desktop.CountCalls("WriteSetting"), 0);
}

TEST_F(StartUpTest, MagnifierViewStartsWhiteWithABlackFrame) {
  main.FormCreate();
  ASSERT_NE(main.MagBuffer(), nullptr);
  const PixelBuffer& view = *main.MagBuffer();
  ASSERT_EQ(view.Width(), 167);
  ASSERT_EQ(view.Height(), 87);
  for (int y = 0; y < 87; ++y)
    for (int x = 0; x < 167; ++x) {
      const bool frame = x == 0 || y == 0 || x == 166 || y == 86;
      ASSERT_EQ(view.At(x, y), frame ? kBlack : kWhite) << x << "," << y;
    }
  // A repaint before the first sample shows it.
  main.Paint(tintspot::testing::kWholeClient);
  ASSERT_TRUE(desktop.magnifier.has_value());
  EXPECT_EQ(*desktop.magnifier, view);
}

TEST_F(StartUpTest, StoredOnTopMakesTheWindowTopmost) {
  desktop.SetIni("General", "onTop", "1");
  main.FormCreate();
  EXPECT_EQ(CallsStartingWith("SetTopmost"), (std::vector<std::string>{"SetTopmost(1)"}));
  EXPECT_TRUE(desktop.topmost);
  EXPECT_TRUE(main.IsOnTop());
  EXPECT_EQ(desktop.pictures[Control::imgTop].pixels, main.Skin().imgTopd.pixels);
  // One press makes it an ordinary window with the grey plus.
  tintspot::testing::ClickAt(main, tintspot::testing::kOnImgTop);
  EXPECT_FALSE(desktop.topmost);
  EXPECT_FALSE(main.IsOnTop());
  EXPECT_EQ(desktop.pictures[Control::imgTop].pixels, main.Skin().imgTopo.pixels);
}

TEST_F(StartUpTest, StoredOnTopZeroOrMalformedIsNotTopmost) {
  for (const char* value : {"0", "abc"}) {
    FakePlatform fresh;
    TfrmMain window(fresh);
    fresh.SetIni("General", "onTop", value);
    window.FormCreate();
    EXPECT_EQ(fresh.CountCalls("SetTopmost(0)"), 1) << value;
    EXPECT_EQ(fresh.CountCalls("SetTopmost(1)"), 0) << value;
    EXPECT_FALSE(window.IsOnTop()) << value;
  }
}

TEST_F(StartUpTest, StoredZoomOutsideTheListSelectsTheFirstLevel) {
  const std::pair<const char*, int> cases[] = {{"7", 0}, {"-3", 0}, {"abc", 0}, {"0x4", 4},
                                               {"6", 6}, {"$2", 2}, {"-1", 0},  {"", 0}};
  for (const auto& [stored, selected] : cases) {
    FakePlatform fresh;
    TfrmMain window(fresh);
    fresh.SetIni("Magnifier", "Zoom", stored);
    window.FormCreate();
    EXPECT_EQ(fresh.zoomSelection, selected) << '"' << stored << '"';
  }
}

TEST_F(StartUpTest, StoredShowMagAnyNonZeroShowsTheMagnifier) {
  desktop.SetIni("Magnifier", "ShowMag", "2");
  main.FormCreate();
  EXPECT_EQ(desktop.window.Height(), 234);
  EXPECT_EQ(desktop.pictures[Control::imgMag].pixels, main.Skin().imgMagd.pixels);
}

TEST_F(StartUpTest, SavedPositionIsRestored) {
  desktop.SetIni("General", "X", "584");
  desktop.SetIni("General", "Y", "414");
  main.FormCreate();
  EXPECT_EQ(WindowAt(), (ScreenPoint{584, 414}));
}

TEST_F(StartUpTest, SavedPositionNearAWorkAreaEdgeSnapsOntoIt) {
  desktop.SetIni("General", "X", "5");
  main.FormCreate();
  EXPECT_EQ(WindowAt(), (ScreenPoint{0, kCentreY}));
}

TEST_F(StartUpTest, SavedPositionTenPixelsFromAnEdgeStays) {
  desktop.SetIni("General", "X", "10");
  desktop.SetIni("General", "Y", "10");
  main.FormCreate();
  EXPECT_EQ(WindowAt(), (ScreenPoint{10, 10}));
}

TEST_F(StartUpTest, SnapPositionUsesTheWorkAreaOfTheWindowsMonitor) {
  AddMonitorLeftOfPrimary();
  main.FormCreate();
  auto snap = [this](int x, int y) { return main.SnapPosition(Rect::FromSize(x, y, 171, 234)); };
  // Primary work area 0,0 - 1920,1040 (taskbar below).
  EXPECT_EQ(snap(9, 300), (ScreenPoint{0, 300}));
  EXPECT_EQ(snap(10, 300), (ScreenPoint{10, 300}));
  EXPECT_EQ(snap(600, 9), (ScreenPoint{600, 0}));
  EXPECT_EQ(snap(600, 10), (ScreenPoint{600, 10}));
  EXPECT_EQ(snap(1920 - 171 - 9, 300), (ScreenPoint{1749, 300}));
  EXPECT_EQ(snap(1920 - 171 - 10, 300), (ScreenPoint{1739, 300}));
  EXPECT_EQ(snap(600, 1040 - 234 - 9), (ScreenPoint{600, 806}));
  EXPECT_EQ(snap(600, 1040 - 234 - 10), (ScreenPoint{600, 796}));
  // Left monitor, work area -1280,0 - 0,984.
  EXPECT_EQ(snap(-1271, 300), (ScreenPoint{-1280, 300}));
  EXPECT_EQ(snap(-1270, 300), (ScreenPoint{-1270, 300}));
  EXPECT_EQ(snap(-180, 984 - 234 - 9), (ScreenPoint{-171, 750}));
  // Mostly on the primary: its left edge counts.
  EXPECT_EQ(snap(-5, 300), (ScreenPoint{0, 300}));
  EXPECT_EQ(snap(0, 0), (ScreenPoint{0, 0}));
}

TEST_F(StartUpTest, SavedPositionOnNoMonitorIsCentred) {
  // The extremes of the integer range included: the window's rectangle
  // there must not overflow (UBSan watches the unit tests).
  const std::pair<const char*, const char*> far[] = {
      {"5000", "-3000"}, {"2147483647", "$7FFFFFFF"}, {"-2147483648", "$80000000"}};
  for (const auto& [x, y] : far) {
    FakePlatform fresh;
    TfrmMain window(fresh);
    fresh.SetIni("General", "X", x);
    fresh.SetIni("General", "Y", y);
    window.FormCreate();
    EXPECT_EQ(fresh.window.left, kCentreX) << x;
    EXPECT_EQ(fresh.window.top, kCentreY) << y;
  }
}

// A file from a text editor or another program, read as the profile reader
// reads it: names in any case and with blanks around them, the first key and
// the first section of a name win, blanks and one pair of quotes around a
// value go, a value ends at a NUL and at its line's CR or LF, and values
// longer than the reader hands over are cut.
TEST_F(StartUpTest, SettingsFileWrittenByAnythingIsReadAsTheProfileReaderDoes) {
  using namespace std::string_literals;
  const std::string file =
      "; by hand\n[ General ]\n  x = \"584\"  \nX=700\nY=414\0"
      "99\n[general]\nX=1\nonTop=1\n[MAGNIFIER]\n"s +
      "zoom=" + std::string(2046, '0') + "4 and more\nZoom=5\nx=1\rShowMag='1'\n";
  desktop.ini = ProfileFile(file);
  main.FormCreate();
  EXPECT_EQ(desktop.window, Rect::FromSize(584, 414, 171, 234));
  EXPECT_FALSE(desktop.topmost);        // only in the second section of the name
  EXPECT_EQ(desktop.zoomSelection, 4);  // cut after its 2,047th character
}

TEST_F(StartUpTest, SavedPositionPartlyOnAMonitorIsKept) {
  const std::pair<int, int> partly[] = {{1850, 100}, {-100, -50}, {400, 1000}};
  for (const auto& [x, y] : partly) {
    FakePlatform fresh;
    TfrmMain window(fresh);
    fresh.SetIni("General", "X", std::to_string(x));
    fresh.SetIni("General", "Y", std::to_string(y));
    window.FormCreate();
    EXPECT_EQ(fresh.window.left, x);
    EXPECT_EQ(fresh.window.top, y);
  }
}

TEST_F(StartUpTest, SavedPositionOnAMonitorLeftOfThePrimaryIsKept) {
  AddMonitorLeftOfPrimary();
  desktop.SetIni("General", "X", "-1000");
  desktop.SetIni("General", "Y", "200");
  main.FormCreate();
  EXPECT_EQ(WindowAt(), (ScreenPoint{-1000, 200}));
}

}  // namespace
}  // namespace tintspot
