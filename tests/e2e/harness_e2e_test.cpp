// The end-to-end machinery itself, not Tintspot: the X window of a Win32 window, the screen
// read back exactly, the pointer where it is sent, keys reaching a Wine program, the clipboard
// between Win32 and X, read-only folders read-only to Wine programs, a killed program gone.
#include <fstream>

#include "e2e_fixture.h"

namespace e2e {
namespace {

class HarnessTest : public E2eTest {};

// The X window of a Win32 top-level window covers exactly its Win32 rectangle, so pictures and
// clicks can be placed by the program's own client coordinates.
TEST_F(HarnessTest, XGeometryIsTheWin32WindowRectangle) {
  TintspotApp app;
  ASSERT_TRUE(app.Start()) << app.Log();
  RunResult info = session().RunWinHelper({"info", TintspotApp::kCaption});
  ASSERT_EQ(info.exit_code, 0) << info.output;
  auto values = ParseKeyValues(info.output);
  auto rect = app.Geometry();
  ASSERT_TRUE(rect.has_value());
  EXPECT_EQ(values["rect"], std::to_string(rect->x) + "," + std::to_string(rect->y) + "," +
                                std::to_string(rect->width) + "," + std::to_string(rect->height));
}

TEST_F(HarnessTest, KillEndsTheProcessAtOnce) {
  TintspotApp app;
  ASSERT_TRUE(app.Start()) << app.Log();
  app.Kill();
  EXPECT_FALSE(app.Running());
  EXPECT_TRUE(WaitUntil([&] { return app.Windows().empty(); }, milliseconds(5000)));
}

TEST_F(HarnessTest, PatternWindowReadsBackExactly) {
  const Rgb colour{18, 52, 86};
  PatternWindow solid = x().CreatePatternWindow({300, 200, 40, 30}, colour);
  EXPECT_EQ(x().PixelAt(300, 200), colour);
  EXPECT_EQ(x().PixelAt(339, 229).ColorRef(), 0x00563412u);
  EXPECT_NE(x().PixelAt(340, 229), colour);  // just outside
  Image all = x().Capture(solid.rect());
  for (const Rgb& c : all.pixels) ASSERT_EQ(c, colour);

  auto pattern = [](int px, int py) {
    return Rgb{uint8_t(px * 7), uint8_t(py * 5), uint8_t(px ^ py)};
  };
  PatternWindow varied = x().CreatePatternWindow({500, 400, 37, 23}, pattern);
  Image image = x().Capture(varied.rect());
  for (int py = 0; py < 23; ++py) {
    for (int px = 0; px < 37; ++px) {
      ASSERT_EQ(image.at(px, py), pattern(px, py)) << px << "," << py;
    }
  }
}

// The X server itself redraws a pattern window that was covered or moved.
TEST_F(HarnessTest, PatternWindowStaysDrawnWhenUncoveredAndMoved) {
  const Rgb colour{200, 10, 90};
  PatternWindow below = x().CreatePatternWindow({100, 600, 50, 50}, colour);
  {
    PatternWindow cover = x().CreatePatternWindow({90, 590, 30, 30}, Rgb{1, 2, 3});
    EXPECT_EQ(x().PixelAt(110, 610), (Rgb{1, 2, 3}));
  }
  EXPECT_EQ(x().PixelAt(110, 610), colour);
  below.Move(700, 600);
  EXPECT_EQ(x().PixelAt(720, 620), colour);
  EXPECT_NE(x().PixelAt(120, 620), colour);
}

// Wine's GDI reads what the X server shows: the program samples the same colours the tests put.
TEST_F(HarnessTest, Win32ScreenPixelIsThePatternColour) {
  PatternWindow pattern = x().CreatePatternWindow({400, 300, 20, 20}, Rgb{10, 160, 250});
  RunResult pixel = session().RunWinHelper({"pixel", "405", "305"});
  ASSERT_EQ(pixel.exit_code, 0) << pixel.output;
  EXPECT_EQ(ParseKeyValues(pixel.output)["rgb"], "10,160,250");
}

TEST_F(HarnessTest, PointerWarpAndMotionReadBack) {
  x().WarpPointer(123, 456);
  EXPECT_EQ(x().PointerPosition(), (Point{123, 456}));
  x().MovePointer(700, 301);
  EXPECT_EQ(x().PointerPosition(), (Point{700, 301}));
}

TEST_F(HarnessTest, Win32ClipboardTextReachesTheXClipboard) {
  RunResult set = session().RunWinHelper({"clipboard-set", "A1B2C3"});
  ASSERT_EQ(set.exit_code, 0) << set.output;
  std::optional<std::string> text;
  EXPECT_TRUE(
      WaitUntil([&] { return (text = x().ClipboardText()) == "A1B2C3"; }, milliseconds(5000)))
      << text.value_or("(none)");
}

// Keys typed through XTest reach a Wine program that was activated by a click, and a held key
// arrives as auto-repeat (WM_KEYDOWN with the previous-state bit set).
TEST_F(HarnessTest, WineProgramReceivesKeysAndAutoRepeat) {
  std::string log_path = session().root() + "/keylog.log";
  Process helper = session().StartWine({WinHelperExePath(), "keylog"}, session().root(), log_path);
  std::optional<Window> window;
  ASSERT_TRUE(WaitUntil([&] { return (window = x().FindWindow("winhelper keylog")).has_value(); },
                        milliseconds(30000)));
  x().MovePointer(100, 50);
  x().Click();
  ASSERT_TRUE(WaitUntil([&] { return x().FocusedWindow() == *window; }, milliseconds(5000)));
  const int presses = x().RepeatKey(XK_space, 3);
  ASSERT_GE(presses, 3);
  x().TapKey(XK_c, kCtrl);
  x().TapKey(XK_Escape);
  ASSERT_TRUE(helper.Wait(milliseconds(10000)).has_value());
  std::ifstream in(log_path);
  std::vector<std::string> keys;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // Wine's console output
    if (line.rfind("key=", 0) == 0) keys.push_back(line.substr(4));
  }
  std::vector<std::string> expected = {"down,32,0"};
  expected.insert(expected.end(), presses - 1, "down,32,1");
  for (const char* key :
       {"up,32,1", "down,17,0", "down,67,0", "up,67,1", "up,17,1", "down,27,0", "up,27,1"})
    expected.push_back(key);
  EXPECT_EQ(keys, expected);
}

// As root, write bits alone do not stop writes; a read-only folder must refuse Wine's profile
// writes, while an ordinary folder takes them.
TEST_F(HarnessTest, ReadOnlyFolderRefusesWineWrites) {
  const std::string original = "[General]\r\nX=1\r\n";
  AppFolder writable("writable"), read_only("read-only");
  for (AppFolder* folder : {&writable, &read_only}) {
    folder->CopyIn(WinHelperExePath(), "winhelper.exe");
    folder->WriteFile("tSpot.ini", original);
  }
  read_only.MakeReadOnly();
  for (AppFolder* folder : {&writable, &read_only}) {
    for (const char* file : {"tSpot.ini", "new.ini"}) {
      RunResult r =
          session().RunWine({"./winhelper.exe", "profile-write", file, "General", "X", "5"},
                            milliseconds(30000), folder->path());
      EXPECT_EQ(ParseKeyValues(r.output)["ok"], folder == &writable ? "1" : "0")
          << folder->path() << " " << file << ": " << r.output;
    }
  }
  EXPECT_EQ(writable.ReadFile("tSpot.ini"), "[General]\r\nX=5\r\n");
  EXPECT_EQ(writable.ReadFile("new.ini"), "[General]\r\nX=5\r\n");
  EXPECT_EQ(read_only.ReadFile("tSpot.ini"), original);
  EXPECT_FALSE(read_only.ReadFile("new.ini").has_value());
}

}  // namespace
}  // namespace e2e
