#include "subprocess.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace e2e {
namespace {

std::vector<std::string> MergedEnvironment(const EnvVars& overrides) {
  std::map<std::string, std::string> vars;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry(*e);
    auto eq = entry.find('=');
    if (eq != std::string::npos) vars[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [key, value] : overrides) vars[key] = value;
  std::vector<std::string> result;
  for (const auto& [key, value] : vars) result.push_back(key + "=" + value);
  return result;
}

std::vector<char*> CStrings(std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (auto& s : strings) result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

// Runs in the forked child: only async-signal-safe calls until exec.
[[noreturn]] void ExecChild(const SpawnOptions& o, char* const* argv, char* const* envp,
                            int out_fd) {
  if (o.parent_death_signal != 0) prctl(PR_SET_PDEATHSIG, o.parent_death_signal);
  setpgid(0, 0);  // own process group: terminal signals of the test run do not reach it twice
  int in_fd = open("/dev/null", O_RDONLY);
  if (in_fd >= 0) dup2(in_fd, 0);
  if (out_fd >= 0) {
    dup2(out_fd, 1);
    dup2(out_fd, 2);
  }
  if (o.keep_fd >= 0) fcntl(o.keep_fd, F_SETFD, 0);
  if (o.drop_file_override && geteuid() == 0) {
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
      if (prctl(PR_CAPBSET_DROP, cap, 0, 0, 0) != 0) _exit(126);
    }
  }
  if (!o.cwd.empty() && chdir(o.cwd.c_str()) != 0) _exit(126);
  execvpe(argv[0], argv, envp);
  _exit(127);
}

}  // namespace

Process::Process(const SpawnOptions& options) {
  std::vector<std::string> args = options.argv;
  std::vector<std::string> env = MergedEnvironment(options.env);
  std::vector<char*> argv = CStrings(args);
  std::vector<char*> envp = CStrings(env);
  const char* out_name = options.output_path.empty() ? "/dev/null" : options.output_path.c_str();
  int out_fd = open(out_name, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  pid_ = fork();
  if (pid_ == 0) ExecChild(options, argv.data(), envp.data(), out_fd);
  if (out_fd >= 0) close(out_fd);
  if (pid_ < 0) throw std::runtime_error("fork failed");
}

Process::Process(Process&& other) noexcept : pid_(other.pid_), exit_code_(other.exit_code_) {
  other.pid_ = -1;
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    pid_ = other.pid_;
    exit_code_ = other.exit_code_;
    other.pid_ = -1;
  }
  return *this;
}

Process::~Process() { Kill(); }

void Process::Reap(int status) {
  exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  pid_ = -1;
}

bool Process::Running() {
  if (pid_ <= 0) return false;
  int status = 0;
  pid_t r = waitpid(pid_, &status, WNOHANG);
  if (r == pid_) Reap(status);
  return r == 0;
}

std::optional<int> Process::Wait(std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (Running()) {
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return exit_code_;
}

void Process::Signal(int sig) {
  if (Running()) kill(pid_, sig);
}

void Process::Kill() {
  if (!Running()) return;
  kill(pid_, SIGKILL);
  int status = 0;
  if (waitpid(pid_, &status, 0) == pid_) Reap(status);
}

RunResult Run(const std::vector<std::string>& argv, const EnvVars& env,
              std::chrono::milliseconds timeout, const std::string& cwd, bool drop_file_override) {
  char out_path[] = "/tmp/e2e-run-XXXXXX";
  int fd = mkstemp(out_path);
  if (fd < 0) throw std::runtime_error("mkstemp failed");
  close(fd);
  SpawnOptions options;
  options.argv = argv;
  options.cwd = cwd;
  options.env = env;
  options.output_path = out_path;
  options.drop_file_override = drop_file_override;
  RunResult result;
  {
    Process process(options);
    auto code = process.Wait(timeout);
    result.timed_out = !code.has_value();
    if (result.timed_out) process.Kill();
    result.exit_code = process.exit_code().value_or(-1);
  }
  std::ifstream in(out_path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  result.output = text.str();
  unlink(out_path);
  return result;
}

bool InPath(const std::string& name) {
  const char* path = getenv("PATH");
  std::istringstream dirs(path ? path : "");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0) return true;
  }
  return false;
}

}  // namespace e2e
