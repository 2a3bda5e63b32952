// Child processes for the end-to-end tests: start, wait with a time limit, stop.
// Only processes started here are ever signalled, always by their own id.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

using EnvVars = std::vector<std::pair<std::string, std::string>>;

struct SpawnOptions {
  std::vector<std::string> argv;  // argv[0] is looked up in PATH
  std::string cwd;                // empty: the current directory
  EnvVars env;                    // set (or replaced) on top of this process's environment
  std::string output_path;        // stdout and stderr appended here; empty: /dev/null
  int keep_fd = -1;               // a descriptor the child inherits (e.g. Xvfb's -displayfd)
  // When running as root: take away the capabilities that let root ignore file permissions
  // (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER), so a folder the process does not own
  // and may not write really is read-only for it.
  bool drop_file_override = false;
  int parent_death_signal = 9;  // sent to the child if this test process dies first (0: none)
};

class Process {
 public:
  Process() = default;
  explicit Process(const SpawnOptions& options);  // throws std::runtime_error if fork fails
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();  // kills (SIGKILL) and reaps the child if it still runs

  pid_t pid() const { return pid_; }
  bool Running();
  // Waits for the exit; the exit code (128 + signal when killed), or nullopt on timeout.
  std::optional<int> Wait(std::chrono::milliseconds timeout);
  void Signal(int sig);
  // Sends SIGKILL and reaps.
  void Kill();
  std::optional<int> exit_code() const { return exit_code_; }

 private:
  void Reap(int status);
  pid_t pid_ = -1;
  std::optional<int> exit_code_;
};

struct RunResult {
  int exit_code = -1;
  bool timed_out = false;
  std::string output;  // stdout and stderr together
};

// Runs a command to its end (killed after `timeout`) and collects its output.
RunResult Run(const std::vector<std::string>& argv, const EnvVars& env,
              std::chrono::milliseconds timeout, const std::string& cwd = "",
              bool drop_file_override = false);

// True if `name` is an executable found in PATH.
bool InPath(const std::string& name);

}  // namespace e2e
