#include "proc_cpu.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace livebench {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The fields of /proc/PID/stat after the command name (which may hold spaces and parentheses):
// fields[0] is the state (field 3 of proc(5)).
std::vector<std::string> StatFields(pid_t pid) {
  std::string stat = ReadAll("/proc/" + std::to_string(pid) + "/stat");
  std::vector<std::string> fields;
  auto close = stat.rfind(')');
  if (close == std::string::npos) return fields;
  std::istringstream in(stat.substr(close + 1));
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

std::vector<pid_t> AllPids() {
  std::vector<pid_t> pids;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos) {
      pids.push_back(pid_t(std::stol(name)));
    }
  }
  return pids;
}

std::string Comm(pid_t pid) {
  std::string comm = ReadAll("/proc/" + std::to_string(pid) + "/comm");
  if (!comm.empty() && comm.back() == '\n') comm.pop_back();
  return comm;
}

}  // namespace

double CpuSeconds(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  std::error_code error;
  double nanoseconds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(tasks, error)) {
    // The first field is the time on a CPU in nanoseconds (the second the time waiting for one).
    std::istringstream in(ReadAll(entry.path().string() + "/schedstat"));
    unsigned long long on_cpu = 0;
    if (in >> on_cpu) nanoseconds += double(on_cpu);
  }
  return nanoseconds / 1e9;
}

double CpuSeconds(const std::vector<pid_t>& pids) {
  double sum = 0;
  for (pid_t pid : pids) sum += CpuSeconds(pid);
  return sum;
}

double StatCpuSeconds(const std::vector<pid_t>& pids) {
  double ticks = 0;
  for (pid_t pid : pids) {
    auto fields = StatFields(pid);
    // utime and stime are fields 14 and 15 of proc(5), in clock ticks.
    if (fields.size() >= 13) ticks += std::stod(fields[11]) + std::stod(fields[12]);
  }
  return ticks / double(sysconf(_SC_CLK_TCK));
}

double MachineBusySeconds() {
  // "cpu  user nice system idle iowait irq softirq steal ..." in clock ticks.
  std::istringstream in(ReadAll("/proc/stat"));
  std::string label;
  in >> label;
  double busy = 0, value = 0;
  for (int field = 0; field < 8 && in >> value; ++field) {
    if (field != 3 && field != 4) busy += value;
  }
  return busy / double(sysconf(_SC_CLK_TCK));
}

std::optional<long> ResidentKilobytes(pid_t pid) {
  std::istringstream status(ReadAll("/proc/" + std::to_string(pid) + "/status"));
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return std::nullopt;
}

PrefixProcesses FindPrefixProcesses(const std::string& prefix) {
  PrefixProcesses found;
  const std::string wanted = "WINEPREFIX=" + prefix;
  for (pid_t pid : AllPids()) {
    if (pid == getpid()) continue;
    std::string environ = ReadAll("/proc/" + std::to_string(pid) + "/environ");
    bool in_prefix = false;
    for (size_t at = 0; at < environ.size();) {
      size_t end = environ.find('\0', at);
      if (end == std::string::npos) end = environ.size();
      if (environ.compare(at, end - at, wanted) == 0) in_prefix = true;
      at = end + 1;
    }
    if (!in_prefix) continue;
    if (Comm(pid).rfind("wineserver", 0) == 0) {  // wineserver64 on Debian
      found.wineserver = pid;
    } else {
      found.others.push_back(pid);
    }
  }
  return found;
}

pid_t FindOwnChild(const std::string& name) {
  for (pid_t pid : AllPids()) {
    auto fields = StatFields(pid);
    if (fields.size() > 1 && std::stol(fields[1]) == getpid() && Comm(pid) == name) return pid;
  }
  return 0;
}

}  // namespace livebench
