// Keyboard commands and the clipboard of the real program, driven by real key and button events:
// keys lock and unlock (modifier keys alone and auto-repeats included), Ctrl-C copies the HEX
// value, Ctrl-M shows and hides the magnifier, a click copies a readout, and a clipboard held by
// another program ends in an error box.
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app_probe.h"

namespace e2e {
namespace {

// Two plain colours to sample, with the texts of the readouts for the first.
constexpr Rect kPatchA{400, 200, 100, 100};
constexpr Rect kPatchB{600, 200, 100, 100};
constexpr Rgb kColourA{51, 102, 153};
constexpr Rgb kColourB{200, 16, 32};
constexpr Point kOnA{450, 250};
constexpr Point kOnB{650, 250};

class KeyboardClipboardTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    patch_a_ = x().CreatePatternWindow(kPatchA, kColourA);
    patch_b_ = x().CreatePatternWindow(kPatchB, kColourB);
    AppOptions options;
    options.ini = Ini(100, 100, 0, 0, 1);
    app_ = std::make_unique<TintspotApp>(options);
    ASSERT_TRUE(app_->Start()) << app_->Log();
    probe_ = std::make_unique<AppProbe>(x(), *app_);
  }

  AppProbe& probe() { return *probe_; }

  // Samples a colour: the pointer on its patch until the swatch shows it.
  void Sample(Point at, Rgb colour) {
    x().MovePointer(at.x, at.y);
    ASSERT_TRUE(WaitUntil([&] { return probe().Swatch() == colour; }, milliseconds(5000)))
        << "swatch " << probe().Swatch() << ", not " << colour;
  }

  // Gives the program the keyboard: a click on the bare readout background, which does nothing
  // else.
  void Focus() {
    probe().Press(kOnPanel);
    ASSERT_TRUE(
        WaitUntil([&] { return x().FocusedWindow() == app_->window(); }, milliseconds(5000)));
    ASSERT_FALSE(probe().Locked());
  }

  // The lock reaches `locked` and stays so (a second, unwanted toggle would undo it).
  ::testing::AssertionResult LockBecomes(bool locked) {
    if (!WaitUntil([&] { return probe().Locked() == locked; }, milliseconds(3000))) {
      return ::testing::AssertionFailure() << "lock did not become " << locked;
    }
    if (!HoldsFor([&] { return probe().Locked() == locked; }, milliseconds(300))) {
      return ::testing::AssertionFailure() << "lock became " << locked << " but did not stay";
    }
    return ::testing::AssertionSuccess();
  }

  ::testing::AssertionResult LockStays(bool locked) {
    if (HoldsFor([&] { return probe().Locked() == locked; }, milliseconds(400))) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "lock changed from " << locked;
  }

  ::testing::AssertionResult ClipboardBecomes(const std::string& text) {
    std::optional<std::string> now;
    if (WaitUntil([&] { return (now = x().ClipboardText()) == text; }, milliseconds(3000))) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "clipboard " << now.value_or("(none)") << ", not " << text;
  }

  ::testing::AssertionResult ClipboardStays(const std::string& text) {
    std::optional<std::string> now;
    if (HoldsFor([&] { return (now = x().ClipboardText()) == text; }, milliseconds(500))) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "clipboard became " << now.value_or("(none)");
  }

  PatternWindow patch_a_, patch_b_;
  std::unique_ptr<TintspotApp> app_;
  std::unique_ptr<AppProbe> probe_;
};

// A left click on a copyable readout puts its exact text on the clipboard (HEX without "#");
// the position readout and other buttons copy nothing, and no click on a readout locks.
TEST_F(KeyboardClipboardTest, LeftClickOnAReadoutCopiesItsText) {
  ASSERT_NO_FATAL_FAILURE(Sample(kOnA, kColourA));
  ASSERT_NO_FATAL_FAILURE(SetClipboard("before"));
  probe().Press(kLblPixel);
  EXPECT_TRUE(ClipboardStays("before")) << "position readout";
  probe().Press(kLblHex, Button::kRight);
  EXPECT_TRUE(ClipboardStays("before")) << "right button";

  const std::pair<Point, const char*> readouts[] = {{kLblRgb, "51,102,153"},
                                                    {kLblHex, "336699"},
                                                    {kLblHsl, "210,67,60"},
                                                    {kLblCmyk, "67,33,0,40"}};
  for (const auto& [at, text] : readouts) {
    probe().Press(at);
    EXPECT_TRUE(ClipboardBecomes(text));
  }
  EXPECT_FALSE(probe().Locked());
}

