// The title bar and window buttons: dragging and minimising by the title
// (double-clicks told from press times and places),
// the always-on-top button, the pressed pictures of minimise and close
// through the one scratch holder, and the title's look following the
// application's activation.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "main_window_harness.h"

namespace tintspot {
namespace {

using tintspot::testing::Apart;
using tintspot::testing::ClickAt;
using tintspot::testing::DoubleClickAt;
using tintspot::testing::FakePlatform;
using tintspot::testing::kOnImgTop;

constexpr ScreenPoint kOnTitle{50, 9}, kOnMin{140, 9}, kOnClose{160, 9}, kOutside{60, 60};

bool Same(const Picture& a, const Picture& b) { return a.pixels == b.pixels; }

class TitleTest : public ::testing::Test {
 protected:
  FakePlatform desktop;
  TfrmMain main{desktop};
  void SetUp() override { main.FormCreate(); }
  const Picture& Shown(Control control) { return desktop.pictures.at(control); }
};

TEST_F(TitleTest, AnyButtonOnTheTitleStartsAMove) {
  for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle})
    ClickAt(main, kOnTitle, button);
  EXPECT_EQ(desktop.dragsStarted, 3);
  EXPECT_FALSE(desktop.minimized);
  EXPECT_FALSE(desktop.captured);  // the move took the capture over
}

TEST_F(TitleTest, DoubleClickOnTheTitleMinimizes) {
  const std::uint32_t time = Apart();
  ClickAt(main, kOnTitle, MouseButton::Left, time);
  EXPECT_FALSE(desktop.minimized);
  main.MouseDown(kOnTitle, MouseButton::Left, time + 100);
  EXPECT_TRUE(desktop.minimized);
  // Its second press is a press of its own as well.
  EXPECT_EQ(desktop.dragsStarted, 2);
}

TEST_F(TitleTest, AlwaysOnTopActsOnEveryPress) {
  ClickAt(main, kOnImgTop, MouseButton::Right);
  EXPECT_TRUE(main.IsOnTop());
  EXPECT_TRUE(desktop.topmost);
  EXPECT_TRUE(Same(Shown(Control::imgTop), main.Skin().imgTopd));
  const int before = desktop.CountCalls("SetTopmost");
  DoubleClickAt(main, kOnImgTop);  // two presses: on, off... and back
  EXPECT_EQ(desktop.CountCalls("SetTopmost"), before + 2);
  EXPECT_TRUE(main.IsOnTop());
  main.MouseDown(kOnImgTop, MouseButton::Middle, Apart());
  EXPECT_FALSE(desktop.topmost);
  EXPECT_TRUE(Same(Shown(Control::imgTop), main.Skin().imgTopo));
}

TEST_F(TitleTest, LeftClickActsWhileThePressedPictureShows) {
  main.MouseDown(kOnMin, MouseButton::Left, Apart());
  EXPECT_TRUE(Same(Shown(Control::imgMin), main.Skin().imgMind));
  EXPECT_TRUE(Same(*main.ImgTemp(), main.Skin().imgMin));
  const std::size_t from = desktop.calls.size();
  main.MouseUp(kOnMin, MouseButton::Left);
  const auto calls = tintspot::testing::CallsSince(desktop, from);
  // Minimised first, then the normal picture comes back.
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[0], "ReleaseMouseCapture");
  EXPECT_EQ(calls[1], "MinimizeApplication");
  EXPECT_EQ(calls[2], "ShowPicture(imgMin)");
  EXPECT_TRUE(Same(Shown(Control::imgMin), main.Skin().imgMin));

  ClickAt(main, kOnClose);
  EXPECT_TRUE(desktop.closeRequested);
  EXPECT_TRUE(Same(Shown(Control::imgClose), main.Skin().imgClose));
}

TEST_F(TitleTest, PressReleasedOutsideOrWithOtherButtonsOnlyShowsThePicture) {
  for (ScreenPoint button : {kOnMin, kOnClose}) {
    main.MouseDown(button, MouseButton::Left, Apart());
    main.MouseUp(kOutside, MouseButton::Left);
    ClickAt(main, button, MouseButton::Right);
    ClickAt(main, button, MouseButton::Middle);
  }
  EXPECT_FALSE(desktop.minimized);
  EXPECT_FALSE(desktop.closeRequested);
  EXPECT_TRUE(Same(Shown(Control::imgMin), main.Skin().imgMin));
  EXPECT_TRUE(Same(Shown(Control::imgClose), main.Skin().imgClose));
  // Each press showed the pressed picture.
  EXPECT_EQ(desktop.CountCalls("ShowPicture(imgClose)"), 1 + 3 * 2);
}

TEST_F(TitleTest, AReleaseWithoutItsPressKeepsTheButtonsPicture) {
  // The help popup leaves its own normal picture in the scratch holder; a
  // release arriving on minimise must not take it.
  main.MouseDown(ScreenPoint{140, 115}, MouseButton::Right,
                 Apart());  // help key
  main.MouseUp(kOnMin, MouseButton::Right);
  EXPECT_TRUE(Same(Shown(Control::imgMin), main.Skin().imgMin));
}

