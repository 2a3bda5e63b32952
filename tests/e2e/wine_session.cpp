#include "wine_session.h"

#include <errno.h>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "tintspot_app.h"
#include "wait_until.h"

#ifndef WINHELPER_EXE_PATH
#define WINHELPER_EXE_PATH ""
#endif

namespace e2e {
namespace fs = std::filesystem;
namespace {

std::unique_ptr<WineSession> g_session;
std::string g_start_error;

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

// Whether the caller's locale (LC_ALL, LC_CTYPE, LANG) has UTF-8 as its character set.
bool CallerLocaleIsUtf8() {
  static const bool utf8 = [] {
    const char* current = setlocale(LC_CTYPE, nullptr);
    const std::string saved = current != nullptr ? current : "C";
    const bool found =
        setlocale(LC_CTYPE, "") != nullptr && std::string(nl_langinfo(CODESET)) == "UTF-8";
    setlocale(LC_CTYPE, saved.c_str());
    return found;
  }();
  return utf8;
}

void Check(const RunResult& r, const std::string& what) {
  if (r.exit_code != 0 || r.timed_out) {
    throw std::runtime_error(what + (r.timed_out ? " timed out" : " failed") + " (exit " +
                             std::to_string(r.exit_code) + "): " + r.output);
  }
}

}  // namespace

std::string ReadDisplayNumber(int fd, milliseconds timeout) {
  std::string text;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (text.find('\n') == std::string::npos) {
    auto left =
        std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd p{fd, POLLIN, 0};
    if (left.count() <= 0 || poll(&p, 1, int(left.count())) <= 0) break;
    char buffer[32];
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, size_t(n));
  }
  auto end = text.find('\n');
  return end == std::string::npos ? "" : text.substr(0, end);
}

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Removes the folders of earlier runs whose test process is gone without cleaning up (killed
// at a time limit, crashed): a prefix takes about 700 MB.
void RemoveAbandonedRuns(const std::string& tmp_dir) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(tmp_dir, error)) {
    if (entry.path().filename().string().rfind("tintspot-e2e-", 0) != 0) continue;
    long owner = strtol(ReadText((entry.path() / "owner.pid").string()).c_str(), nullptr, 10);
    if (owner <= 0 || kill(pid_t(owner), 0) == 0 || errno != ESRCH) continue;
    fs::remove_all(entry.path(), error);
  }
}

}  // namespace

WineSession& WineSession::Get() {
  if (!g_start_error.empty()) throw std::runtime_error(g_start_error);
  if (!g_session) {
    std::unique_ptr<WineSession> session(new WineSession);
    try {
      session->Start();
    } catch (const std::exception& e) {
      g_start_error = std::string("end-to-end session did not start: ") + e.what();
      throw std::runtime_error(g_start_error);
    }
    g_session = std::move(session);
  }
  return *g_session;
}

void WineSession::Shutdown() { g_session.reset(); }

