// The help popup, the options menu and the about box, driven like a user through XTest. Whether
// the sampler runs is read from the swatch: its centre shows the colour under the pointer.
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app_probe.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr Point kWindowAt{400, 300};
constexpr Point kOnHelp{142, 116};
constexpr Point kOnMenu{161, 116};
const Rgb kColourA{230, 40, 60};
const Rgb kColourB{20, 200, 120};
const Rgb kHelpBackground{255, 255, 204};
const Rgb kHelpBorder{212, 212, 170};

class HelpMenuTest : public SkinnedWindowTest {
 protected:
  void SetUp() override {
    SkinnedWindowTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    // Two colours for the pointer to go between, away from the window, the popup and the menu.
    a_ = x().CreatePatternWindow({20, 20, 200, 200}, kColourA);
    b_ = x().CreatePatternWindow({20, 500, 200, 200}, kColourB);
    OnA();
    StartAt(kWindowAt.x, kWindowAt.y);
    ASSERT_TRUE(SwatchFollows(kColourA));
  }
  void OnA() { x().MovePointer(120, 120); }
  void OnB() { x().MovePointer(120, 600); }
  Rgb Swatch() { return probe().Swatch(); }
  bool SwatchFollows(Rgb colour) {
    return WaitUntil([&] { return Swatch() == colour; }, milliseconds(3000));
  }
  bool SwatchStays(Rgb colour) {
    return HoldsFor([&] { return Swatch() == colour; }, milliseconds(500));
  }
  // The sampler runs: the swatch follows the pointer from one colour to the other and back.
  bool Sampling() {
    OnB();
    bool ok = SwatchFollows(kColourB);
    OnA();
    return ok && SwatchFollows(kColourA);
  }
  std::optional<Window> HelpPopup() {
    std::vector<Window> found = app().Windows("frmHelp");
    if (found.empty()) return std::nullopt;
    return found.front();
  }
  // Viewable windows of the program other than its main window (a menu, a box, the popup).
  std::vector<Window> OtherWindows() {
    std::vector<Window> others;
    for (Window w : WindowsOfProcess(x(), app().pid())) {
      if (w != app().window()) others.push_back(w);
    }
    return others;
  }
  // The options menu is open and tracks the pointer: its window shows and Wine's menu loop holds
  // the pointer (a click or key before that would not reach the menu).
  bool MenuOpens(std::vector<Window>* menu = nullptr) {
    return WaitUntil(
        [&] {
          const std::vector<Window> others = OtherWindows();
          if (menu != nullptr) *menu = others;
          return others.size() == 1 && x().PointerGrabbed();
        },
        milliseconds(3000));
  }
  bool NoOtherWindows() {
    return WaitUntil([&] { return OtherWindows().empty(); }, milliseconds(3000));
  }

  PatternWindow a_, b_;
};

