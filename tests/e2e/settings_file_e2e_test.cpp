// The settings file beyond the healthy desk: a folder named in several scripts, and files that a
// text editor, a sync tool, another program or a disk fault left behind.
#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>

#include "app_probe.h"
#include "e2e_fixture.h"
#include "hostile_settings.h"
#include "profile_file.h"

namespace e2e {
namespace {

using namespace std::string_literals;

class SettingsFileTest : public E2eTest {
 protected:
  // Asks the program to close and expects the error box about the settings file; dismisses it
  // and expects the program to end.
  void CloseThroughTheErrorBox(TintspotApp& app) {
    const Window main = app.window();
    x().SendDeleteWindow(main);
    std::vector<Window> boxes;
    ASSERT_TRUE(WaitUntil(
        [&] {
          boxes.clear();
          for (Window w : app.Windows())
            if (w != main) boxes.push_back(w);
          return !boxes.empty() || !app.Running();
        },
        milliseconds(10000)));
    ASSERT_FALSE(boxes.empty()) << "ended without an error box";
    RunResult dialog = session().RunWinHelper({"dialog-text", TintspotApp::kCaption});
    EXPECT_NE(dialog.output.find("text=Unable to write to " + WindowsPath(app.IniPath()) + ".\r\n"),
              std::string::npos)
        << dialog.output;
    x().Focus(boxes.front());
    ASSERT_TRUE(
        WaitUntil([&] { return x().FocusedWindow() == boxes.front(); }, milliseconds(3000)));
    x().TapKey(XK_Return);
    ASSERT_TRUE(WaitUntil([&] { return !app.Running(); }, milliseconds(5000)))
        << "still running after the error box was dismissed";
    EXPECT_EQ(app.Windows().size(), 0u) << "a second box";
  }
};

// "Наталья\工具\🎨": Cyrillic, CJK and a character beyond the 16-bit range, none of them in the
// prefix's ANSI code page.
const char kScriptsFolder[] = "Наталья/工具/🎨";

TEST_F(SettingsFileTest, FolderNamedInAnyScriptKeepsTheSettingsThere) {
  AppOptions options;
  options.subfolder = kScriptsFolder;
  // Values as a hand would write them, so that the file written at close differs.
  options.ini = "[General]\r\nX=$248\r\nY=300\r\nonTop=0\r\n[Magnifier]\r\nZoom=4\r\nShowMag=2\r\n";
  TintspotApp app(options);
  ASSERT_TRUE(app.Start()) << app.Log();
  EXPECT_EQ(app.Geometry(), (Rect{584, 300, 171, 234}));
  if (auto combo = Combo()) {
    EXPECT_EQ((*combo)["selection"], "4");
  }
  ASSERT_TRUE(app.Close()) << app.Log();
  EXPECT_EQ(app.ReadIni(), Ini(584, 300, 0, 4, 1));
}

TEST_F(SettingsFileTest, ReadOnlyFolderNamedInAnyScriptShowsItsPathInTheErrorBox) {
  E2E_WINDOWS_ONLY("the error box's text, read through Win32");
  AppOptions options;
  options.subfolder = kScriptsFolder;
  options.read_only_folder = true;
  TintspotApp app(options);
  ASSERT_TRUE(app.Start()) << app.Log();
  CloseThroughTheErrorBox(app);
}

// A settings file nobody would write on purpose. Whatever it holds, the program starts (with the
// defaults where a value cannot be used), samples, and at close either writes settings that read
// back as the state it closed in, or shows the one error box and ends.
struct HostileFile {
  std::string name;
  std::function<void(TintspotApp&)> prepare;  // before the start
  // The state at start: place (nullopt: centred), zoom index, magnifier shown.
  std::optional<Point> place;
  int zoom;
  bool magnifier;
  bool write_fails;
};

// Writes the named file of HostileSettingsFiles() as the program's settings file.
std::function<void(TintspotApp&)> Hostile(const std::string& name) {
  return [&bytes = HostileSettingsFile(name)](TintspotApp& app) {
    app.folder().WriteFile("tSpot.ini", bytes);
  };
}

TEST_F(SettingsFileTest, HostileFilesAtStart) {
  E2E_WINDOWS_ONLY("a file held open with Windows sharing rules, and the error box's text");
  std::unique_ptr<Process> holder;
  const std::vector<HostileFile> cases = {
      {"binary garbage", Hostile("binary garbage"), std::nullopt, 0, false, false},
      {"10 MB", Hostile("10 MB"), Point{300, 250}, 3, true, false},
      {"no section", Hostile("no section"), std::nullopt, 0, false, false},
      {"duplicate keys", Hostile("duplicate keys"), Point{300, 250}, 2, true, false},
      {"embedded NULs and long lines", Hostile("embedded NULs and long lines"), Point{300, 250}, 0,
       true, false},
      {"a folder named tSpot.ini",
       [](TintspotApp& app) { std::filesystem::create_directory(app.IniPath()); }, std::nullopt, 0,
       false, true},
      {"held open by another program",
       [&](TintspotApp& app) {
         app.folder().WriteFile("tSpot.ini", Ini(300, 250, 0, 3, 1));
         const std::string log = app.folder().path() + "-holder.log";
         holder = std::make_unique<Process>(session().StartWine(
             {WinHelperExePath(), "hold-open", WindowsPath(app.IniPath()), "120"}, session().root(),
             log));
         ASSERT_TRUE(WaitUntil(
             [&] {
               std::ifstream in(log);
               std::string text((std::istreambuf_iterator<char>(in)), {});
               return text.find("held=1") != std::string::npos;
             },
             milliseconds(20000)));
       },
       std::nullopt, 0, false, true},
  };
  const Rgb dark_shadow = DarkShadow(session());
  ColourPatches patches(x(), {kSteelBlue.colour});
  for (const HostileFile& c : cases) {
    SCOPED_TRACE(c.name);
    TintspotApp app;
    c.prepare(app);
    ASSERT_TRUE(app.Start()) << app.Log();
    const Point place =
        c.place.value_or(Point{(x().ScreenWidth() - 171) / 2, (x().ScreenHeight() - 234) / 2});
    EXPECT_EQ(app.Geometry(), (Rect{place.x, place.y, 171, c.magnifier ? 234 : 125}));
    if (auto combo = Combo()) {
      EXPECT_EQ((*combo)["selection"], std::to_string(c.zoom));
    }
    x().MovePointer(patches.Centre(0).x, patches.Centre(0).y);
    EXPECT_TRUE(AppProbe(x(), app).SwatchBecomes(ExpectedSwatch(kSteelBlue, dark_shadow)));
    if (c.write_fails) {
      CloseThroughTheErrorBox(app);
    } else {
      ASSERT_TRUE(app.Close(milliseconds(30000))) << app.Log();
      const std::optional<std::string> written = app.ReadIni();
      ASSERT_TRUE(written.has_value());
      const tintspot::ProfileFile file(*written);
      const auto value = [&](const char* section, const char* key) {
        return file.Read(section, key, 2047).value_or("-");
      };
      EXPECT_EQ(value("General", "X"), std::to_string(place.x));
      EXPECT_EQ(value("General", "Y"), std::to_string(place.y));
      EXPECT_EQ(value("General", "onTop"), "0");
      EXPECT_EQ(value("Magnifier", "Zoom"), std::to_string(c.zoom));
      EXPECT_EQ(value("Magnifier", "ShowMag"), c.magnifier ? "1" : "0");
    }
    holder.reset();
  }
}

}  // namespace
}  // namespace e2e
