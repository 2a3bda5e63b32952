// The error box while it is open: its message loop goes on running the
// window's ticks, repaints, posted commands and closes, and none of them may
// open another box or close the window from under it.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "main_window_harness.h"

namespace tintspot {
namespace {

using tintspot::testing::FakePlatform;
using tintspot::testing::kWholeClient;

constexpr ScreenPoint kOnRGB{70, 48};
constexpr Key kKeyC = Key::C;

class ErrorBoxTest : public ::testing::Test {
 protected:
  FakePlatform desktop;
  TfrmMain main{desktop};
  int boxDepth = 0;

  void SetUp() override {
    desktop.cursor = ScreenPoint{100, 100};
    main.FormCreate();
    FailEveryPixelRead();
  }
  void FailEveryPixelRead() {
    desktop.onCall = [](const std::string& call) {
      if (call.rfind("CopyScreen", 0) == 0) throw std::runtime_error("device lost");
    };
  }
  // Runs `inputs` inside the first error box that opens. Only the outermost
  // box runs them, so that a box opened from inside one cannot recurse.
  void WhileTheBoxIsOpen(const std::function<void()>& inputs) {
    desktop.duringErrorBox = [this, inputs] {
      if (boxDepth++ == 0) inputs();
      --boxDepth;
    };
  }
};

TEST_F(ErrorBoxTest, FailuresWhileTheBoxIsOpenOpenNoMoreBoxes) {
  WhileTheBoxIsOpen([this] {
    for (int i = 0; i < 50; ++i) main.Timer1Timer();
    main.Paint(kWholeClient);  // the repaint's drawing fails too
    desktop.clipboardHeld = true;
    main.KeyDown(kKeyC, ShiftState{false, false, true});
    tintspot::testing::ClickAt(main, kOnRGB);
    desktop.onCall = [](const std::string& call) {
      if (call.rfind("OpenAddress", 0) == 0) throw std::runtime_error("no browser");
    };
    main.MenuItemClick(MenuCommand::mnuPopSite);
    FailEveryPixelRead();
  });
  main.Timer1Timer();
  EXPECT_EQ(desktop.errorBoxes, (std::vector<std::string>{"device lost."}));
  EXPECT_EQ(desktop.CountCalls("BeginScreenRead"), 51);  // the ticks ran meanwhile
  EXPECT_EQ(desktop.CountCalls("SetClipboardText"), 2);

  // Once the box is answered, the program goes on as before: the next failure
  // shows its box, and the ticks sample again when they succeed.
  desktop.duringErrorBox = nullptr;
  main.Timer1Timer();
  EXPECT_EQ(desktop.errorBoxes.size(), 2u);
  desktop.onCall = nullptr;
  desktop.screen = [](int, int) { return MakeColor(1, 2, 3); };
  main.Timer1Timer();
  EXPECT_EQ(main.CurrentColor(), MakeColor(1, 2, 3));
  EXPECT_EQ(desktop.errorBoxes.size(), 2u);
}

// A close asked for while a box is open waits for it; then the window closes
// and saves its settings as always.
TEST_F(ErrorBoxTest, ACloseWhileTheBoxIsOpenWaitsForIt) {
  WhileTheBoxIsOpen([this] {
    EXPECT_FALSE(main.FormClose());
    EXPECT_FALSE(desktop.closeRequested);
    main.Timer1Timer();
  });
  main.Timer1Timer();
  EXPECT_EQ(desktop.CountCalls("WriteSetting"), 0);
  EXPECT_TRUE(desktop.closeRequested);  // asked again, now the box is gone
  desktop.onCall = nullptr;
  EXPECT_TRUE(main.FormClose());
  EXPECT_EQ(desktop.CountCalls("WriteSetting"), 5);
  EXPECT_EQ(desktop.errorBoxes.size(), 1u);
  EXPECT_FALSE(desktop.timerRunning);
}

// The close's own error (the settings cannot be written) shows once; a close
// asked for again from its box neither writes again nor asks for another.
TEST_F(ErrorBoxTest, ACloseFromTheClosesOwnBoxIsTheSameClose) {
  desktop.onCall = nullptr;
  desktop.settingsWritable = false;
  WhileTheBoxIsOpen([this] {
    EXPECT_FALSE(main.FormClose());
    main.Timer1Timer();
  });
  EXPECT_TRUE(main.FormClose());
  EXPECT_EQ(desktop.errorBoxes.size(), 1u);
  EXPECT_EQ(desktop.CountCalls("WriteSetting"), 1);
  EXPECT_FALSE(desktop.closeRequested);
}

}  // namespace
}  // namespace tintspot
