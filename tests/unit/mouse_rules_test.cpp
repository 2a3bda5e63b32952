// How raw buttons become press, release, click and double-click events of
// the main window's controls, in what order, and where the mouse capture
// sends a release.
#include "mouse_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tintspot {
namespace {

constexpr ScreenPoint kInMin{140, 8};      // imgMin
constexpr ScreenPoint kInClose{160, 8};    // imgClose, beside imgMin
constexpr ScreenPoint kInSwatch{130, 40};  // Pixel, on top of imgMain
constexpr ScreenPoint kInMain{10, 60};     // imgMain, no label there
constexpr ScreenPoint kOutside{300, 300};  // beyond the window
constexpr ScreenPoint kBareFrame{0, 130};  // MagBG frame left of pbMag: takes no mouse

const char* Name(Control control) {
  switch (control) {
    case Control::imgMin: return "imgMin";
    case Control::imgClose: return "imgClose";
    case Control::Pixel: return "Pixel";
    case Control::imgMain: return "imgMain";
    default: return "other";
  }
}

const char* Name(MouseButton button) {
  switch (button) {
    case MouseButton::Left: return "L";
    case MouseButton::Right: return "R";
    default: return "M";
  }
}

class Recorder : public MouseEventSink {
 public:
  std::vector<std::string> events;

  void OnPress(Control c, MouseButton b, ScreenPoint) override {
    events.push_back(std::string("press ") + Name(c) + " " + Name(b));
  }
  void OnRelease(Control c, MouseButton b) override {
    events.push_back(std::string("release ") + Name(c) + " " + Name(b));
  }
  void OnClick(Control c) override { events.push_back(std::string("click ") + Name(c)); }
  void OnDoubleClick(Control c) override { events.push_back(std::string("dblclick ") + Name(c)); }
  void CaptureMouse() override { events.push_back("capture"); }
  void ReleaseMouseCapture() override { events.push_back("uncapture"); }
};

using Events = std::vector<std::string>;

class MouseRulesTest : public ::testing::Test {
 protected:
  Recorder sink;
  MouseRules rules{sink};
};

TEST_F(MouseRulesTest, LeftPressAndReleaseInsideClicksBeforeTheRelease) {
  rules.ButtonDown(kInMin, MouseButton::Left, false);
  EXPECT_EQ(rules.Captured(), Control::imgMin);
  rules.ButtonUp(ScreenPoint{150, 17}, MouseButton::Left);  // still inside imgMin
  EXPECT_EQ(sink.events,
            (Events{"capture", "press imgMin L", "uncapture", "click imgMin", "release imgMin L"}));
  EXPECT_EQ(rules.Captured(), Control::None);
}

TEST_F(MouseRulesTest, LeftReleaseOutsideGoesToThePressedControlWithoutClick) {
  for (ScreenPoint where : {kOutside, kInClose}) {
    sink.events.clear();
    rules.ButtonDown(kInMin, MouseButton::Left, false);
    rules.ButtonUp(where, MouseButton::Left);
    EXPECT_EQ(sink.events, (Events{"capture", "press imgMin L", "uncapture", "release imgMin L"}));
  }
}

TEST_F(MouseRulesTest, RightAndMiddlePressesDoNotCapture) {
  for (MouseButton button : {MouseButton::Right, MouseButton::Middle}) {
    sink.events.clear();
    rules.ButtonDown(kInClose, button, false);
    EXPECT_EQ(rules.Captured(), Control::None);
    rules.ButtonUp(kInClose, button);
    const std::string b = Name(button);
    EXPECT_EQ(sink.events, (Events{"press imgClose " + b, "release imgClose " + b}));
  }
}

TEST_F(MouseRulesTest, RightReleaseGoesToTheControlUnderThePointer) {
  rules.ButtonDown(kInMin, MouseButton::Right, false);
  rules.ButtonUp(kInClose, MouseButton::Right);
  rules.ButtonDown(kInMin, MouseButton::Middle, false);
  rules.ButtonUp(kOutside, MouseButton::Middle);
  // No click: only a left press and release make one.
  EXPECT_EQ(sink.events, (Events{"press imgMin R", "release imgClose R", "press imgMin M"}));
}

TEST_F(MouseRulesTest, LeftDoubleClickCapturesThenDoubleClicksThenPresses) {
  rules.ButtonDown(kInMin, MouseButton::Left, false);
  rules.ButtonUp(kInMin, MouseButton::Left);
  sink.events.clear();
  rules.ButtonDown(kInMin, MouseButton::Left, true);
  EXPECT_EQ(sink.events, (Events{"capture", "dblclick imgMin", "press imgMin L"}));
  sink.events.clear();
  rules.ButtonUp(kInMin, MouseButton::Left);
  EXPECT_EQ(sink.events, (Events{"uncapture", "release imgMin L"}));
}

TEST_F(MouseRulesTest, RightDoubleClickIsJustASecondPress) {
  rules.ButtonDown(kInSwatch, MouseButton::Right, true);
  EXPECT_EQ(sink.events, (Events{"press Pixel R"}));
}

TEST_F(MouseRulesTest, AfterCaptureLostTheLeftReleaseGoesToTheControlUnderThePointer) {
  rules.ButtonDown(kInMin, MouseButton::Left, false);
  rules.CaptureLost();
  EXPECT_EQ(rules.Captured(), Control::None);
  rules.ButtonUp(kInClose, MouseButton::Left);
  // Released over the button that was pressed: still no click.
  rules.ButtonDown(kInMin, MouseButton::Left, false);
  rules.CaptureLost();
  rules.ButtonUp(kInMin, MouseButton::Left);
  // Released over nothing: no event at all.
  rules.ButtonDown(kInMin, MouseButton::Left, false);
  rules.CaptureLost();
  rules.ButtonUp(kOutside, MouseButton::Left);
  EXPECT_EQ(sink.events, (Events{"capture", "press imgMin L", "release imgClose L",  //
                                 "capture", "press imgMin L", "release imgMin L",    //
                                 "capture", "press imgMin L"}));
}

TEST_F(MouseRulesTest, PressesOnBareBackgroundDoNothing) {
  for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
    rules.ButtonDown(kBareFrame, button, false);
    rules.ButtonUp(kBareFrame, button);
    rules.ButtonDown(kOutside, button, true);
    rules.ButtonUp(kOutside, button);
  }
  EXPECT_TRUE(sink.events.empty());
  EXPECT_EQ(rules.Captured(), Control::None);
}

TEST_F(MouseRulesTest, TheTopmostControlTakesThePress) {
  rules.ButtonDown(kInSwatch, MouseButton::Left, false);
  rules.ButtonUp(kInSwatch, MouseButton::Left);
  rules.ButtonDown(kInMain, MouseButton::Right, false);
  EXPECT_EQ(sink.events, (Events{"capture", "press Pixel L", "uncapture", "click Pixel",
                                 "release Pixel L", "press imgMain R"}));
}

}  // namespace
}  // namespace tintspot
