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
  auto fields = StatFields(pid);
  if (fields.size() < 13) return 0;
  // utime and stime are fields 14 and 15 of proc(5), in clock ticks.
  const double ticks = std::stod(fields[11]) + std::stod(fields[12]);
  return ticks / double(sysconf(_SC_CLK_TCK));
}

double CpuSeconds(const std::vector<pid_t>& pids) {
  double sum = 0;
  for (pid_t pid : pids) sum += CpuSeconds(pid);
  return sum;
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