// No order of presses and lost releases leaves a window button pressed for
// good: a release that never came is made up for by the next press.
TEST_F(TitleTest, AButtonWhoseReleaseNeverCameRecoversAtTheNextPress) {
  const ScreenPoint kOnHelp{140, 115}, kOnMenu{160, 115};
  // Right press on minimise, released away from the window: no release here.
  main.MouseDown(kOnMin, MouseButton::Right, Apart());
  EXPECT_TRUE(Same(Shown(Control::imgMin), main.Skin().imgMind));
  ClickAt(main, kOnMin);  // a left click still minimises and then shows the normal picture
  EXPECT_TRUE(desktop.minimized);
  EXPECT_TRUE(Same(Shown(Control::imgMin), main.Skin().imgMin));

  // Left press held on close, then a right press on minimise: close goes back.
  main.MouseDown(kOnClose, MouseButton::Left, Apart());
  main.MouseDown(kOnMin, MouseButton::Right, Apart());
  EXPECT_TRUE(Same(Shown(Control::imgClose), main.Skin().imgClose));
  EXPECT_TRUE(Same(Shown(Control::imgMin), main.Skin().imgMind));
  main.MouseUp(kOnMin, MouseButton::Right);
  main.MouseUp(kOutside, MouseButton::Left);
  EXPECT_TRUE(Same(Shown(Control::imgMin), main.Skin().imgMin));

  // A right press on close whose release is lost, then the help key and the
  // menu key, each of which takes the scratch holder for its own picture.
  main.MouseDown(kOnClose, MouseButton::Right, Apart());
  ClickAt(main, kOnHelp, MouseButton::Right);
  EXPECT_TRUE(Same(Shown(Control::imgClose), main.Skin().imgClose));
  main.FocusWentTo(ProgramWindow::Main);
  EXPECT_TRUE(Same(Shown(Control::imgHelp), main.Skin().imgHelp));
  main.MouseDown(kOnMin, MouseButton::Middle, Apart());
  ClickAt(main, kOnMenu, MouseButton::Right);
  EXPECT_TRUE(Same(Shown(Control::imgMin), main.Skin().imgMin));
  EXPECT_TRUE(Same(Shown(Control::imgMenu), main.Skin().imgMenu));
  EXPECT_FALSE(desktop.closeRequested);
}

TEST_F(TitleTest, TitleLooksSwapAtEachActivationChange) {
  EXPECT_TRUE(Same(Shown(Control::imgHeader), main.Skin().imgHeader));  // inactive look
  main.ApplicationActivationChanged(true);
  EXPECT_TRUE(Same(Shown(Control::imgHeader), main.Skin().imgTitleDeact));
  main.ApplicationActivationChanged(false);
  EXPECT_TRUE(Same(Shown(Control::imgHeader), main.Skin().imgHeader));
  // Windows of the program coming and going change nothing.
  ClickAt(main, ScreenPoint{140, 115});  // help popup opens
  main.FocusWentTo(ProgramWindow::Main);
  EXPECT_TRUE(Same(Shown(Control::imgHeader), main.Skin().imgHeader));
}

// Presses on the title: dx, dy, ms after the first, button, window dragged dx.
TEST_F(TitleTest, ADoubleClickIsTheSameButtonSoonAndNearOnTheScreen) {
  struct Press {
    int dx, dy, ms;
    MouseButton button;
    bool dragged = false;
  };
  constexpr MouseButton L = MouseButton::Left, R = MouseButton::Right;
  const std::pair<std::vector<Press>, int> cases[] = {
      {{{0, 0, 0, L}, {1, -1, 499, L}}, 1},
      {{{0, 0, 0, L}, {0, 0, 500, L}}, 0},
      {{{0, 0, 0, L}, {2, 0, 10, L}}, 0},
      {{{0, 0, 0, R}, {0, 0, 10, L}}, 0},
      {{{0, 0, 0, L}, {0, 0, 10, R}, {0, 0, 20, L}}, 0},
      {{{0, 0, 0, L}, {0, 0, 10, L}, {0, 0, 20, L}}, 1},  // a third press starts afresh
      {{{0, 0, 0, L}, {30, 0, 10, L, true}}, 0},          // same client point, 30 px on screen
  };
  for (const auto& [presses, minimizes] : cases) {
    desktop.calls.clear();
    const std::uint32_t start = Apart();
    for (const Press& p : presses) {
      if (p.dragged)
        desktop.window = desktop.window.MovedTo(desktop.window.left + p.dx, desktop.window.top);
      const ScreenPoint at{kOnTitle.x + (p.dragged ? 0 : p.dx), kOnTitle.y + p.dy};
      main.MouseDown(at, p.button, start + static_cast<std::uint32_t>(p.ms));
    }
    EXPECT_EQ(desktop.CountCalls("MinimizeApplication"), minimizes) << presses.size();
  }
}

// Reports as 1 (active) and 0; the title shows the last one.
TEST_F(TitleTest, TitleShowsTheActivationReportedEvenWhenRepeatedOrMissed) {
  for (const std::string reports : {"0", "11", "100", "01", "1101"}) {
    for (char report : reports) main.ApplicationActivationChanged(report == '1');
    const Picture& look = reports.back() == '1' ? main.Skin().imgTitleDeact : main.Skin().imgHeader;
    EXPECT_EQ(desktop.pictures.at(Control::imgHeader).pixels, look.pixels) << reports;
    main.ApplicationActivationChanged(false);  // the next case starts inactive
  }
}

}  // namespace
}  // namespace tintspot