// Any button opens the popup below the help button, pale yellow with its one-pixel frame and
// its notes in dark type; the button shows its pressed picture until a click on the main window
// closes the popup. The title keeps the active look: the program stays the active application.
TEST_F(HelpMenuTest, HelpPopupOpensBelowTheButton) {
  for (Button button : {Button::kLeft, Button::kRight, Button::kMiddle}) {
    SCOPED_TRACE(int(button));
    probe().Press(kOnHelp, button);
    std::optional<Window> popup;
    ASSERT_TRUE(WaitUntil([&] { return (popup = HelpPopup()).has_value(); }, milliseconds(3000)));
    EXPECT_EQ(x().Geometry(*popup), (Rect{kWindowAt.x + 133, kWindowAt.y + 126, 205, 158}));
    EXPECT_TRUE(Shows(133, 109, "imghelpd")) << Compare(133, 109, "imghelpd");
    EXPECT_EQ(Compare(0, 0, "imgtitledeact"), "");

    // The popup's window is mapped before it has painted itself (under a window manager, a
    // good while before): wait for the first paint, then check every pixel.
    const Rect area = *x().Geometry(*popup);
    ASSERT_TRUE(WaitUntil(
        [&] {
          const Image now = x().Capture(area);
          return now.at(0, 0) == kHelpBorder && now.at(1, 1) == kHelpBackground;
        },
        milliseconds(3000)));
    const Image shown = x().Capture(area);
    int border = 0;
    for (int i = 0; i < 205; ++i) border += shown.at(i, 0) == kHelpBorder;
    for (int i = 0; i < 205; ++i) border += shown.at(i, 157) == kHelpBorder;
    for (int i = 1; i < 157; ++i) border += shown.at(0, i) == kHelpBorder;
    for (int i = 1; i < 157; ++i) border += shown.at(204, i) == kHelpBorder;
    EXPECT_EQ(border, 2 * 205 + 2 * 156);
    for (Point p : {Point{1, 1}, Point{203, 1}, Point{200, 80}, Point{1, 156}, Point{203, 156},
                    Point{100, 2}, Point{5, 80}}) {
      EXPECT_EQ(shown.at(p.x, p.y), kHelpBackground) << p;
    }
    // Dark type in the caption and in each of the four notes.
    for (Rect text : {Rect{10, 6, 83, 13}, Rect{18, 24, 179, 31}, Rect{18, 54, 179, 36},
                      Rect{18, 96, 179, 31}, Rect{18, 126, 179, 25}}) {
      int dark = 0;
      for (int py = text.y; py < text.y + text.height; ++py) {
        for (int px = text.x; px < text.x + text.width; ++px) {
          const Rgb& c = shown.at(px, py);
          dark += c.r < 80 && c.g < 80 && c.b < 80;
        }
      }
      EXPECT_GT(dark, 30) << ToString(text);
    }

    probe().Press(kOnPanel);
    EXPECT_TRUE(WaitUntil([&] { return !HelpPopup(); }, milliseconds(3000)));
    EXPECT_TRUE(Shows(133, 109, "imghelp")) << Compare(133, 109, "imghelp");
    OnA();
  }
}

// While the popup is open the readouts stand still (without a padlock); a click on the main
// window closes it and they follow the pointer again.
TEST_F(HelpMenuTest, HelpPopupPausesTheSampler) {
  probe().Press(kOnHelp);
  ASSERT_TRUE(WaitUntil([&] { return HelpPopup().has_value(); }, milliseconds(3000)));
  OnB();
  EXPECT_TRUE(SwatchStays(kColourA)) << Swatch();
  EXPECT_EQ(probe().PadlockInk(), 0);
  probe().Press(kOnPanel);
  EXPECT_TRUE(WaitUntil([&] { return !HelpPopup(); }, milliseconds(3000)));
  EXPECT_TRUE(Sampling()) << Swatch();
  EXPECT_EQ(probe().PadlockInk(), 0);
}

// Keys typed while the popup has the keyboard reach none of the main window's commands: the
// sampler neither starts nor locks, Ctrl-M does not show the magnifier.
TEST_F(HelpMenuTest, KeysWhileHelpIsOpenDoNothing) {
  probe().Press(kOnHelp);
  ASSERT_TRUE(WaitUntil([&] { return HelpPopup().has_value(); }, milliseconds(3000)));
  // The popup, not the main window, is the foreground window and takes the keyboard.
  ASSERT_TRUE(WaitUntil([&] { return Info()["foreground"] == "0"; }, milliseconds(3000)));
  OnB();
  x().TapKey(XK_space);
  x().TapKey(XK_m, kCtrl);
  EXPECT_TRUE(HoldsFor([&] { return Swatch() == kColourA && app().Geometry()->height == 125; },
                       milliseconds(500)))
      << Swatch() << " " << *app().Geometry();
  probe().Press(kOnPanel);
  EXPECT_TRUE(WaitUntil([&] { return !HelpPopup(); }, milliseconds(3000)));
  EXPECT_TRUE(Sampling()) << Swatch();
  EXPECT_EQ(probe().PadlockInk(), 0);
}

