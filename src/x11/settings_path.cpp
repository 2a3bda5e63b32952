#include "settings_path.h"

#include <errno.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tintspot::x11 {
namespace {

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace

std::string SettingsPath(const SettingsPlace& place,
                         const std::function<bool(const std::string&)>& exists) {
  if (!place.binary_folder.empty()) {
    const std::string beside = Join(place.binary_folder, kSettingsFileName);
    if (exists(beside)) return beside;
  }
  std::string config;
  if (place.xdg_config_home != nullptr && place.xdg_config_home[0] == '/') {
    config = place.xdg_config_home;
  } else if (place.home != nullptr && place.home[0] == '/') {
    config = Join(place.home, ".config");
  } else {
    return "";
  }
  return Join(Join(config, "tintspot"), kSettingsFileName);
}

bool CreateFoldersFor(const std::string& file) {
  const size_t last = file.rfind('/');
  if (last == std::string::npos || last == 0) return true;
  const std::string folder = file.substr(0, last);
  for (size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
    const std::string part = folder.substr(0, at);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (at == std::string::npos) break;
  }
  struct stat info {};
  return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string BinaryFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "";
  const std::string exe(path, size_t(length));
  const size_t last = exe.rfind('/');
  return last == std::string::npos ? "" : exe.substr(0, last == 0 ? 1 : last);
}

}  // namespace tintspot::x11
