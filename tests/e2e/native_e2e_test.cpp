// What only the native build does, seen from outside: the skipped read under a still pointer
// still shows another client's drawing, the clipboard outlives the program, the settings go to
// the XDG folder, other visuals, and the faults at the edges of an X session.
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app_probe.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

int Lines(const std::string& text) {
  std::istringstream in(text);
  int count = 0;
  for (std::string line; std::getline(in, line);) count += line.empty() ? 0 : 1;
  return count;
}

class NativeTest : public E2eTest {
 protected:
  void SetUp() override {
    E2E_NATIVE_ONLY("a fact of the X11 build");
    E2eTest::SetUp();
  }
};

// The native program alone on an Xvfb of its own (`screen` "WxHxD"), its settings beside it.
class OwnServer {
 public:
  OwnServer(WineSession& session, const std::string& screen)
      : server_(StartXvfb(screen, session.root() + "/own-xvfb.log")),
        x_(std::make_unique<XDriver>(server_.display)) {
    folder_.CopyIn(TintspotBinPath(), "tintspot");
    folder_.WriteFile(TintspotApp::kIniName,
                      e2e::Ini(5, 100, 0, 0, 0));  // snaps to X=0 at the start
    SpawnOptions options;
    options.argv = {folder_.File("tintspot")};
    options.cwd = folder_.path();
    options.env = {{"DISPLAY", server_.display}};
    options.output_path = log_ = folder_.path() + ".log";
    app_ = Process(options);
  }
  XDriver& x() { return *x_; }
  // Closes the driver's connection, which would not outlive the server (Xlib ends a process
  // whose connection breaks).
  void Disconnect() { x_.reset(); }
  Process& app() { return app_; }
  XvfbServer& server() { return server_; }
  std::string Log() const { return AppFolder::ReadText(log_).value_or(""); }
  std::optional<std::string> Settings() const { return folder_.ReadFile(TintspotApp::kIniName); }
  // The main window's top left, once it shows.
  std::optional<Point> Origin() {
    std::optional<Point> at;
    WaitUntil(
        [&] {
          if (auto w = x_->FindWindow(TintspotApp::kCaption)) {
            if (auto r = x_->Geometry(*w)) at = Point{r->x, r->y};
          }
          return at.has_value() || !app_.Running();
        },
        milliseconds(10000));
    return at;
  }

 private:
  XvfbServer server_;
  std::unique_ptr<XDriver> x_;
  AppFolder folder_{"own-server"};
  Process app_;
  std::string log_;
};

// While the pointer rests, the program may skip the read of an area nobody drew on; a drawing
// by another client into its own window under the pointer must still reach the swatch.
TEST_F(NativeTest, AnotherClientsDrawingUnderAStillPointerReachesTheSwatch) {
  TintspotApp app({Ini(600, 400, 0, 0, 0)});
  ASSERT_TRUE(app.Start()) << app.Log();
  AppProbe probe(x(), app);
  PatternWindow patch = x().CreatePatternWindow({100, 100, 80, 80}, kSteelBlue.colour);
  x().MovePointer(140, 140);
  ASSERT_TRUE(WaitUntil([&] { return probe.Swatch() == kSteelBlue.colour; }, milliseconds(3000)));
  for (const Rgb& colour : {kWhite.colour, kMidGrey.colour, kSteelBlue.colour}) {
    patch.Fill(colour);
    EXPECT_TRUE(WaitUntil([&] { return probe.Swatch() == colour; }, milliseconds(3000)))
        << "swatch " << probe.Swatch() << ", not " << colour;
  }
}

// A copied value is still on the clipboard after the program has closed.
TEST_F(NativeTest, TheCopiedValueOutlivesTheProgram) {
  ColourPatches patches(x(), {kSteelBlue.colour});
  TintspotApp app({Ini(600, 400, 0, 0, 0)});
  ASSERT_TRUE(app.Start()) << app.Log();
  AppProbe probe(x(), app);
  const Point at = patches.Centre(0);
  x().MovePointer(at.x, at.y);
  ASSERT_TRUE(WaitUntil([&] { return probe.Swatch() == kSteelBlue.colour; }, milliseconds(3000)));
  probe.Press(kLblHex);
  ASSERT_TRUE(WaitUntil([&] { return x().ClipboardText() == "336699"; }, milliseconds(3000)));
  ASSERT_TRUE(app.Close()) << app.Log();
  EXPECT_EQ(x().ClipboardText(), "336699");
}