// Ctrl-C copies the HEX value shown: the live one while sampling, the frozen one while locked.
TEST_F(KeyboardClipboardTest, CtrlCCopiesTheLiveOrTheFrozenHex) {
  ASSERT_NO_FATAL_FAILURE(Focus());
  ASSERT_NO_FATAL_FAILURE(Sample(kOnA, kColourA));
  x().TapKey(XK_c, kCtrl);
  EXPECT_TRUE(ClipboardBecomes("336699"));
  ASSERT_NO_FATAL_FAILURE(Sample(kOnB, kColourB));
  x().TapKey(XK_c, kCtrl);
  EXPECT_TRUE(ClipboardBecomes("C81020"));
  EXPECT_TRUE(LockStays(false)) << "Ctrl-C toggled the lock";

  x().TapKey(XK_space);
  ASSERT_TRUE(LockBecomes(true));
  x().MovePointer(kOnA.x, kOnA.y);
  EXPECT_TRUE(HoldsFor([&] { return probe().Swatch() == kColourB; }, milliseconds(400)));
  ASSERT_NO_FATAL_FAILURE(SetClipboard("before"));
  x().TapKey(XK_c, kCtrl);
  EXPECT_TRUE(ClipboardBecomes("C81020"));
  EXPECT_TRUE(LockStays(true));

  x().TapKey(XK_space);
  ASSERT_TRUE(LockBecomes(false));
  ASSERT_NO_FATAL_FAILURE(Sample(kOnA, kColourA));
  x().TapKey(XK_c, kCtrl);
  EXPECT_TRUE(ClipboardBecomes("336699"));
}

// Every key-down toggles the lock except those with Ctrl alone: Shift alone and Alt alone
// toggle, Ctrl alone does not; in Ctrl-Shift-C and Ctrl-Alt-C each key-down after the first
// toggles and none copies. Tab belongs to focus navigation and does nothing.
TEST_F(KeyboardClipboardTest, ModifierKeysAloneAndInCombinations) {
  ASSERT_NO_FATAL_FAILURE(Focus());
  ASSERT_NO_FATAL_FAILURE(Sample(kOnA, kColourA));
  ASSERT_NO_FATAL_FAILURE(SetClipboard("before"));

  x().TapKey(XK_Control_L);
  EXPECT_TRUE(LockStays(false)) << "Ctrl alone";
  x().TapKey(XK_Shift_L);
  EXPECT_TRUE(LockBecomes(true)) << "Shift alone";
  x().TapKey(XK_Alt_L);
  EXPECT_TRUE(LockBecomes(false)) << "Alt alone";
  x().TapKey(XK_Alt_L);
  EXPECT_TRUE(LockBecomes(true)) << "Alt alone again";
  x().TapKey(XK_Shift_L);
  EXPECT_TRUE(LockBecomes(false)) << "Shift alone again";

  for (KeySym second : {XK_Shift_L, XK_Alt_L}) {
    SCOPED_TRACE(second == XK_Shift_L ? "Ctrl-Shift-C" : "Ctrl-Alt-C");
    x().KeyDown(XK_Control_L);
    EXPECT_TRUE(LockStays(false));
    x().KeyDown(second);
    EXPECT_TRUE(LockBecomes(true));
    x().KeyDown(XK_c);
    EXPECT_TRUE(LockBecomes(false));
    x().KeyUp(XK_c);
    x().KeyUp(second);
    x().KeyUp(XK_Control_L);
    EXPECT_TRUE(ClipboardStays("before"));
  }

  x().TapKey(XK_Tab);
  EXPECT_TRUE(LockStays(false)) << "Tab";
  x().TapKey(XK_Tab, kCtrl);
  EXPECT_TRUE(LockStays(false)) << "Ctrl-Tab";
  x().TapKey(XK_F1);  // any other key toggles
  EXPECT_TRUE(LockBecomes(true)) << "F1";
}

// Ctrl-M hides a shown magnifier (window 125 high) and shows a hidden one (234 high), without
// touching the lock.
TEST_F(KeyboardClipboardTest, CtrlMShowsAndHidesTheMagnifier) {
  ASSERT_NO_FATAL_FAILURE(Focus());
  ASSERT_EQ(probe().Height(), kFullHeight);
  x().TapKey(XK_m, kCtrl);
  EXPECT_TRUE(WaitUntil([&] { return probe().Height() == kCompactHeight; }, milliseconds(3000)));
  x().TapKey(XK_m, kCtrl);
  EXPECT_TRUE(WaitUntil([&] { return probe().Height() == kFullHeight; }, milliseconds(3000)));
  EXPECT_TRUE(LockStays(false));
}

