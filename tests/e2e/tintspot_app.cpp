#include "tintspot_app.h"

#include <signal.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "wait_until.h"

#ifndef TINTSPOT_EXE_PATH
#define TINTSPOT_EXE_PATH ""
#endif
#ifndef TINTSPOT_BIN_PATH
#define TINTSPOT_BIN_PATH ""
#endif

namespace e2e {

namespace {

std::string EnvOr(const char* name, const char* fallback) {
  const char* value = getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

}  // namespace

Build BuildUnderTest() {
  static const Build build = [] {
    const std::string name = EnvOr("TINTSPOT_E2E_BUILD", "windows");
    if (name != "windows" && name != "native") {
      throw std::runtime_error("TINTSPOT_E2E_BUILD=" + name + ": windows or native");
    }
    return name == "native" ? Build::kNative : Build::kWindows;
  }();
  return build;
}

std::string TintspotExePath() { return EnvOr("TINTSPOT_EXE", TINTSPOT_EXE_PATH); }
std::string TintspotBinPath() { return EnvOr("TINTSPOT_BIN", TINTSPOT_BIN_PATH); }

TintspotApp::TintspotApp(const AppOptions& options)
    : folder_(std::make_unique<AppFolder>("tintspot", options.subfolder)) {
  log_path_ = folder_->path() + ".log";  // beside the folder, so the folder holds only the app
  xdg_config_home_ = folder_->path() + ".config";
  // A copy, not a link: the native program looks for its settings beside /proc/self/exe.
  folder_->CopyIn(ProgramPath(), NativeBuild() ? "tintspot" : "Tintspot.exe");
  env_ = options.env;
  if (options.ini) folder_->WriteFile(kIniName, *options.ini);
  if (options.read_only_folder) folder_->MakeReadOnly();
  start_maximized_ = options.start_maximized;
}

TintspotApp::~TintspotApp() {
  if (Running()) Kill();
}

std::string TintspotApp::IniPath() const {
  const std::string beside = folder_->File(kIniName);
  if (!NativeBuild() || ini_beside_ || std::filesystem::exists(beside)) return beside;
  return xdg_config_home_ + "/tintspot/" + kIniName;
}

std::optional<std::string> TintspotApp::ReadIni() const {
  std::ifstream in(IniPath(), std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

Process TintspotApp::Launch() {
  if (!NativeBuild()) {
    const std::vector<std::string> command =
        start_maximized_ ? std::vector<std::string>{"start", "/max", "/wait", "Tintspot.exe"}
                         : std::vector<std::string>{"./Tintspot.exe"};
    return WineSession::Get().StartWine(command, folder_->path(), log_path_);
  }
  ini_beside_ = std::filesystem::exists(folder_->File(kIniName));
  SpawnOptions options;
  options.argv = {folder_->File("tintspot")};
  options.cwd = folder_->path();
  options.env = {{"DISPLAY", WineSession::Get().display()}, {"XDG_CONFIG_HOME", xdg_config_home_}};
  options.env.insert(options.env.end(), env_.begin(), env_.end());
  options.output_path = log_path_;
  options.drop_file_override = true;  // read-only folders are read-only to it, even as root
  return Process(options);
}

bool TintspotApp::Start(milliseconds timeout) {
  auto start = std::chrono::steady_clock::now();
  for (int attempt = 1;; ++attempt) {
    auto launched = std::chrono::steady_clock::now();
    process_ = Launch();
    pid_ = process_.pid();
    window_ = 0;
    WaitUntil(
        [&] {
          auto found = Windows();
          if (!found.empty()) window_ = found.back();
          if (window_ != 0 && start_maximized_) pid_ = x().WindowPid(window_).value_or(pid_);
          return !found.empty() || !Running();
        },
        timeout);
    start_seconds_ = SecondsSince(start);
    if (window_ != 0) return true;
    if (Running()) {
      std::cerr << "[e2e] the program showed no window within " << start_seconds_ << " s\n";
      return false;
    }
    // Ended without a window. Very rarely Wine's launcher dies within milliseconds, before the
    // program has run at all, and says nothing (seen once on a fast CI machine); that one case
    // gets a second start. Anything slower, or with output, is the program's own failure.
    const double lived = SecondsSince(launched);
    const std::string output = Log();
    std::cerr << "[e2e] the program ended without a window after " << lived << " s, exit code "
              << process_.exit_code().value_or(-1) << ", output: \"" << output << "\"\n";
    if (NativeBuild() || attempt > 1 || lived > 1.0 || !output.empty()) return false;
    std::cerr << "[e2e] starting it once more\n";
  }
}

std::vector<Window> TintspotApp::Windows(const std::string& caption) {
  std::vector<Window> own;
  // Launched through "start", the program is found by its caption until its process is known
  // (one program under test at a time).
  const bool any = start_maximized_ && pid_ == process_.pid();
  for (Window w : x().FindWindows(caption)) {
    if (any || x().WindowPid(w) == pid_) own.push_back(w);
  }
  return own;
}

std::optional<Rect> TintspotApp::Geometry() { return x().Geometry(window_); }

bool TintspotApp::Close(milliseconds timeout) {
  x().SendDeleteWindow(window_);
  return process_.Wait(timeout).has_value();
}

void TintspotApp::Kill() {
  // A program launched through "start" is not the launcher's own process.
  if (start_maximized_ && pid_ > 0 && pid_ != process_.pid()) kill(pid_t(pid_), SIGKILL);
  process_.Kill();
  // The X server removes the windows once it sees the connection gone.
  WaitUntil([&] { return window_ == 0 || !x().IsWindowViewable(window_); }, milliseconds(5000));
}

std::string TintspotApp::Log() const {
  std::ifstream in(log_path_, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::optional<long> TintspotApp::ResidentKilobytes() const {
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return std::nullopt;
}

}  // namespace e2e