// Without a tSpot.ini beside the binary the settings go to $XDG_CONFIG_HOME/tintspot/, whose
// folders are made at the first close.
TEST_F(NativeTest, WithoutAFileBesideTheBinaryTheSettingsGoToTheXdgFolder) {
  TintspotApp app;
  ASSERT_TRUE(app.Start()) << app.Log();
  EXPECT_FALSE(fs::exists(app.xdg_config_home()));
  const Rect r = app.Geometry().value_or(Rect{});
  ASSERT_TRUE(app.Close()) << app.Log();
  EXPECT_FALSE(fs::exists(app.folder().File(TintspotApp::kIniName)));
  EXPECT_EQ(AppFolder::ReadText(app.xdg_config_home() + "/tintspot/tSpot.ini"),
            Ini(r.x, r.y, 0, 0, 0));
}

// On a Wayland session the program says once that it cannot read what lies outside X11
// windows, and runs all the same.
TEST_F(NativeTest, OnAWaylandSessionItSaysSoOnceAndRuns) {
  AppOptions options;
  options.env = {{"WAYLAND_DISPLAY", "wayland-0"}};
  TintspotApp app(options);
  ASSERT_TRUE(app.Start()) << app.Log();
  const std::string log = app.Log();
  size_t first = log.find("colours outside X11 windows cannot be read");
  EXPECT_NE(first, std::string::npos) << log;
  EXPECT_EQ(log.find("colours outside X11 windows cannot be read", first + 1), std::string::npos);
  ASSERT_TRUE(app.Close()) << app.Log();
}

TEST_F(NativeTest, ADisplayThatCannotBeOpenedGivesOneLineAndExitStatus1) {
  const RunResult run = e2e::Run({TintspotBinPath()}, {{"DISPLAY", ":4711"}}, milliseconds(10000));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(Lines(run.output), 1) << run.output;
}

// The X server going away: the program writes its settings, says so in one line and ends.
TEST_F(NativeTest, ALostConnectionWritesTheSettingsAndEnds) {
  OwnServer own(session(), "1024x768x24");
  ASSERT_TRUE(own.Origin().has_value()) << own.Log();
  own.Disconnect();
  own.server().process.Kill();
  ASSERT_TRUE(own.app().Wait(milliseconds(10000)).has_value()) << "still running";
  EXPECT_EQ(own.Settings(), Ini(0, 100, 0, 0, 0));
  EXPECT_EQ(Lines(own.Log()), 1) << own.Log();
}

// On 16- and 30-bit screens the swatch shows the colour under the pointer and the HEX readout
// names it (colours the 16-bit screen holds exactly).
TEST_F(NativeTest, OtherVisualsAreReadThroughTheirMasks) {
  for (const char* screen : {"1024x768x16", "1024x768x30"}) {
    SCOPED_TRACE(screen);
    OwnServer own(session(), screen);
    const Rgb colour{0x84, 0x41, 0xFF};
    PatternWindow patch = own.x().CreatePatternWindow({400, 400, 80, 80}, colour);
    const auto origin = own.Origin();
    ASSERT_TRUE(origin.has_value()) << own.Log();
    own.x().MovePointer(440, 440);
    const Point swatch{origin->x + kSwatchCentre.x, origin->y + kSwatchCentre.y};
    EXPECT_TRUE(WaitUntil([&] { return own.x().PixelAt(swatch.x, swatch.y) == colour; },
                          milliseconds(3000)))
        << own.x().PixelAt(swatch.x, swatch.y);
    own.x().MovePointer(origin->x + kLblHex.x, origin->y + kLblHex.y);
    own.x().Click();
    EXPECT_TRUE(WaitUntil([&] { return own.x().ClipboardText() == "8441FF"; }, milliseconds(3000)))
        << own.x().ClipboardText().value_or("(none)");
  }
}

}  // namespace
}  // namespace e2e
