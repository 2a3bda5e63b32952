// Keyboard commands and copying readouts: which key-downs lock, copy or
// toggle the magnifier, what each readout puts on the clipboard, and the
// error when another program holds the clipboard; the focus policy.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window_harness.h"

namespace tintspot {
namespace {

using tintspot::testing::ClickAt;
using tintspot::testing::FakePlatform;

constexpr Key kTab = Key::Tab, kSpace = Key::Space, kShiftKey = Key::Shift, kCtrlKey = Key::Ctrl,
              kAltKey = Key::Alt, kC = Key::C, kM = Key::M, kF1 = Key::F1;

ShiftState Mods(bool ctrl, bool shift = false, bool alt = false, bool left = false) {
  ShiftState state;
  state.ctrl = ctrl;
  state.shift = shift;
  state.alt = alt;
  state.left = left;
  return state;
}

// Client points on the readout labels.
constexpr ScreenPoint kOnPixel{70, 33}, kOnRGB{70, 48}, kOnHEX{70, 63}, kOnHSL{70, 78},
    kOnCMYK{70, 93};

class KeysTest : public ::testing::Test {
 protected:
  FakePlatform desktop;
  TfrmMain main{desktop};

  void SetUp() override {
    desktop.screen = [](int, int) { return MakeColor(51, 102, 153); };
    main.FormCreate();
    desktop.cursor = ScreenPoint{1500, 900};
    main.Timer1Timer();
  }
  int Height() const { return desktop.window.Height(); }
};

TEST_F(KeysTest, OnlyExactlyCtrlWithCOrMIsACommand) {
  struct Case {
    const char* name;
    Key key;
    ShiftState shift;
    bool toggles;
  };
  const Case cases[] = {
      {"Ctrl alone", kCtrlKey, Mods(true), false},
      {"Ctrl-Space", kSpace, Mods(true), false},
      {"Ctrl-Tab", kTab, Mods(true), false},
      {"Shift alone", kShiftKey, Mods(false, true), true},
      {"Alt alone", kAltKey, Mods(false, false, true), true},
      {"Space", kSpace, Mods(false), true},
      {"F1", kF1, Mods(false), true},
      {"C", kC, Mods(false), true},
      {"Ctrl-Shift-C", kC, Mods(true, true), true},
      {"Ctrl-Alt-C", kC, Mods(true, false, true), true},
      {"Ctrl-C with the left button held", kC, Mods(true, false, false, true), true},
      {"Ctrl-Shift-M", kM, Mods(true, true), true},
      {"Alt-Tab", kTab, Mods(false, false, true), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const bool lockedBefore = main.IsLocked();
    main.KeyDown(c.key, c.shift);
    EXPECT_EQ(main.IsLocked(), c.toggles ? !lockedBefore : lockedBefore);
    EXPECT_EQ(Height(), 125);
    EXPECT_FALSE(desktop.clipboard.has_value());
  }
}

TEST_F(KeysTest, TabAndShiftTabBelongToFocusNavigation) {
  main.KeyDown(kTab, Mods(false));
  main.KeyDown(kTab, Mods(false, true));
  EXPECT_FALSE(main.IsLocked());
  EXPECT_EQ(desktop.CountCalls("StopTimer"), 0);
}

TEST_F(KeysTest, EveryKeyDownTogglesAutoRepeatsToo) {
  for (int repeat = 0; repeat < 5; ++repeat) main.KeyDown(kSpace, Mods(false));
  EXPECT_TRUE(main.IsLocked());
  EXPECT_FALSE(desktop.zoomEnabled);
  main.KeyDown(kSpace, Mods(false));
  EXPECT_FALSE(main.IsLocked());
  EXPECT_TRUE(desktop.zoomEnabled);
}

TEST_F(KeysTest, CtrlCCopiesTheShownHexWithoutItsHash) {
  main.KeyDown(kC, Mods(true));
  EXPECT_EQ(desktop.clipboard, "336699");
  // Locked: the frozen value, whatever is under the cursor now.
  main.KeyDown(kSpace, Mods(false));
  desktop.screen = [](int, int) { return MakeColor(200, 16, 32); };
  main.Timer1Timer();
  main.KeyDown(kC, Mods(true));
  EXPECT_EQ(desktop.clipboard, "336699");
  EXPECT_TRUE(main.IsLocked());
  // Sampling again: the live value.
  main.KeyDown(kSpace, Mods(false));
  main.Timer1Timer();
  main.KeyDown(kC, Mods(true));
  EXPECT_EQ(desktop.clipboard, "C81020");
}

TEST_F(KeysTest, CtrlMShowsAndHidesTheMagnifier) {
  main.KeyDown(kM, Mods(true));
  EXPECT_EQ(Height(), 234);
  main.KeyDown(kM, Mods(true));
  EXPECT_EQ(Height(), 125);
  EXPECT_FALSE(main.IsLocked());
  // Locked, it leaves the lock alone.
  main.KeyDown(kSpace, Mods(false));
  main.KeyDown(kM, Mods(true));
  EXPECT_EQ(Height(), 234);
  EXPECT_TRUE(main.IsLocked());
}

TEST_F(KeysTest, ClickingAReadoutCopiesItsText) {
  ClickAt(main, kOnRGB);
  EXPECT_EQ(desktop.clipboard, "51,102,153");
  ClickAt(main, kOnHEX);
  EXPECT_EQ(desktop.clipboard, "336699");
  ClickAt(main, kOnHSL);
  EXPECT_EQ(desktop.clipboard, "210,67,60");
  ClickAt(main, kOnCMYK);
  EXPECT_EQ(desktop.clipboard, "67,33,0,40");
  EXPECT_FALSE(main.IsLocked());
}

TEST_F(KeysTest, PositionReadoutAndOtherButtonsCopyNothing) {
  ClickAt(main, kOnPixel);
  ClickAt(main, kOnHEX, MouseButton::Right);
  ClickAt(main, kOnRGB, MouseButton::Middle);
  // A left press on a readout released elsewhere is no click.
  main.MouseDown(kOnHEX, MouseButton::Left, tintspot::testing::Apart());
  main.MouseUp(ScreenPoint{70, 5}, MouseButton::Left);
  EXPECT_EQ(desktop.CountCalls("SetClipboardText"), 0);
}

TEST_F(KeysTest, HeldClipboardShowsTheErrorAndKeepsItsText) {
  desktop.clipboard = "kept";
  desktop.clipboardHeld = true;
  main.KeyDown(kC, Mods(true));
  ClickAt(main, kOnRGB);
  EXPECT_EQ(desktop.clipboard, "kept");
  ASSERT_EQ(desktop.errorBoxes.size(), 2u);
  EXPECT_EQ(desktop.errorBoxes[0], "Cannot open clipboard.");
  // The program goes on: the next copy works once the clipboard is free.
  desktop.clipboardHeld = false;
  main.KeyDown(kC, Mods(true));
  EXPECT_EQ(desktop.clipboard, "336699");
}

TEST_F(KeysTest, ACopyThatCannotBeMadeIsReportedNotPassedOffAsDone) {
  desktop.clipboard = "kept";
  desktop.clipboardRefuses = true;
  main.KeyDown(kC, Mods(true));
  EXPECT_EQ(desktop.clipboard, "kept");
  ASSERT_EQ(desktop.errorBoxes.size(), 1u);
  EXPECT_EQ(desktop.errorBoxes[0], "Cannot copy to clipboard.");
}

// A key can arrive before the first tick or repaint has filled the labels.
TEST(KeysBeforeTheFirstReadout, CtrlCCopiesTheEmptyHexText) {
  FakePlatform desktop;
  TfrmMain main{desktop};
  main.FormCreate();
  main.KeyDown(kC, Mods(true));
  EXPECT_TRUE(desktop.errorBoxes.empty());
  EXPECT_EQ(desktop.clipboard, "");
}

// The pointer tells what a click does: a hand over the readouts that copy, the dropper over the
// view that picks, the arrow everywhere else (the position readout and the swatch included).
TEST_F(KeysTest, PointerShapeShowsWhatAClickDoes) {
  for (ScreenPoint p :
       {kOnRGB, kOnHEX, kOnHSL, kOnCMYK, ScreenPoint{40, 43}, ScreenPoint{105, 100}})
    EXPECT_EQ(main.CursorAt(p), CursorShape::Hand) << p.x << "," << p.y;
  for (ScreenPoint p : {ScreenPoint{2, 126}, ScreenPoint{168, 212}, ScreenPoint{85, 170}})
    EXPECT_EQ(main.CursorAt(p), CursorShape::Dropper) << p.x << "," << p.y;
  for (ScreenPoint p : {kOnPixel, ScreenPoint{130, 40}, ScreenPoint{50, 9}, ScreenPoint{1, 126},
                        ScreenPoint{20, 115}, ScreenPoint{106, 48}, ScreenPoint{39, 48}})
    EXPECT_EQ(main.CursorAt(p), CursorShape::Arrow) << p.x << "," << p.y;
}

TEST_F(KeysTest, KeysDoNothingOnceTheWindowHasClosed) {
  main.FormClose();
  main.KeyDown(kSpace, Mods(false));
  main.KeyDown(kC, Mods(true));
  EXPECT_FALSE(desktop.clipboard.has_value());
  EXPECT_EQ(desktop.CountCalls("StartTimer"), 1);
}

// Each step: the focus, a key (the lock toggles) or focus to the main window.
TEST_F(KeysTest, TheListTakesTheFocusWhileEnabledAndHandsItBackWhenDisabled) {
  using W = ProgramWindow;
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

}  // namespace
}  // namespace tintspot
