// Programs the shell starts and does not wait for (xdg-open for the website): started without
// blocking the GUI thread, and reaped once they end, so that none is left a zombie.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tintspot::x11 {

class ChildProcesses {
 public:
  // Starts `program` (searched in PATH) with `argument`; false when it could not be started.
  bool Start(const char* program, const std::string& argument);
  // Collects the children that have ended; cheap when there are none (called from the ticks).
  void Reap();
  bool Empty() const { return running_.empty(); }

 private:
  std::vector<pid_t> running_;
};

}  // namespace tintspot::x11