// Opened while locked, the popup leaves the sampler locked when it closes.
TEST_F(HelpMenuTest, HelpPopupKeepsTheLock) {
  probe().Press(kSwatchCentre);  // lock
  ASSERT_TRUE(WaitUntil([&] { return probe().PadlockInk() > 10; }, milliseconds(3000)));
  probe().Press(kOnHelp);
  ASSERT_TRUE(WaitUntil([&] { return HelpPopup().has_value(); }, milliseconds(3000)));
  probe().Press(kOnPanel);
  EXPECT_TRUE(WaitUntil([&] { return !HelpPopup(); }, milliseconds(3000)));
  EXPECT_TRUE(Shows(133, 109, "imghelp")) << Compare(133, 109, "imghelp");
  OnB();
  EXPECT_TRUE(SwatchStays(kColourA)) << Swatch();
  EXPECT_GT(probe().PadlockInk(), 10);
}

// Pressing the help button while the popup is open closes it and opens it again at once; the
// state saved for the second opening is the running sampler, not the paused one.
TEST_F(HelpMenuTest, HelpButtonPressedAgainReopensThePopup) {
  probe().Press(kOnHelp);
  ASSERT_TRUE(WaitUntil([&] { return HelpPopup().has_value(); }, milliseconds(3000)));
  probe().Press(kOnHelp);
  // The popup is hidden for a moment: wait for it to stay shown.
  EXPECT_TRUE(WaitUntil(
      [&] { return HoldsFor([&] { return HelpPopup().has_value(); }, milliseconds(400)); },
      milliseconds(3000)));
  EXPECT_EQ(Compare(133, 109, "imghelpd"), "");
  probe().Press(kOnPanel);
  EXPECT_TRUE(WaitUntil([&] { return !HelpPopup(); }, milliseconds(3000)));
  EXPECT_TRUE(Shows(133, 109, "imghelp")) << Compare(133, 109, "imghelp");
  EXPECT_TRUE(Sampling()) << Swatch();
}

// Any button drops the menu down under the menu button, which shows its pressed picture while
// the menu is open; the sampler keeps running. Escape closes the menu and nothing else happens.
TEST_F(HelpMenuTest, OptionsMenuOpensUnderTheButtonAndEscapeDismissesIt) {
  for (Button button : {Button::kLeft, Button::kRight}) {
    SCOPED_TRACE(int(button));
    probe().Press(kOnMenu, button);
    std::vector<Window> menu;
    ASSERT_TRUE(MenuOpens(&menu));
    std::optional<Rect> where = x().Geometry(menu[0]);
    ASSERT_TRUE(where.has_value());
    EXPECT_EQ(where->x, kWindowAt.x + 152);
    EXPECT_EQ(where->y, kWindowAt.y + 126);
    EXPECT_TRUE(Shows(152, 109, "imgmenud")) << Compare(152, 109, "imgmenud");
    EXPECT_EQ(Compare(0, 0, "imgtitledeact"), "");
    EXPECT_TRUE(Sampling()) << Swatch();

    x().TapKey(XK_Escape);
    EXPECT_TRUE(NoOtherWindows());
    EXPECT_TRUE(Shows(152, 109, "imgmenu")) << Compare(152, 109, "imgmenu");
    EXPECT_TRUE(HoldsFor([&] { return OtherWindows().empty(); }, milliseconds(400)));
    EXPECT_TRUE(Sampling()) << Swatch();
  }
}

// A in the open menu shows the about box after the menu has closed; the sampler keeps running
// under the box, and Return dismisses it.
TEST_F(HelpMenuTest, AboutBoxFromTheMenu) {
  probe().Press(kOnMenu);
  ASSERT_TRUE(MenuOpens());
  x().TapKey(XK_a);
  std::vector<Window> box;
  ASSERT_TRUE(WaitUntil([&] { return !(box = app().Windows("About Tintspot")).empty(); },
                        milliseconds(5000)));
  EXPECT_EQ(OtherWindows(), box);  // the menu has gone
  EXPECT_TRUE(Shows(152, 109, "imgmenu")) << Compare(152, 109, "imgmenu");
  EXPECT_TRUE(Sampling()) << Swatch();
  x().TapKey(XK_Return);
  EXPECT_TRUE(NoOtherWindows());
  EXPECT_TRUE(app().Running());
  EXPECT_TRUE(Sampling()) << Swatch();
}