// The zoom list, once clicked, has the keyboard focus; the main window still sees its keys first:
// Space locks, Ctrl-C copies, Ctrl-M hides the panel and leaves the lock alone.
TEST_F(KeyboardClipboardTest, KeysReachTheCommandsWhileTheZoomListHasTheFocus) {
  ASSERT_NO_FATAL_FAILURE(Sample(kOnA, kColourA));
  probe().Press(kZoomList);  // drops the list down and takes the focus
  ASSERT_TRUE(WaitUntil([&] { return probe().DroppedList().has_value(); }, milliseconds(5000)));
  probe().Press(kZoomList);  // closes it again
  ASSERT_TRUE(WaitUntil([&] { return !probe().DroppedList().has_value(); }, milliseconds(5000)));
  ASSERT_TRUE(LockStays(false));

  x().TapKey(XK_space);
  EXPECT_TRUE(LockBecomes(true));
  ASSERT_NO_FATAL_FAILURE(SetClipboard("before"));
  x().TapKey(XK_c, kCtrl);
  EXPECT_TRUE(ClipboardBecomes("336699"));
  x().TapKey(XK_m, kCtrl);
  EXPECT_TRUE(WaitUntil([&] { return probe().Height() == kCompactHeight; }, milliseconds(3000)));
  EXPECT_TRUE(LockStays(true));
}

// A held key toggles the lock at every key-down, auto-repeats included: three presses lock, two
// more keep it locked, one more unlocks. (A release that comes after a further repeat, on a
// loaded machine, makes one press more; the lock follows the presses the server made.)
TEST_F(KeyboardClipboardTest, HeldKeyTogglesAtEveryAutoRepeat) {
  ASSERT_NO_FATAL_FAILURE(Focus());
  int presses = 0;
  int height = kFullHeight;
  for (int held : {3, 2, 1}) {
    SCOPED_TRACE("held for " + std::to_string(held) + " presses");
    const int made = x().RepeatKey(XK_space, held);
    ASSERT_GE(made, held) << "the server did not repeat the key";
    presses += made;
    // Keys are handled in order: once Ctrl-M has shown or hidden the panel, every key-down
    // before it has been handled (in between the lock may show each of them).
    x().TapKey(XK_m, kCtrl);
    height = height == kFullHeight ? kCompactHeight : kFullHeight;
    ASSERT_TRUE(WaitUntil([&] { return probe().Height() == height; }, milliseconds(3000)));
    EXPECT_TRUE(LockStays(presses % 2 == 1)) << presses << " presses";
  }
}

// While another program holds the clipboard open, a copy shows "Cannot open clipboard." in an
// error box and leaves the clipboard as it was; the program goes on and copies afterwards.
TEST_F(KeyboardClipboardTest, ClipboardHeldElsewhereGivesAnErrorBox) {
  E2E_WINDOWS_ONLY("a clipboard held open by another program exists only in Win32");
  ASSERT_NO_FATAL_FAILURE(Sample(kOnA, kColourA));
  ASSERT_NO_FATAL_FAILURE(SetClipboard("kept"));

  const std::string log = session().NewFolder("clipboard-hold") + "/hold.log";  // a fresh one
  Process holder =
      session().StartWine({WinHelperExePath(), "clipboard-hold", "3"}, session().root(), log);
  auto log_has = [&](const std::string& text) {
    std::ifstream in(log);
    std::stringstream content;
    content << in.rdbuf();
    return content.str().find(text) != std::string::npos;
  };
  ASSERT_TRUE(WaitUntil([&] { return log_has("held=1"); }, milliseconds(10000)));

  probe().Press(kLblHex);
  std::map<std::string, std::string> box;
  ASSERT_TRUE(WaitUntil(
      [&] {
        box = ParseKeyValues(session().RunWinHelper({"dialog-text", TintspotApp::kCaption}).output);
        return box["found"] == "1";
      },
      milliseconds(5000)));
  EXPECT_EQ(box["text"], "Cannot open clipboard.");

  x().TapKey(XK_Return);  // the box has the keyboard: OK
  EXPECT_TRUE(WaitUntil([&] { return app_->Windows().size() == 1; }, milliseconds(5000)));
  ASSERT_TRUE(holder.Wait(milliseconds(10000)).has_value());
  EXPECT_TRUE(ClipboardStays("kept"));
  EXPECT_TRUE(app_->Running());

  probe().Press(kLblHex);
  EXPECT_TRUE(ClipboardBecomes("336699"));
}

}  // namespace
}  // namespace e2e
