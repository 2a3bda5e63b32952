// The options menu, the about box, the help popup's pause of the sampler and
// what closes it.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "main_window_harness.h"

namespace tintspot {
namespace {

using tintspot::testing::CallsSince;
using tintspot::testing::ClickAt;
using tintspot::testing::FakePlatform;

constexpr ScreenPoint kOnImgHelp{142, 116};
constexpr ScreenPoint kOnImgMenu{161, 116};
const std::string kImgMenuShown = "ShowPicture(imgMenu)";

class MenuTest : public ::testing::Test {
 protected:
  FakePlatform desktop;
  TfrmMain main{desktop};

  void SetUp() override { main.FormCreate(); }
  // Client point (x, y) as a screen point.
  std::string At(int x, int y) const {
    return std::to_string(desktop.window.left + x) + "," + std::to_string(desktop.window.top + y);
  }
  const PixelBuffer& Shown(Control control) { return desktop.pictures.at(control).pixels; }
  // The message loop's turn: the items the menu posted reach the window.
  void DeliverPosted() {
    const std::vector<MenuCommand> items = std::move(desktop.postedMenuItems);
    desktop.postedMenuItems.clear();
    for (MenuCommand item : items) main.MenuItemClick(item);
  }
};

// The menu opens under its button with the pressed picture; once it has closed the button gets
// its picture back, and the chosen command runs only later, from the message queue, after the
// press has been handled to its end. The sampler is left alone.
TEST_F(MenuTest, MenuClosesThenPictureIsRestoredThenCommandRuns) {
  struct Case {
    MenuCommand choice;
    std::vector<std::string> after;  // calls after the menu has closed
  };
  const Case cases[] = {
      {MenuCommand::mnuPopAbout, {kImgMenuShown, "ShowInfoBox(About Tintspot)"}},
      {MenuCommand::mnuPopSite, {kImgMenuShown, std::string("OpenAddress(") + kMakerAddress + ")"}},
      {MenuCommand::None, {kImgMenuShown}},
  };
  for (const Case& c : cases) {
    for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
      SCOPED_TRACE(c.after.back() + " button " + std::to_string(int(button)));
      desktop.menuChoice = c.choice;
      bool pressedWhileOpen = false;
      desktop.duringMenu = [&] {
        pressedWhileOpen = Shown(Control::imgMenu) == main.Skin().imgMenud.pixels;
      };
      const std::size_t from = desktop.calls.size();
      const std::size_t actions = desktop.infoBoxes.size() + desktop.openedAddresses.size();
      ClickAt(main, kOnImgMenu, button);
      EXPECT_EQ(desktop.infoBoxes.size() + desktop.openedAddresses.size(), actions);
      DeliverPosted();
      // The calls that show something or touch the sampler (mouse capture aside).
      std::vector<std::string> calls;
      for (const std::string& call : CallsSince(desktop, from))
        if (call.find("Capture") == std::string::npos) calls.push_back(call);
      ASSERT_GE(calls.size(), 2u);
      EXPECT_EQ(calls[0], kImgMenuShown);
      EXPECT_EQ(calls[1], "TrackOptionsMenu(" + At(152, 126) + ")");
      EXPECT_EQ(std::vector<std::string>(calls.begin() + 2, calls.end()), c.after);
      EXPECT_TRUE(pressedWhileOpen);
      EXPECT_EQ(Shown(Control::imgMenu), main.Skin().imgMenu.pixels);
      EXPECT_TRUE(desktop.timerRunning);
    }
  }
  EXPECT_EQ(desktop.openedAddresses.size(), 3u);
  EXPECT_EQ(desktop.infoBoxes.size(), 3u);
}

// The website is opened by its full address; the about box names the same site by its host,
// on a second line that ends in exactly ten blanks.
TEST_F(MenuTest, AboutBoxNamesTheSiteTheMenuOpens) {
  desktop.menuChoice = MenuCommand::mnuPopAbout;
  ClickAt(main, kOnImgMenu);
  DeliverPosted();
  desktop.menuChoice = MenuCommand::mnuPopSite;
  ClickAt(main, kOnImgMenu);
  DeliverPosted();
  ASSERT_EQ(desktop.infoBoxes.size(), 1u);
  ASSERT_EQ(desktop.openedAddresses.size(), 1u);
  EXPECT_EQ(desktop.infoBoxes[0].first, "About Tintspot");
  const std::string& text = desktop.infoBoxes[0].second;
  const std::size_t newline = text.find('\n');
  ASSERT_NE(newline, std::string::npos);
  EXPECT_EQ(text.substr(0, newline), "Tintspot 1.0");  // the version as the box has always shown it
  const std::string second = text.substr(newline + 1);
  ASSERT_GT(second.size(), 10u);
  EXPECT_EQ(second.substr(second.size() - 10), std::string(10, ' '));
  EXPECT_NE(second[second.size() - 11], ' ');
  const std::string host = second.substr(0, second.size() - 10);
  const std::string& address = desktop.openedAddresses[0];
  EXPECT_EQ(address, "https://" + host + "/");
}

class HelpTest : public MenuTest {
 protected:
  void ExpectOpen() {
    ASSERT_TRUE(desktop.helpPopupAt.has_value());
    EXPECT_EQ(std::to_string(desktop.helpPopupAt->x) + "," + std::to_string(desktop.helpPopupAt->y),
              At(133, 126));
    EXPECT_FALSE(desktop.timerRunning);
    EXPECT_EQ(Shown(Control::imgHelp), main.Skin().imgHelpd.pixels);
  }
  void ExpectClosed(bool sampling) {
    EXPECT_FALSE(desktop.helpPopupAt.has_value());
    EXPECT_EQ(desktop.timerRunning, sampling);
    EXPECT_EQ(main.IsLocked(), !sampling);
    EXPECT_EQ(Shown(Control::imgHelp), main.Skin().imgHelp.pixels);
  }
};

// Opened while the sampler runs, the popup pauses it without the lock's padlock or its disabled
// zoom list; closed, the sampler runs again.
TEST_F(HelpTest, OpenedWhileSamplingPausesAndResumes) {
  for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
    SCOPED_TRACE(int(button));
    const int paints = desktop.swatchPaints;
    ClickAt(main, kOnImgHelp, button);
    ExpectOpen();
    EXPECT_TRUE(desktop.zoomEnabled);
    EXPECT_EQ(desktop.swatchPaints, paints);
    main.FocusWentTo(ProgramWindow::Main);
    ExpectClosed(true);
  }
}

