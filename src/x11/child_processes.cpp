#include "child_processes.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>

extern char** environ;

namespace tintspot::x11 {

bool ChildProcesses::Start(const char* program, const std::string& argument) {
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) return false;
  // The child starts with the default signal handling and an empty mask, whatever the shell has.
  sigset_t all, none;
  sigfillset(&all);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  std::string name = program;
  std::string copy = argument;
  char* argv[] = {name.data(), copy.data(), nullptr};
  pid_t child = -1;
  const int failed = posix_spawnp(&child, program, nullptr, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  if (failed != 0) return false;
  running_.push_back(child);
  return true;
}

void ChildProcesses::Reap() {
  running_.erase(std::remove_if(running_.begin(), running_.end(),
                                [](pid_t child) {
                                  int status = 0;
                                  return waitpid(child, &status, WNOHANG) != 0;
                                }),
                 running_.end());
}

}  // namespace tintspot::x11
