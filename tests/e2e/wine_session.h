// The shared environment of one run of the end-to-end tests: an X server (Xvfb), a temporary
// folder and, while the Windows build is under test, a private Wine prefix; created on first use
// and removed by Shutdown().
//
// Environment variables:
//   TINTSPOT_E2E_DISPLAY    use this running X server instead of starting Xvfb (e.g. ":5")
//   TINTSPOT_E2E_WINEPREFIX use (and keep) this prefix; it is initialised if it is new
//   TINTSPOT_E2E_WINEDEBUG  WINEDEBUG for the programs under test (default "-all")
//   TINTSPOT_E2E_KEEP=1     keep the temporary folder (logs, screenshots) after the run
//   TINTSPOT_E2E_WM=openbox run Debian's openbox on the display and let Wine's windows be
//                           managed, as on a desktop (default: no window manager, unmanaged)
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "subprocess.h"
#include "xdriver.h"

namespace e2e {

using std::chrono::milliseconds;

class WineSession {
 public:
  // Starts the session on first use; throws std::runtime_error (again on later calls) if it
  // cannot be started.
  static WineSession& Get();
  // Stops every process of the prefix and the X server and removes the temporary folder.
  static void Shutdown();

  const std::string& display() const { return display_; }
  const std::string& prefix() const { return prefix_; }
  const std::string& root() const { return root_; }  // temporary folder of this run
  EnvVars Env() const;                               // DISPLAY, WINEPREFIX, WINEDEBUG, ...
  XDriver& x() { return *x_; }
  // The window manager the session runs ("openbox"), or "" for the bare server.
  static std::string WindowManager();

  // A new empty folder under root(), named after `tag`.
  std::string NewFolder(const std::string& tag);

  // Starts `wine args...` in `cwd`, output appended to `log_path`.
  //
  // Every Wine process of the session, wineboot and the wineserver included, runs without
  // root's permission overrides (SpawnOptions::drop_file_override), so read-only folders are
  // read-only to the programs. The wineserver matters most: it is the one that opens files for
  // the programs, and it inherits the capabilities of the Wine process that started it.
  Process StartWine(const std::vector<std::string>& args, const std::string& cwd,
                    const std::string& log_path);
  // Runs `wine args...` to its end and returns its output.
  RunResult RunWine(const std::vector<std::string>& args, milliseconds timeout,
                    const std::string& cwd = "");
  // Runs the Win32 helper (winhelper.exe) with `args`; throws std::runtime_error if it was not
  // built.
  RunResult RunWinHelper(const std::vector<std::string>& args,
                         milliseconds timeout = milliseconds(30000));

  // Ends every process of this prefix (`wineserver -k`) and waits for the server to go.
  void KillPrefixProcesses();
  // Moves the session to another running X server: the prefix's processes end, x() drives the
  // new server and the next Wine programs run on it.
  void UseDisplay(const std::string& display);
  // Keeps an idle Wine program running, so that the prefix's server and system processes stay
  // up between tests and each program start is fast (about 0.2 s instead of 2-3 s).
  void EnsureKeeper();

  ~WineSession();

 private:
  WineSession() = default;
  void Start();
  void StartXvfb();
  void CreatePrefix();
  void StartWindowManager();
  void SetManagedWindows();
  void NeedPrefix() const;  // throws std::runtime_error without a prefix

  std::string root_, display_, prefix_;
  bool own_prefix_ = true;
  bool prefix_ready_ = false;
  Process xvfb_;
  Process window_manager_;
  Process keeper_;
  std::unique_ptr<XDriver> x_;
  int folder_count_ = 0;
};

// An Xvfb of its own on the first free display number, with one screen `screen` ("WxHxD") and
// `extra` arguments (e.g. "-extension", "DAMAGE"); its output goes to `log_path`. Throws
// std::runtime_error when it does not start. Ends (SIGKILL) when the object goes.
struct XvfbServer {
  Process process;
  std::string display;  // ":N"
};
XvfbServer StartXvfb(const std::string& screen, const std::string& log_path,
                     const std::vector<std::string>& extra = {});

// The display number an X server started with "-displayfd FD" writes to FD once it is ready
// (read from the pipe's other end); empty if none comes within `timeout`.
std::string ReadDisplayNumber(int fd, milliseconds timeout);

// Path of the Win32 helper winhelper.exe built with the tests (empty if it was not built).
std::string WinHelperExePath();

// The Windows path ("Z:\...") of a file of the test's file system.
std::string WindowsPath(std::string path);

// "key=value" lines (as printed by winhelper.exe) as a map.
std::map<std::string, std::string> ParseKeyValues(const std::string& text);

// A fresh folder for one program under test; removed when the object goes.
class AppFolder {
 public:
  // subfolder: a relative path of folders inside the new one that is the app's folder.
  explicit AppFolder(const std::string& tag = "app", const std::string& subfolder = "");
  ~AppFolder();
  AppFolder(const AppFolder&) = delete;
  AppFolder& operator=(const AppFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  void CopyIn(const std::string& source, const std::string& name);
  void WriteFile(const std::string& name, const std::string& content);
  std::optional<std::string> ReadFile(const std::string& name) const;
  static std::optional<std::string> ReadText(const std::string& path);
  // Makes the folder and its files unwritable for the session's Wine programs: they belong to
  // another user (nobody) and carry no write bits, and the Wine processes run without root's
  // permission overrides (see WineSession::StartWine). The test itself can still remove them.
  void MakeReadOnly();

 private:
  std::string top_, path_;
};

}  // namespace e2e
