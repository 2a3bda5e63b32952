// One Tintspot.exe under test: its own folder (with an optional tSpot.ini), its Wine process
// and its main window.
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

// Path of the Tintspot.exe under test: $TINTSPOT_EXE, else the one the build was configured with.
std::string TintspotExePath();

struct AppOptions {
  std::optional<std::string> ini;  // content of tSpot.ini beside the exe before the start
  bool read_only_folder = false;   // see AppFolder::MakeReadOnly
  std::string subfolder{};         // the exe's folder lies this deep in a new one (UTF-8)
  // Launched through Wine's "start /max /wait", as a shortcut set to run maximized would. The
  // program is then a process of its own, found through its window.
  bool start_maximized = false;
};

class TintspotApp {
 public:
  static constexpr const char* kCaption = "Tintspot";
  static constexpr const char* kIniName = "tSpot.ini";

  // Prepares the folder; Start() runs the program.
  explicit TintspotApp(const AppOptions& options = {});
  ~TintspotApp();  // kills the program if it still runs

  // Starts `wine ./Tintspot.exe` in the folder and waits until the process shows a viewable
  // top-level window captioned "Tintspot". False if that does not happen within `timeout`.
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
  std::string IniPath() const { return folder_->File(kIniName); }
  std::optional<std::string> ReadIni() const { return folder_->ReadFile(kIniName); }
  std::string Log() const;  // Wine's output for this run
  // Resident memory of the process (VmRSS), for leak checks over many ticks.
  std::optional<long> ResidentKilobytes() const;
  double start_seconds() const { return start_seconds_; }

 private:
  XDriver& x() { return WineSession::Get().x(); }
  std::unique_ptr<AppFolder> folder_;
  std::string log_path_;
  Process process_;
  long pid_ = 0;  // the program's process: the launcher's, or the one behind its window
  bool start_maximized_ = false;
  Window window_ = 0;
  double start_seconds_ = 0;
};

}  // namespace e2e
