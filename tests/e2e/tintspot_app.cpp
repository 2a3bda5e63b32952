#include "tintspot_app.h"

#include <signal.h>
#include <stdlib.h>

#include <fstream>
#include <iostream>
#include <sstream>

#include "wait_until.h"

#ifndef TINTSPOT_EXE_PATH
#define TINTSPOT_EXE_PATH ""
#endif

namespace e2e {

std::string TintspotExePath() {
  const char* from_env = getenv("TINTSPOT_EXE");
  return from_env != nullptr && *from_env != '\0' ? from_env : TINTSPOT_EXE_PATH;
}

TintspotApp::TintspotApp(const AppOptions& options)
    : folder_(std::make_unique<AppFolder>("tintspot", options.subfolder)) {
  log_path_ = folder_->path() + ".log";  // beside the folder, so the folder holds only the app
  folder_->CopyIn(TintspotExePath(), "Tintspot.exe");
  if (options.ini) folder_->WriteFile(kIniName, *options.ini);
  if (options.read_only_folder) folder_->MakeReadOnly();
  start_maximized_ = options.start_maximized;
}

TintspotApp::~TintspotApp() {
  if (Running()) Kill();
}

bool TintspotApp::Start(milliseconds timeout) {
  auto start = std::chrono::steady_clock::now();
  for (int attempt = 1;; ++attempt) {
    auto launched = std::chrono::steady_clock::now();
    const std::vector<std::string> command =
        start_maximized_ ? std::vector<std::string>{"start", "/max", "/wait", "Tintspot.exe"}
                         : std::vector<std::string>{"./Tintspot.exe"};
    process_ = WineSession::Get().StartWine(command, folder_->path(), log_path_);
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
      std::cerr << "[e2e] Tintspot.exe showed no window within " << start_seconds_ << " s\n";
      return false;
    }
    // Ended without a window. Very rarely Wine's launcher dies within milliseconds, before the
    // program has run at all, and says nothing (seen once on a fast CI machine); that one case
    // gets a second start. Anything slower, or with output, is the program's own failure.
    const double lived = SecondsSince(launched);
    const std::string output = Log();
    std::cerr << "[e2e] Tintspot.exe ended without a window after " << lived << " s, exit code "
              << process_.exit_code().value_or(-1) << ", output: \"" << output << "\"\n";
    if (attempt > 1 || lived > 1.0 || !output.empty()) return false;
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
