// The input rules the core applies to what a shell reports: double-clicks
// from press times and places, the title following the activation reported,
// where the focus goes, and what closes the help popup. (Which windows' keys
// act is held by the end-to-end keyboard and help tests.)
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "main_window_harness.h"

namespace tintspot {
namespace {

using tintspot::testing::FakePlatform;
using W = ProgramWindow;

constexpr ScreenPoint kOnTitle{50, 9}, kOnHelp{140, 115};

class InputRulesTest : public ::testing::Test {
 protected:
  FakePlatform desktop;
  TfrmMain main{desktop};
  void SetUp() override { main.FormCreate(); }
};

// Presses on the title: dx, dy from it, ms after the first, the button, and
// whether the window was dragged dx along with the pointer before it.
TEST_F(InputRulesTest, ADoubleClickIsTheSameButtonSoonAndNearOnTheScreen) {
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
    const std::uint32_t start = tintspot::testing::Apart();
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
TEST_F(InputRulesTest, TitleShowsTheActivationReportedEvenWhenRepeatedOrMissed) {
  for (const std::string reports : {"0", "11", "100", "01", "1101"}) {
    for (char report : reports) main.ApplicationActivationChanged(report == '1');
    const Picture& look = reports.back() == '1' ? main.Skin().imgTitleDeact : main.Skin().imgHeader;
    EXPECT_EQ(desktop.pictures.at(Control::imgHeader).pixels, look.pixels) << reports;
    main.ApplicationActivationChanged(false);  // the next case starts inactive
  }
}

// Each step: where the focus is, then a key (toggling the lock) or the main
// window getting the focus, and where the core moves the focus.
TEST_F(InputRulesTest, TheListTakesTheFocusWhileEnabledAndHandsItBackWhenDisabled) {
  const struct {
    W focus;
    bool key;
    std::vector<std::string> moved;
  } steps[] = {{W::ZoomList, true, {"FocusWindow(Main)"}},  // locked
               {W::Main, false, {}},                        // the list is disabled
               {W::Main, true, {"FocusWindow(ZoomList)"}},  // unlocked
               {W::None, false, {"FocusWindow(ZoomList)"}},
               {W::Other, true, {}},  // locked
               {W::Other, true, {}}};
  for (const auto& step : steps) {
    desktop.focus = step.focus;
    desktop.calls.clear();
    step.key ? main.KeyDown(Key::Space, ShiftState{}) : main.MainWindowFocused();
    EXPECT_EQ(desktop.CallsStartingWith("FocusWindow"), step.moved);
  }
}

// Where the focus goes after the popup opened: m main, a another application,
// h the popup itself, d the dropped-down zoom list, o another of our windows.
TEST_F(InputRulesTest, HelpClosesWhenAnotherWindowOfTheProgramTakesTheFocus) {
  const std::pair<std::string, bool> cases[] = {{"m", false},  {"a", true},  {"ah", true},
                                                {"am", false}, {"d", false}, {"o", false}};
  const std::map<char, W> windows{
      {'m', W::Main}, {'h', W::HelpPopup}, {'d', W::ZoomListDropDown}, {'o', W::Other}};
  for (const auto& [focus, open] : cases) {
    tintspot::testing::ClickAt(main, kOnHelp);
    for (char f : focus)
      f == 'a' ? main.FocusWentToOtherApplication() : main.FocusWentTo(windows.at(f));
    EXPECT_EQ(desktop.helpPopupAt.has_value(), open) << focus;
    EXPECT_EQ(desktop.timerRunning, !open);
    main.FocusWentTo(W::Main);
  }
}

}  // namespace
}  // namespace tintspot
