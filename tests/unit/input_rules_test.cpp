// The input rules the core applies to what a shell reports: double-clicks
// from press times and places, the title following the activation reported,
// which windows' keys act, where the focus goes, and what closes the help
// popup.
#include <gtest/gtest.h>

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

TEST_F(InputRulesTest, ADoubleClickIsTheSameButtonSoonAndNearOnTheScreen) {
  struct Press {
    int dx, dy, ms;
    MouseButton button;
    bool windowMoved = false;  // dragged dx along with the pointer
  };
  constexpr MouseButton L = MouseButton::Left, R = MouseButton::Right;
  const struct {
    const char* name;
    std::vector<Press> presses;  // on the title
    int minimizes;
  } cases[] = {
      {"499 ms, 1 px off", {{0, 0, 0, L}, {1, -1, 499, L}}, 1},
      {"500 ms", {{0, 0, 0, L}, {0, 0, 500, L}}, 0},
      {"2 px off", {{0, 0, 0, L}, {2, 0, 10, L}}, 0},
      {"another button first", {{0, 0, 0, R}, {0, 0, 10, L}}, 0},
      {"another button between", {{0, 0, 0, L}, {0, 0, 10, R}, {0, 0, 20, L}}, 0},
      {"a third press starts afresh", {{0, 0, 0, L}, {0, 0, 10, L}, {0, 0, 20, L}}, 1},
      {"the same client point, the window dragged", {{0, 0, 0, L}, {30, 0, 10, L, true}}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    desktop.calls.clear();
    const std::uint32_t start = tintspot::testing::Apart();
    for (const Press& p : c.presses) {
      if (p.windowMoved)
        desktop.window = desktop.window.MovedTo(desktop.window.left + p.dx, desktop.window.top);
      const ScreenPoint at{kOnTitle.x + (p.windowMoved ? 0 : p.dx), kOnTitle.y + p.dy};
      main.MouseDown(at, p.button, start + static_cast<std::uint32_t>(p.ms));
    }
    EXPECT_EQ(desktop.CountCalls("MinimizeApplication"), c.minimizes);
  }
}

TEST_F(InputRulesTest, TitleShowsTheActivationReportedEvenWhenRepeatedOrMissed) {
  const struct {
    std::vector<bool> reports;
    bool active;
  } cases[] = {{{false}, false},
               {{true, true}, true},
               {{true, false, false}, false},
               {{false, true}, true},
               {{true, true, false, true}, true}};
  for (const auto& c : cases) {
    for (bool active : c.reports) main.ApplicationActivationChanged(active);
    const Picture& look = c.active ? main.Skin().imgTitleDeact : main.Skin().imgHeader;
    EXPECT_EQ(desktop.pictures.at(Control::imgHeader).pixels, look.pixels);
    main.ApplicationActivationChanged(false);  // the next case starts inactive
  }
}

TEST_F(InputRulesTest, OnlyTheMainWindowsAndTheListsKeysAct) {
  const struct {
    W window;
    Key key;
    bool toggles;
  } cases[] = {{W::Main, Key::Space, true},   {W::ZoomList, Key::Other, true},
               {W::ZoomList, Key::F10, true}, {W::HelpPopup, Key::Space, false},
               {W::Other, Key::A, false},     {W::None, Key::A, false}};
  for (const auto& c : cases) {
    const bool before = main.IsLocked();
    main.KeyPressed(c.window, c.key, ShiftState{});
    EXPECT_EQ(main.IsLocked() != before, c.toggles) << static_cast<int>(c.window);
  }
}

TEST_F(InputRulesTest, TheListTakesTheFocusWhileEnabledAndHandsItBackWhenDisabled) {
  const struct {
    W focus;
    bool key;  // a key toggles the lock; else the main window gets the focus
    const char* moved;
  } cases[] = {
      {W::ZoomList, true, "FocusWindow(Main)"},  // locks
      {W::Main, false, nullptr},                 // the list is disabled
      {W::Main, true, "FocusWindow(ZoomList)"},  // unlocks
      {W::None, false, "FocusWindow(ZoomList)"},
      {W::Other, true, nullptr},  // locks
      {W::Other, true, nullptr},  // unlocks
  };
  for (const auto& c : cases) {
    desktop.focus = c.focus;
    desktop.calls.clear();
    if (c.key) {
      main.KeyDown(Key::Space, ShiftState{});
    } else {
      main.MainWindowFocused();
    }
    const auto moves = desktop.CallsStartingWith("FocusWindow");
    EXPECT_EQ(moves, c.moved ? std::vector<std::string>{c.moved} : std::vector<std::string>{});
  }
}

TEST_F(InputRulesTest, HelpClosesWhenAnotherWindowOfTheProgramTakesTheFocus) {
  const struct {
    std::vector<W> focus;  // None: another application
    bool open;
  } cases[] = {{{W::Main}, false},
               {{W::None}, true},
               {{W::None, W::HelpPopup}, true},
               {{W::None, W::Main}, false},
               {{W::ZoomListDropDown}, false},
               {{W::Other}, false}};
  for (const auto& c : cases) {
    tintspot::testing::ClickAt(main, kOnHelp);
    for (W window : c.focus) {
      if (window == W::None) {
        main.FocusWentToOtherApplication();
      } else {
        main.FocusWentTo(window);
      }
    }
    EXPECT_EQ(desktop.helpPopupAt.has_value(), c.open);
    EXPECT_EQ(desktop.timerRunning, !c.open);
    main.FocusWentTo(W::Main);
  }
}

}  // namespace
}  // namespace tintspot
