// CPU time of processes as the kernel counts it (/proc/PID/stat), and finding the processes
// whose CPU the live benchmark adds up.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace livebench {

// utime + stime of the process in seconds; 0 once the process is gone.
double CpuSeconds(pid_t pid);
double CpuSeconds(const std::vector<pid_t>& pids);

// Processes running with WINEPREFIX=prefix in their environment (the prefix's wineserver, its
// system processes and programs), split into the wineserver and the rest.
struct PrefixProcesses {
  pid_t wineserver = 0;
  std::vector<pid_t> others;
};
PrefixProcesses FindPrefixProcesses(const std::string& prefix);

// A child of this process whose command name (comm) is `name`; 0 if there is none.
pid_t FindOwnChild(const std::string& name);

}  // namespace livebench