// The padlock follows the timer alone: while the popup has stopped it, a repaint of the swatch
// draws the padlock, and once the popup has closed a repaint leaves it out again.
TEST_F(HelpTest, RepaintWhileOpenDrawsThePadlock) {
  auto padlockPixels = [&] {
    const PixelBuffer& swatch = *desktop.swatch;
    int inked = 0;
    for (int y = 32; y < 43; ++y)
      for (int x = 35; x < 42; ++x) inked += swatch.At(x, y) != swatch.At(24, 24);
    return inked;
  };
  main.Timer1Timer();
  ASSERT_TRUE(desktop.swatch.has_value());
  EXPECT_EQ(padlockPixels(), 0);
  ClickAt(main, kOnImgHelp);
  main.Paint(tintspot::testing::kWholeClient);
  EXPECT_GT(padlockPixels(), 20);
  main.FocusWentTo(ProgramWindow::Main);
  main.Paint(tintspot::testing::kWholeClient);
  EXPECT_EQ(padlockPixels(), 0);
}

TEST_F(HelpTest, OpenedWhileLockedStaysLocked) {
  ClickAt(main, tintspot::testing::kOnSwatch);
  ASSERT_TRUE(main.IsLocked());
  ClickAt(main, kOnImgHelp);
  ExpectOpen();
  main.FocusWentTo(ProgramWindow::Main);
  ExpectClosed(false);
  EXPECT_FALSE(desktop.zoomEnabled);
}

// Pressing the help button while the popup is open first activates the main window, which
// closes the popup; the new opening saves the state just restored.
TEST_F(HelpTest, ReopenedWhileOpenSavesTheRestoredState) {
  for (bool locked : {false, true}) {
    SCOPED_TRACE(locked ? "locked" : "sampling");
    if (locked) ClickAt(main, tintspot::testing::kOnSwatch);
    ClickAt(main, kOnImgHelp);
    main.FocusWentTo(ProgramWindow::Main);
    ClickAt(main, kOnImgHelp);
    ExpectOpen();
    main.FocusWentTo(ProgramWindow::Main);
    ExpectClosed(!locked);
    // A second deactivation without the popup changes nothing.
    const std::size_t from = desktop.calls.size();
    main.FocusWentTo(ProgramWindow::Main);
    EXPECT_TRUE(CallsSince(desktop, from).empty());
  }
}

// Where the focus goes after the popup opened: m main, a another application,
// h the popup itself, d the dropped-down zoom list, o another of our windows.
TEST_F(MenuTest, HelpClosesWhenAnotherWindowOfTheProgramTakesTheFocus) {
  using W = ProgramWindow;
  const std::pair<std::string, bool> cases[] = {{"m", false},  {"a", true},  {"ah", true},
                                                {"am", false}, {"d", false}, {"o", false}};
  const std::map<char, W> windows{
      {'m', W::Main}, {'h', W::HelpPopup}, {'d', W::ZoomListDropDown}, {'o', W::Other}};
  for (const auto& [focus, open] : cases) {
    ClickAt(main, kOnImgHelp);
    for (char f : focus)
      f == 'a' ? main.FocusWentToOtherApplication() : main.FocusWentTo(windows.at(f));
    EXPECT_EQ(desktop.helpPopupAt.has_value(), open) << focus;
    EXPECT_EQ(desktop.timerRunning, !open);
    main.FocusWentTo(W::Main);
  }
}

}  // namespace
}  // namespace tintspot