WineSession::~WineSession() {
  if (!prefix_.empty()) KillPrefixProcesses();
  if (own_prefix_ && !prefix_.empty()) {
    // Debian's Wine keeps the server's sockets in a $TMPDIR/wine-XXXXXX folder named in the
    // prefix's "wineserver" file; it outlives the server.
    std::string name = ReadText(prefix_ + "/wineserver");
    if (!name.empty() && name.back() == '\n') name.pop_back();
    std::error_code ignored;
    if (name.rfind("wine-", 0) == 0 && name.find('/') == std::string::npos) {
      fs::remove_all(EnvOr("TMPDIR", "/tmp") + "/" + name, ignored);
    }
  }
  window_manager_.Signal(SIGTERM);
  if (!window_manager_.Wait(milliseconds(5000))) window_manager_.Kill();
  x_.reset();
  xvfb_.Signal(SIGTERM);
  if (!xvfb_.Wait(milliseconds(5000))) xvfb_.Kill();
  if (EnvOr("TINTSPOT_E2E_KEEP", "") == "1") {
    fs::remove(root_ + "/owner.pid");  // so that later runs do not take it for abandoned
    std::cerr << "[e2e] kept " << root_ << "\n";
  } else if (!root_.empty()) {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
}

void WineSession::Start() {
  std::string tmp_dir = EnvOr("TMPDIR", "/tmp");
  RemoveAbandonedRuns(tmp_dir);
  std::string tmp = tmp_dir + "/tintspot-e2e-XXXXXX";
  if (mkdtemp(tmp.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = tmp;
  std::ofstream(root_ + "/owner.pid") << getpid();
  auto start = std::chrono::steady_clock::now();
  display_ = EnvOr("TINTSPOT_E2E_DISPLAY", "");
  if (display_.empty()) StartXvfb();
  x_ = std::make_unique<XDriver>(display_);
  if (!WindowManager().empty()) StartWindowManager();
  double xvfb_seconds = SecondsSince(start);
  if (NativeBuild()) {  // the native program needs no prefix
    std::cerr << "[e2e] display " << display_ << " (" << xvfb_seconds << " s), native build\n";
    return;
  }
  start = std::chrono::steady_clock::now();
  prefix_ = EnvOr("TINTSPOT_E2E_WINEPREFIX", "");
  own_prefix_ = prefix_.empty();
  if (own_prefix_) prefix_ = root_ + "/prefix";
  // A reused prefix may have a server started with root's permission overrides: restart it.
  if (!own_prefix_) KillPrefixProcesses();
  if (!fs::exists(prefix_ + "/system.reg")) {
    CreatePrefix();
  } else {
    SetManagedWindows();  // a reused prefix may have been set up for the other mode
  }
  prefix_ready_ = true;
  EnsureKeeper();
  std::cerr << "[e2e] display " << display_ << " (" << xvfb_seconds << " s), prefix " << prefix_
            << " (" << SecondsSince(start) << " s)\n";
}

void WineSession::StartXvfb() {
  XvfbServer server = e2e::StartXvfb("1280x1024x24", root_ + "/xvfb.log");
  xvfb_ = std::move(server.process);
  display_ = server.display;
}

XvfbServer StartXvfb(const std::string& screen, const std::string& log_path,
                     const std::vector<std::string>& extra) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
  SpawnOptions options;
  options.argv = {"Xvfb",      "-displayfd", std::to_string(fds[1]), "-screen", "0", screen,
                  "-nolisten", "tcp"};
  options.argv.insert(options.argv.end(), extra.begin(), extra.end());
  options.keep_fd = fds[1];
  options.output_path = log_path;
  options.parent_death_signal = SIGTERM;  // lets Xvfb remove its lock file
  XvfbServer server;
  server.process = Process(options);
  close(fds[1]);
  std::string number = ReadDisplayNumber(fds[0], milliseconds(20000));
  close(fds[0]);
  if (number.empty()) throw std::runtime_error("Xvfb did not start: " + ReadText(log_path));
  server.display = ":" + number;
  return server;
}

void WineSession::CreatePrefix() {
  fs::create_directories(prefix_);
  Check(RunWine({"wineboot", "--init"}, milliseconds(180000)), "wineboot --init");
  // Wine's own fonts, so that "Tahoma" and "Small Fonts" are the faces of those names.
  Check(Run({TINTSPOT_SCRIPTS_DIR "/wine-fonts.sh", prefix_}, Env(), milliseconds(60000)),
        "wine-fonts.sh");
  SetManagedWindows();
  // A crashing program must end, not wait behind a crash dialog.
  Check(RunWine({"reg", "add", R"(HKCU\Software\Wine\WineDbg)", "/v", "ShowCrashDialog", "/t",
                 "REG_DWORD", "/d", "0", "/f"},
                milliseconds(60000)),
        "reg add ShowCrashDialog");
}

std::string WineSession::WindowManager() {
  const std::string wm = EnvOr("TINTSPOT_E2E_WM", "");
  if (!wm.empty() && wm != "openbox")
    throw std::runtime_error("TINTSPOT_E2E_WM=" + wm + ": only openbox is known");
  return wm;
}

void WineSession::StartWindowManager() {
  if (!InPath("openbox")) throw std::runtime_error("TINTSPOT_E2E_WM=openbox, but no openbox");
  if (x_->WindowManagerRunning())
    throw std::runtime_error("a window manager already runs on " + display_);
  SpawnOptions options;
  // Debian's own configuration, not one of the caller's; no session, no autostart.
  options.argv = {"openbox", "--config-file", "/etc/xdg/openbox/rc.xml"};
  options.env = {{"DISPLAY", display_}};
  options.output_path = root_ + "/openbox.log";
  options.parent_death_signal = SIGTERM;
  window_manager_ = Process(options);
  if (!WaitUntil([&] { return x_->WindowManagerRunning() || !window_manager_.Running(); },
                 milliseconds(20000)) ||
      !window_manager_.Running()) {
    throw std::runtime_error("openbox did not start: " + ReadText(options.output_path));
  }
}

// Without a window manager Wine's windows are unmanaged: Wine focuses its active window itself
// and closes windows at once (a managed one waits for the manager). With one, they are managed,
// as on a desktop.
void WineSession::SetManagedWindows() {
  const char* managed = WindowManager().empty() ? "N" : "Y";
  Check(RunWine({"reg", "add", R"(HKCU\Software\Wine\X11 Driver)", "/v", "Managed", "/d", managed,
                 "/f"},
                milliseconds(60000)),
        "reg add Managed");
}

EnvVars WineSession::Env() const {
  EnvVars env = {{"DISPLAY", display_},
                 {"WINEPREFIX", prefix_},
                 {"WINEDEBUG", EnvOr("TINTSPOT_E2E_WINEDEBUG", "-all")},
                 {"WINEDLLOVERRIDES", "mscoree,mshtml,winemenubuilder.exe="}};
  // Wine turns Unix file names into Windows ones through the locale's character set: under the
  // POSIX locale it cannot open a folder named in another script (c0000135). C.UTF-8 is always
  // there.
  if (!CallerLocaleIsUtf8()) env.emplace_back("LC_ALL", "C.UTF-8");
  return env;
}

std::string WineSession::NewFolder(const std::string& tag) {
  std::string path = root_ + "/" + tag + "-" + std::to_string(++folder_count_);
  fs::create_directories(path);
  return path;
}

void WineSession::EnsureKeeper() {
  // Not while the prefix is being created: two Wine processes starting together on a new
  // prefix race for its "wineserver" file, and the loser fails ("fixed a temporary directory
  // error, please try running the same command again").
  if (!prefix_ready_ || keeper_.Running() || !fs::exists(WinHelperExePath())) return;
  SpawnOptions options;
  options.argv = {"wine", WinHelperExePath(), "idle"};
  options.cwd = root_;
  options.env = Env();
  options.output_path = root_ + "/keeper.log";
  options.drop_file_override = true;
  keeper_ = Process(options);
}

void WineSession::NeedPrefix() const {
  if (prefix_.empty()) throw std::runtime_error("no Wine prefix: the native build is under test");
}

Process WineSession::StartWine(const std::vector<std::string>& args, const std::string& cwd,
                               const std::string& log_path) {
  NeedPrefix();
  EnsureKeeper();
  SpawnOptions options;
  options.argv = {"wine"};
  options.argv.insert(options.argv.end(), args.begin(), args.end());
  options.cwd = cwd;
  options.env = Env();
  options.output_path = log_path;
  options.drop_file_override = true;
  return Process(options);
}

RunResult WineSession::RunWine(const std::vector<std::string>& args, milliseconds timeout,
                               const std::string& cwd) {
  NeedPrefix();
  EnsureKeeper();
  std::vector<std::string> argv = {"wine"};
  argv.insert(argv.end(), args.begin(), args.end());
  auto start = std::chrono::steady_clock::now();
  RunResult result = Run(argv, Env(), timeout, cwd, /*drop_file_override=*/true);
  // Wine's launcher very rarely dies of a signal within milliseconds, before the program runs,
  // without a word; a second run then works.
  if (result.exit_code >= 128 && result.output.empty() && SecondsSince(start) < 1.0) {
    std::cerr << "[e2e] wine " << args.front() << " died at once (exit code " << result.exit_code
              << "); running it once more\n";
    result = Run(argv, Env(), timeout, cwd, /*drop_file_override=*/true);
  }
  return result;
}

std::string WindowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

std::string WinHelperExePath() { return WINHELPER_EXE_PATH; }

RunResult WineSession::RunWinHelper(const std::vector<std::string>& args, milliseconds timeout) {
  std::string helper = WinHelperExePath();
  if (helper.empty() || !fs::exists(helper)) {
    throw std::runtime_error("winhelper.exe was not built (no MinGW compiler?)");
  }
  std::vector<std::string> argv = {helper};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunWine(argv, timeout, root_);
}

void WineSession::KillPrefixProcesses() {
  Run({"wineserver", "-k"}, Env(), milliseconds(20000), "", /*drop_file_override=*/true);
  Run({"wineserver", "-w"}, Env(), milliseconds(20000), "", /*drop_file_override=*/true);
  keeper_.Wait(milliseconds(5000));  // reaps it; the next Wine start brings a new one
}

void WineSession::UseDisplay(const std::string& display) {
  KillPrefixProcesses();
  x_ = std::make_unique<XDriver>(display);
  display_ = display;
}

std::map<std::string, std::string> ParseKeyValues(const std::string& text) {
  std::map<std::string, std::string> values;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    auto eq = line.find('=');
    if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return values;
}

// ---- AppFolder ----

AppFolder::AppFolder(const std::string& tag, const std::string& subfolder)
    : top_(WineSession::Get().NewFolder(tag)),
      path_(subfolder.empty() ? top_ : top_ + "/" + subfolder) {
  fs::create_directories(path_);
}

AppFolder::~AppFolder() {
  std::error_code ignored;
  fs::remove_all(top_, ignored);
}

void AppFolder::CopyIn(const std::string& source, const std::string& name) {
  fs::copy_file(source, File(name), fs::copy_options::overwrite_existing);
}

void AppFolder::WriteFile(const std::string& name, const std::string& content) {
  std::ofstream out(File(name), std::ios::binary);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + File(name));
}

std::optional<std::string> AppFolder::ReadFile(const std::string& name) const {
  return ReadText(File(name));
}

std::optional<std::string> AppFolder::ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void AppFolder::MakeReadOnly() {
  const uid_t nobody = 65534;
  for (const auto& entry : fs::directory_iterator(path_)) {
    bool exe = entry.path().extension() == ".exe";
    fs::permissions(entry.path(), exe ? fs::perms(0555) : fs::perms(0444));
    if (geteuid() == 0 && chown(entry.path().c_str(), nobody, nobody) != 0) {
      throw std::runtime_error("chown failed for " + entry.path().string());
    }
  }
  fs::permissions(path_, fs::perms(0555));
  if (geteuid() == 0 && chown(path_.c_str(), nobody, nobody) != 0) {
    throw std::runtime_error("chown failed for " + path_);
  }
}

}  // namespace e2e
