// One program under test: its own folder with a copy of the program (with an optional tSpot.ini
// beside it), its process and its main window. Tintspot.exe runs under the session's Wine; the
// native binary runs directly, and without a tSpot.ini beside it keeps its settings under an
// XDG_CONFIG_HOME of its own, beside the folder.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "subprocess.h"
#include "wine_session.h"
#include "xdriver.h"

namespace e2e {

using std::chrono::milliseconds;

// The build under test, TINTSPOT_E2E_BUILD: "windows" (Tintspot.exe under Wine, the default) or
// "native" (the X11 binary, run directly on the test display).
enum class Build { kWindows, kNative };
Build BuildUnderTest();
inline bool NativeBuild() { return BuildUnderTest() == Build::kNative; }

// Path of the Tintspot.exe under test: $TINTSPOT_EXE, else the one the build was configured with.
std::string TintspotExePath();
// Path of the native binary under test: $TINTSPOT_BIN, else the one the build was configured with.
std::string TintspotBinPath();
// The program of the build under test.
inline std::string ProgramPath() { return NativeBuild() ? TintspotBinPath() : TintspotExePath(); }

struct AppOptions {
  std::optional<std::string> ini;  // content of tSpot.ini beside the exe before the start
  bool read_only_folder = false;   // see AppFolder::MakeReadOnly
  std::string subfolder{};         // the exe's folder lies this deep in a new one (UTF-8)
  // Launched through Wine's "start /max /wait", as a shortcut set to run maximized would. The
  // program is then a process of its own, found through its window.
  bool start_maximized = false;
  EnvVars env{};  // more environment for the native program (e.g. WAYLAND_DISPLAY)
};

class TintspotApp {
 public:
  static constexpr const char* kCaption = "Tintspot";
  static constexpr const char* kIniName = "tSpot.ini";

  // Prepares the folder; Start() runs the program.
  explicit TintspotApp(const AppOptions& options = {});
  ~TintspotApp();  // kills the program if it still runs

  // Starts `wine ./Tintspot.exe` (or `./tintspot`) in the folder and waits until the process shows
  // a viewable top-level window captioned "Tintspot". False if that does not happen within
  // `timeout`.
  bool Start(milliseconds timeout = milliseconds(30000));
  bool Running() { return process_.Running(); }
  long pid() const { return pid_; }
  Window window() const { return window_; }
  // Viewable top-level windows of this process captioned `caption` (e.g. its message boxes).
  std::vector<Window> Windows(const std::string& caption = kCaption);
  std::optional<Rect> Geometry();  // of the main window

  // Asks the main window to close (WM_DELETE_WINDOW, i.e. the system close command) and waits
  // for the process to end. False if it still runs after `timeout`.
  bool Close(milliseconds timeout = milliseconds(10000));
  // Ends the program at once, without its close handling: SIGKILL to its own process (other
  // Wine programs of the prefix go on; WineSession::KillPrefixProcesses() ends them all).
  void Kill();
  std::optional<int> exit_code() const { return process_.exit_code(); }

  AppFolder& folder() { return *folder_; }
  // The settings file: beside the program, or natively, unless one was there at the start,
  // $XDG_CONFIG_HOME/tintspot/tSpot.ini.
  std::string IniPath() const;
  std::optional<std::string> ReadIni() const;
  const std::string& xdg_config_home() const { return xdg_config_home_; }
  std::string Log() const;  // Wine's output for this run
  // Resident memory of the process (VmRSS), for leak checks over many ticks.
  std::optional<long> ResidentKilobytes() const;
  double start_seconds() const { return start_seconds_; }

 private:
  XDriver& x() { return WineSession::Get().x(); }
  Process Launch();
  std::unique_ptr<AppFolder> folder_;
  std::string log_path_, xdg_config_home_;
  EnvVars env_;
  bool ini_beside_ = false;  // natively: a tSpot.ini lay beside the binary at the start
  Process process_;
  long pid_ = 0;  // the program's process: the launcher's, or the one behind its window
  bool start_maximized_ = false;
  Window window_ = 0;
  double start_seconds_ = 0;
};

}  // namespace e2e
