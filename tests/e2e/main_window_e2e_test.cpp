// The main window of the real program: where it starts, what the settings file makes of it, what
// it writes back at close, and the sampling tick with its swatch and lock.
#include <map>
#include <thread>

#include "app_probe.h"

namespace e2e {
namespace {

constexpr Rect kTopButtonArea{112, 0, 20, 19};

// The swatch with a padlock picture drawn over it, its transparent pixels left out.
Image WithPadlock(Image swatch, const SkinImage& padlock) {
  for (int y = 0; y < padlock.image.height; ++y) {
    for (int x = 0; x < padlock.image.width; ++x) {
      const Rgb& c = padlock.image.at(x, y);
      if (padlock.transparent == c) continue;
      swatch.pixels[size_t(kPadlockAt.y + y) * swatch.width + kPadlockAt.x + x] = c;
    }
  }
  return swatch;
}

class MainWindowTest : public E2eTest {
 protected:
  AppProbe Probe(TintspotApp& app) { return AppProbe(x(), app); }
  // A click on a readout label copies its text; the clipboard is emptied of it first.
  std::optional<std::string> ReadoutText(TintspotApp& app, Point label) {
    SetClipboard("-");
    Probe(app).Press(label);
    std::optional<std::string> text;
    WaitUntil([&] { return (text = x().ClipboardText()).value_or("-") != "-"; }, milliseconds(3000),
              milliseconds(50));
    return text;
  }
  int CentreX() { return (x().ScreenWidth() - 171) / 2; }
  int CentreY() { return (x().ScreenHeight() - 234) / 2; }
};

TEST_F(MainWindowTest, FirstStartIsCentredCompactAndNotTopmost) {
  TintspotApp app;
  ASSERT_TRUE(app.Start()) << app.Log();
  // Centred as if the magnifier were shown, although it starts hidden.
  EXPECT_EQ(app.Geometry(), (Rect{CentreX(), CentreY(), 171, 125}));
  EXPECT_EQ(Info()["topmost"], "0");
  if (auto combo = Combo()) {
    EXPECT_EQ((*combo)["text"], "Zoom: 100%");
    EXPECT_EQ((*combo)["enabled"], "1");
  }
  EXPECT_TRUE(SameImage(Probe(app).Capture(kTopButtonArea), SkinPicture("imgtopo").image));
}

// Started from a shortcut set to run maximized, the program still shows its own small window
// (maximized, it would cover the screen and sample only itself), and it samples.
// Every start knows where its window is: what Win32 says of the window is where the X window
// lies, and it stays so once the desktop has taken the window in (under a window manager, Wine
// could take a notice of the showing for a move to the screen's origin).
TEST_F(MainWindowTest, EveryStartKnowsWhereItsWindowIs) {
  for (int start = 0; start < 8; ++start) {
    SCOPED_TRACE("start " + std::to_string(start));
    TintspotApp app(start % 2 == 0 ? AppOptions{} : AppOptions{Ini(300, 200, 0, 0, 0)});
    ASSERT_TRUE(app.Start()) << app.Log();
    const Rect place =
        start % 2 == 0 ? Rect{CentreX(), CentreY(), 171, 125} : Rect{300, 200, 171, 125};
    const std::string win32 = std::to_string(place.x) + "," + std::to_string(place.y) + ",171,125";
    auto agree = [&] { return app.Geometry() == place && Info()["rect"] == win32; };
    auto both = [&] {
      return "Win32 " + Info()["rect"] + ", X " + ToString(app.Geometry().value_or(Rect{}));
    };
    EXPECT_TRUE(WaitUntil(agree, milliseconds(3000))) << both();
    EXPECT_TRUE(HoldsFor(agree, milliseconds(300))) << both();
    ASSERT_TRUE(app.Close());
  }
}

TEST_F(MainWindowTest, StartedMaximizedShowsTheNormalWindow) {
  E2E_WINDOWS_ONLY("Wine's \"start /max\", a Windows shortcut's launch");
  AppOptions options;
  options.start_maximized = true;
  TintspotApp app(options);
  ASSERT_TRUE(app.Start()) << app.Log();
  EXPECT_EQ(app.Geometry(), (Rect{CentreX(), CentreY(), 171, 125}));
  ColourPatches patches(x(), {kSteelBlue.colour});
  const Point at = patches.Centre(0);
  x().MovePointer(at.x, at.y);
  EXPECT_TRUE(Probe(app).SwatchBecomes(ExpectedSwatch(kSteelBlue, DarkShadow(session()))));
  ASSERT_TRUE(app.Close());
}

TEST_F(MainWindowTest, SavedSettingsArePutBackAndWrittenAgainAtClose) {
  // X=5 lies less than 10 pixels from the work area's left edge: the window snaps onto it.
  TintspotApp app({Ini(5, 300, 1, 4, 1)});
  ASSERT_TRUE(app.Start()) << app.Log();
  EXPECT_EQ(app.Geometry(), (Rect{0, 300, 171, 234}));
  EXPECT_EQ(Info()["topmost"], "1");
  if (auto combo = Combo()) {
    EXPECT_EQ((*combo)["text"], "Zoom: 500%");
  }
  EXPECT_TRUE(SameImage(Probe(app).Capture(kTopButtonArea), SkinPicture("imgtopd").image));
  ASSERT_TRUE(app.Close()) << app.Log();
  EXPECT_EQ(app.ReadIni(), Ini(0, 300, 1, 4, 1));
}

TEST_F(MainWindowTest, SavedPlaceOffEveryMonitorIsReplacedByTheCentre) {
  {
    TintspotApp app({Ini(-5000, 3000, 0, 0, 0)});
    // A window left off the screen need not have a viewable X window for Start() to find.
    ASSERT_TRUE(app.Start(milliseconds(10000))) << "window at " << Info()["rect"];
    EXPECT_EQ(app.Geometry(), (Rect{CentreX(), CentreY(), 171, 125}));
  }
  // A window still partly on the screen stays where it was saved.
  TintspotApp app({Ini(-100, 200, 0, 0, 1)});
  ASSERT_TRUE(app.Start()) << app.Log();
  EXPECT_EQ(app.Geometry(), (Rect{-100, 200, 171, 234}));
}

// Dragging by the title moves the window, the screen snap puts it on the screen's edge when it
// ends up less than 10 pixels from it, and closing writes the place reached, in a new file.
TEST_F(MainWindowTest, DraggedWindowSnapsAndCloseWritesItsPlace) {
  TintspotApp app;
  ASSERT_TRUE(app.Start()) << app.Log();
  auto before = app.Geometry();
  ASSERT_TRUE(before.has_value());
  // Right edge 9 pixels from the screen's, top edge well inside.
  const int dx = (x().ScreenWidth() - 171 - 9) - before->x, dy = 545 - before->y;
  Point grab = Probe(app).Screen(kOnTitle);
  x().MovePointer(grab.x, grab.y);
  x().ButtonDown(Button::kLeft);
  for (int step = 1; step <= 8; ++step) {
    x().MovePointer(grab.x + dx * step / 8, grab.y + dy * step / 8);
    std::this_thread::sleep_for(milliseconds(30));
  }
  const Rect expected{x().ScreenWidth() - 171, 545, 171, 125};
  // Wine's own move loop snaps every position it passes through; a window manager moves the
  // window itself, and the program snaps it where the move ends.
  const bool managed = !WineSession::WindowManager().empty();
  auto arrived = [&] {
    return WaitUntil([&] { return app.Geometry() == expected; }, milliseconds(3000));
  };
  bool moved = managed || arrived();
  x().ButtonUp(Button::kLeft);
  moved = moved && (!managed || arrived());
  ASSERT_TRUE(moved) << ToString(app.Geometry().value_or(Rect{}));
  EXPECT_EQ(Info()["rect"], std::to_string(expected.x) + ",545,171,125");
  EXPECT_TRUE(HoldsFor([&] { return app.Geometry() == expected; }, milliseconds(300)));
  ASSERT_FALSE(app.ReadIni().has_value());  // nothing is saved while the program runs
  ASSERT_TRUE(app.Close()) << app.Log();
  EXPECT_EQ(app.exit_code(), 0);
  EXPECT_EQ(app.ReadIni(), Ini(expected.x, 545, 0, 0, 0));
}

// A failed write is reported in an error box; dismissing it lets the program end all the same.
TEST_F(MainWindowTest, UnwritableFolderReportsTheFailedWriteAndStillCloses) {
  E2E_WINDOWS_ONLY("the error box's text, read through Win32");
  AppOptions options;
  options.read_only_folder = true;
  TintspotApp app(options);
  ASSERT_TRUE(app.Start()) << app.Log();
  Window main = app.window();
  x().SendDeleteWindow(main);
  std::vector<Window> boxes;
  ASSERT_TRUE(WaitUntil(
      [&] {
        boxes.clear();
        for (Window w : app.Windows()) {
          if (w != main) boxes.push_back(w);
        }
        return !boxes.empty();
      },
      milliseconds(5000)));
  RunResult dialog = session().RunWinHelper({"dialog-text", TintspotApp::kCaption});
  std::string path = "Z:" + app.IniPath();
  std::replace(path.begin(), path.end(), '/', '\\');
  EXPECT_NE(dialog.output.find("text=Unable to write to " + path + ".\r\n"), std::string::npos)
      << dialog.output;
  EXPECT_EQ(ParseKeyValues(dialog.output)["pid"], Info()["pid"]);
  x().Focus(boxes.front());
  ASSERT_TRUE(WaitUntil([&] { return x().FocusedWindow() == boxes.front(); }, milliseconds(3000)));
  x().TapKey(XK_Return);
  ASSERT_TRUE(WaitUntil([&] { return !app.Running(); }, milliseconds(5000)))
      << "still running after the error box was dismissed";
  EXPECT_FALSE(app.ReadIni().has_value());
}

// The swatch follows the colour under the pointer, with its bevel rings, and the readouts follow.
TEST_F(MainWindowTest, SwatchFollowsThePointerFromColourToColour) {
  TintspotApp app;
  ASSERT_TRUE(app.Start()) << app.Log();
  const Rgb dark = DarkShadow(session());
  ColourPatches patches(x(), {kSteelBlue.colour, kWhite.colour, kMidGrey.colour});
  const SwatchColour colours[] = {kSteelBlue, kWhite, kMidGrey, kSteelBlue};
  const size_t patch[] = {0, 1, 2, 0};
  for (size_t i = 0; i < 4; ++i) {
    Point at = patches.Centre(patch[i]);
    x().MovePointer(at.x, at.y);
    EXPECT_TRUE(Probe(app).SwatchBecomes(ExpectedSwatch(colours[i], dark))) << colours[i].colour;
  }
  // Clicking the readouts (which moves the pointer onto the window) copies their texts.
  EXPECT_EQ(ReadoutText(app, kLblRgb), "51,102,153");
  EXPECT_EQ(ReadoutText(app, kLblHex), "336699");
  EXPECT_EQ(ReadoutText(app, kLblHsl), "210,67,60");
  EXPECT_EQ(ReadoutText(app, kLblCmyk), "67,33,0,40");
  Point grey = patches.Centre(2);
  x().MovePointer(grey.x, grey.y);
  ASSERT_TRUE(Probe(app).SwatchBecomes(ExpectedSwatch(kMidGrey, dark)));
  EXPECT_EQ(ReadoutText(app, kLblRgb), "128,128,128");
}

// Over the program's own window no sample is taken: the swatch keeps the last outside colour.
TEST_F(MainWindowTest, SwatchKeepsTheLastOutsideColourOverTheWindowItself) {
  TintspotApp app({Ini(600, 400, 0, 0, 1)});
  ASSERT_TRUE(app.Start()) << app.Log();
  const Rgb dark = DarkShadow(session());
  ColourPatches patches(x(), {kSteelBlue.colour, kWhite.colour});
  const Image blue = ExpectedSwatch(kSteelBlue, dark);
  Point outside = patches.Centre(0);
  x().MovePointer(outside.x, outside.y);
  ASSERT_TRUE(Probe(app).SwatchBecomes(blue));
  // The closed zoom list is a window of its own, and just as much the program's.
  for (Point client : {kLblHsl, kOnTitle, kButtonRowPoint, Point{10, 140}, Point{60, 222}}) {
    Point at = Probe(app).Screen(client);
    ASSERT_NE(x().PixelAt(at.x, at.y), kSteelBlue.colour) << client;  // a sample would show
    x().MovePointer(at.x, at.y);
    EXPECT_TRUE(Probe(app).SwatchStays(blue, milliseconds(300))) << "pointer at " << client;
  }
  EXPECT_EQ(ReadoutText(app, kLblRgb), "51,102,153");
  // Sampling goes on once the pointer leaves the window.
  Point white = patches.Centre(1);
  x().MovePointer(white.x, white.y);
  EXPECT_TRUE(Probe(app).SwatchBecomes(ExpectedSwatch(kWhite, dark)));
}

// Minimized, the program goes on sampling. Restored with the pointer over its own place, where
// it skips every sample, it shows the colour that lay under the pointer while it was away.
TEST_F(MainWindowTest, MinimizedWindowGoesOnSampling) {
  E2E_NATIVE_NEEDS_WINDOW_MANAGER(kNothingIconifies);
  PatternWindow beneath = x().CreatePatternWindow({600, 400, 171, 125}, kWhite.colour);
  TintspotApp app({Ini(600, 400, 0, 0, 0)});
  ASSERT_TRUE(app.Start()) << app.Log();
  beneath.Lower();  // a window manager stacks its windows below the pattern's
  const Rgb dark = DarkShadow(session());
  ColourPatches patches(x(), {kSteelBlue.colour});
  const Point blue = patches.Centre(0);
  x().MovePointer(blue.x, blue.y);
  ASSERT_TRUE(Probe(app).SwatchBecomes(ExpectedSwatch(kSteelBlue, dark)));
  Minimize();
  ASSERT_TRUE(WaitUntil([&] { return Info()["iconic"] == "1"; }, milliseconds(5000)));
  // Beside the readouts, where no tooltip comes up to cover the swatch.
  x().MovePointer(620, 500);
  ASSERT_EQ(x().PixelAt(620, 500), kWhite.colour);
  std::this_thread::sleep_for(milliseconds(500));  // many ticks, if they run
  Restore();
  ASSERT_TRUE(WaitUntil([&] { return Info()["iconic"] == "0"; }, milliseconds(5000)));
  EXPECT_TRUE(Probe(app).SwatchBecomes(ExpectedSwatch(kWhite, dark)));
  EXPECT_TRUE(Probe(app).SwatchStays(ExpectedSwatch(kWhite, dark), milliseconds(300)));
}

// A pointer resting on a readout brings up its tooltip, which reaches beyond the window's right
// edge onto the bare (black) screen.
TEST_F(MainWindowTest, TooltipComesUpOverAReadout) {
  TintspotApp app({Ini(600, 400, 0, 0, 0)});
  ASSERT_TRUE(app.Start()) << app.Log();
  auto shown = [&] {
    const Image beside = x().Capture({772, 440, 60, 60});
    for (int py = 0; py < beside.height; ++py)
      for (int px = 0; px < beside.width; ++px)
        if (beside.at(px, py) != Rgb{0, 0, 0}) return true;
    return false;
  };
  x().MovePointer(900, 700);
  ASSERT_FALSE(shown());
  x().MovePointer(672, 449);  // over lblRGB
  x().MovePointer(673, 449);
  EXPECT_TRUE(WaitUntil(shown, milliseconds(4000)));
}

// A press on the swatch locks and unlocks, with the left button and the right one alike. Locked,
// the swatch carries the padlock (white on a dark colour, black on a light one) and stays frozen;
// unlocking removes the padlock at once, before any new sample, and sampling resumes.
TEST_F(MainWindowTest, PressOnTheSwatchLocksAndUnlocks) {
  TintspotApp app;
  ASSERT_TRUE(app.Start()) << app.Log();
  const Rgb dark = DarkShadow(session());
  ColourPatches patches(x(), {kSteelBlue.colour, kWhite.colour});
  const SkinImage& white_lock = SkinPicture("imglockwhite");
  const SkinImage& black_lock = SkinPicture("imglockblack");
  struct Round {
    SwatchColour colour;
    size_t patch, other;
    const SkinImage& padlock;
    Button lock, unlock;
  };
  const Round rounds[] = {{kSteelBlue, 0, 1, white_lock, Button::kLeft, Button::kRight},
                          {kWhite, 1, 0, black_lock, Button::kRight, Button::kLeft}};
  for (const Round& round : rounds) {
    SCOPED_TRACE(ToString(round.colour.colour));
    const Image plain = ExpectedSwatch(round.colour, dark);
    const Image locked = WithPadlock(plain, round.padlock);
    Point sample = patches.Centre(round.patch), other = patches.Centre(round.other);
    Point swatch = Probe(app).Screen(kSwatchCentre);
    x().MovePointer(sample.x, sample.y);
    ASSERT_TRUE(Probe(app).SwatchBecomes(plain));

    x().MovePointer(swatch.x, swatch.y);
    x().Click(round.lock);
    EXPECT_TRUE(Probe(app).SwatchBecomes(locked));
    x().MovePointer(other.x, other.y);
    EXPECT_TRUE(Probe(app).SwatchStays(locked, milliseconds(500)));
    if (auto combo = Combo()) {
      EXPECT_EQ((*combo)["enabled"], "0");
    }

    // Over the swatch no tick samples, so only the unlock itself can remove the padlock.
    x().MovePointer(swatch.x, swatch.y);
    x().Click(round.unlock);
    EXPECT_TRUE(Probe(app).SwatchBecomes(plain));
    if (auto combo = Combo()) {
      EXPECT_EQ((*combo)["enabled"], "1");
    }
    x().MovePointer(other.x, other.y);
    EXPECT_TRUE(Probe(app).SwatchBecomes(
        ExpectedSwatch(round.colour.colour == kWhite.colour ? kSteelBlue : kWhite, dark)));
  }
}

}  // namespace
}  // namespace e2e
