// CPU time of processes as the kernel's scheduler counts it (/proc/PID/task/*/schedstat, in
// nanoseconds), the machine's busy time, resident memory, and finding the processes whose CPU
// the live benchmark adds up.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace livebench {

// The time the process's threads have run on a CPU, in seconds: the sum over its live threads
// (/proc/PID/task/*/schedstat, nanoseconds, so figures well below the 10 ms clock tick of
// /proc/PID/stat count). 0 once the process is gone. A thread that ends between two readings
// takes its time with it: the programs measured keep their threads.
double CpuSeconds(pid_t pid);
double CpuSeconds(const std::vector<pid_t>& pids);
// utime + stime of /proc/PID/stat in seconds (10 ms steps, but with the time of threads that
// have ended): the check of CpuSeconds.
double StatCpuSeconds(const std::vector<pid_t>& pids);

// CPU seconds the whole machine has been busy (every CPU, all but idle and iowait, from
// /proc/stat): the benchmark shows how much else ran during a phase.
double MachineBusySeconds();

// Resident memory of the process (VmRSS) in kB; none once it is gone.
std::optional<long> ResidentKilobytes(pid_t pid);

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
