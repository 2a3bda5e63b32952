// Closing the main window: what is written to the settings file and in what
// order, a minimized window, a window never seen in its normal place, a
// failing write, and
// the error box text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window_harness.h"

namespace tintspot {
namespace {

using tintspot::testing::FakePlatform;

class CloseTest : public ::testing::Test {
 protected:
  FakePlatform desktop;
  TfrmMain main{desktop};

  // In the order the file gets them.
  std::vector<std::string> Writes() const { return desktop.CallsStartingWith("WriteSetting"); }
  // Everything that must be gone once the close has finished.
  void ExpectClosed() {
    EXPECT_EQ(main.MagBuffer(), nullptr);
    EXPECT_TRUE(desktop.helpDestroyed);
    EXPECT_FALSE(desktop.timerRunning);
    // A tick or a repaint that still arrives does nothing.
    desktop.cursor = ScreenPoint{1000, 900};
    const std::size_t before = desktop.calls.size();
    main.Timer1Timer();
    main.Paint(tintspot::testing::kWholeClient);
    EXPECT_EQ(desktop.calls.size(), before);
  }
};

TEST_F(CloseTest, ExampleRunCreatesTheFileWithSevenLinesInOrder) {
  main.FormCreate();
  tintspot::testing::ClickAt(main, tintspot::testing::kOnImgTop);  // always on top
  tintspot::testing::ClickAt(main, tintspot::testing::kOnImgMag);  // magnifier shown
  desktop.zoomSelection = 3;                                       // "Zoom: 400%" chosen
  desktop.window = desktop.window.MovedTo(584, 414);               // dragged there
  main.MainWindowPlaced();                                         // as the shell reports
  EXPECT_TRUE(main.FormClose());
  EXPECT_EQ(desktop.IniText(),
            "[General]\r\nX=584\r\nY=414\r\nonTop=1\r\n[Magnifier]\r\nZoom=3\r\nShowMag=1\r\n");
  EXPECT_EQ(Writes(), (std::vector<std::string>{
                          "WriteSetting(General,X,584)", "WriteSetting(General,Y,414)",
                          "WriteSetting(General,onTop,1)", "WriteSetting(Magnifier,Zoom,3)",
                          "WriteSetting(Magnifier,ShowMag,1)"}));
  ExpectClosed();
}

TEST_F(CloseTest, FirstRunClosedAsStartedWritesTheDefaults) {
  main.FormCreate();
  EXPECT_TRUE(main.FormClose());
  EXPECT_EQ(desktop.IniText(),
            "[General]\r\nX=874\r\nY=423\r\nonTop=0\r\n[Magnifier]\r\nZoom=0\r\nShowMag=0\r\n");
}

TEST_F(CloseTest, ExistingFileKeepsItsOrderAndOtherKeys) {
  desktop.SetIni("Magnifier", "ShowMag", "0");
  desktop.SetIni("Magnifier", "Colour", "red");
  desktop.SetIni("Other", "a", "b");
  desktop.SetIni("General", "onTop", "0");
  desktop.SetIni("General", "Y", "300");
  desktop.SetIni("General", "X", "200");
  desktop.SetIni("General", "Name", "me");
  main.FormCreate();
  tintspot::testing::ClickAt(main, tintspot::testing::kOnImgMag);
  desktop.zoomSelection = 6;
  EXPECT_TRUE(main.FormClose());
  EXPECT_EQ(desktop.IniText(),
            "[Magnifier]\r\nShowMag=1\r\nColour=red\r\nZoom=6\r\n"
            "[Other]\r\na=b\r\n"
            "[General]\r\nonTop=0\r\nY=300\r\nX=200\r\nName=me\r\n");
}

TEST_F(CloseTest, MinimizedWindowSavesItsRestoredPlace) {
  desktop.SetIni("General", "X", "300");
  desktop.SetIni("General", "Y", "200");
  main.FormCreate();
  // Minimized: the window's own rectangle is the iconic one.
  desktop.minimized = true;
  desktop.window = Rect::FromSize(-32000, -32000, 160, 28);
  main.MainWindowPlaced();
  EXPECT_TRUE(main.FormClose());
  EXPECT_EQ(desktop.IniText(),
            "[General]\r\nX=300\r\nY=200\r\nonTop=0\r\n[Magnifier]\r\nZoom=0\r\nShowMag=0\r\n");
}

// A window minimized from the start was never seen in its normal place.
TEST_F(CloseTest, UnknownNormalPlaceWritesNothingButCloses) {
  desktop.SetIni("General", "X", "300");
  desktop.minimized = true;
  main.FormCreate();
  EXPECT_TRUE(main.FormClose());
  EXPECT_EQ(desktop.CountCalls("WriteSetting"), 0);
  EXPECT_EQ(desktop.IniText(), "[General]\r\nX=300\r\n");
  EXPECT_TRUE(desktop.errorBoxes.empty());
  ExpectClosed();
}

TEST_F(CloseTest, FailedWriteShowsOneErrorAndSkipsTheRest) {
  main.FormCreate();
  desktop.settingsWritable = false;
  EXPECT_TRUE(main.FormClose());
  EXPECT_EQ(desktop.errorBoxes,
            (std::vector<std::string>{"Unable to write to C:\\Tintspot\\tSpot.ini."}));
  EXPECT_EQ(Writes(), (std::vector<std::string>{"WriteSetting(General,X,874)"}));
  EXPECT_TRUE(desktop.ini.empty());
  ExpectClosed();
}

TEST_F(CloseTest, WriteFailingHalfwayStopsThere) {
  main.FormCreate();
  desktop.writesBeforeFailure = 2;
  EXPECT_TRUE(main.FormClose());
  EXPECT_EQ(desktop.errorBoxes.size(), 1u);
  EXPECT_EQ(Writes(),
            (std::vector<std::string>{"WriteSetting(General,X,874)", "WriteSetting(General,Y,423)",
                                      "WriteSetting(General,onTop,0)"}));
  EXPECT_EQ(desktop.IniText(), "[General]\r\nX=874\r\nY=423\r\n");
  ExpectClosed();
}

TEST(ErrorBoxText, AddsAFullStopUnlessThereIsOne) {
  EXPECT_EQ(ErrorBoxText("Unable to write to C:\\Tintspot\\tSpot.ini"),
            "Unable to write to C:\\Tintspot\\tSpot.ini.");
  EXPECT_EQ(ErrorBoxText("Cannot open clipboard"), "Cannot open clipboard.");
  EXPECT_EQ(ErrorBoxText("Already ends."), "Already ends.");
  EXPECT_EQ(ErrorBoxText("Path C:\\a.b\\c"), "Path C:\\a.b\\c.");
  EXPECT_EQ(ErrorBoxText("Question?"), "Question?.");
  EXPECT_EQ(ErrorBoxText(""), ".");
}

}  // namespace
}  // namespace tintspot