// Near the screen's right edge the popup opens at its usual place all the same, reaching beyond
// the edge. It is topmost, whether the main window is always on top or not.
TEST_F(HelpMenuTest, HelpPopupIsTopmostAndNotKeptOnTheScreen) {
  E2E_BARE_SERVER_ONLY("a window manager keeps the popup, a managed window, on the screen");
  ASSERT_TRUE(app().Close());
  const int left = x().ScreenWidth() - 171, top = 500;
  StartAt(left, top);
  for (const char* main_topmost : {"0", "1"}) {
    SCOPED_TRACE(std::string("main window topmost: ") + main_topmost);
    ASSERT_TRUE(WaitUntil([&] { return Info()["topmost"] == main_topmost; }, milliseconds(3000)));
    probe().Press(kOnHelp);
    std::optional<Window> popup;
    ASSERT_TRUE(WaitUntil([&] { return (popup = HelpPopup()).has_value(); }, milliseconds(3000)));
    EXPECT_EQ(x().Geometry(*popup), (Rect{left + 133, top + 126, 205, 158}));
    EXPECT_EQ(Info("frmHelp")["topmost"], "1");
    probe().Press(kOnPanel);
    EXPECT_TRUE(WaitUntil([&] { return !HelpPopup(); }, milliseconds(3000)));
    probe().Press({117, 5});  // always on top, for the second round
  }
}

// Menu items can be chosen with the right button too; a click away from the menu closes it
// and changes nothing else.
TEST_F(HelpMenuTest, MenuTakesTheRightButtonAndClosesOnAClickElsewhere) {
  probe().Press(kOnMenu);
  std::vector<Window> menu;
  ASSERT_TRUE(MenuOpens(&menu));
  const std::optional<Rect> where = x().Geometry(menu[0]);
  ASSERT_TRUE(where.has_value());
  x().MovePointer(where->x + 30, where->y + where->height - 8);  // the last item: about
  x().Click(Button::kRight);
  std::vector<Window> box;
  ASSERT_TRUE(WaitUntil([&] { return !(box = app().Windows("About Tintspot")).empty(); },
                        milliseconds(5000)));
  x().TapKey(XK_Return);
  ASSERT_TRUE(NoOtherWindows());

  probe().Press(kOnMenu);
  ASSERT_TRUE(MenuOpens());
  OnB();
  x().Click();
  EXPECT_TRUE(NoOtherWindows());
  EXPECT_TRUE(Shows(152, 109, "imgmenu")) << Compare(152, 109, "imgmenu");
  EXPECT_TRUE(HoldsFor([&] { return OtherWindows().empty(); }, milliseconds(400)));
  EXPECT_TRUE(Sampling()) << Swatch();
}

// C in the open menu opens the maker's website through the shell. The prefix's browser is a
// script that writes down the address it is given.
TEST_F(HelpMenuTest, WebsiteFromTheMenu) {
  E2E_WINDOWS_ONLY("the prefix's browser; the native build hands the address to xdg-open");
  WineSession& wine = session();
  const std::string folder = wine.NewFolder("browser");
  const std::string script = folder + "/browser.sh", opened = folder + "/opened.txt";
  {
    std::ofstream out(script);
    out << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << opened << "'\n";
  }
  fs::permissions(script, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read |
                              fs::perms::group_exec | fs::perms::others_exec);
  ASSERT_EQ(wine.RunWine({"reg", "add", R"(HKCU\Software\Wine\WineBrowser)", "/v", "Browsers", "/d",
                          script, "/f"},
                         milliseconds(60000))
                .exit_code,
            0);
  probe().Press(kOnMenu);
  ASSERT_TRUE(MenuOpens());
  x().TapKey(XK_c);
  EXPECT_TRUE(WaitUntil([&] { return fs::exists(opened); }, milliseconds(15000)));
  std::ifstream in(opened);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "https://www.chromawright.example/");
  EXPECT_TRUE(NoOtherWindows());
  EXPECT_TRUE(Shows(152, 109, "imgmenu")) << Compare(152, 109, "imgmenu");
  EXPECT_TRUE(Sampling()) << Swatch();
}

}  // namespace
}  // namespace e2e
