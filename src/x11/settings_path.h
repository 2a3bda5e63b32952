// Where the X11 build keeps tSpot.ini.
//
// Beside the binary when a tSpot.ini already exists there (a portable copy, and the tests);
// otherwise in the user's configuration folder, $XDG_CONFIG_HOME/tintspot/ (~/.config/tintspot/
// when the variable is unset, empty or not an absolute path). An installed binary's folder is
// not writable, so it cannot be the default.
#pragma once

#include <functional>
#include <string>

namespace tintspot::x11 {

constexpr const char* kSettingsFileName = "tSpot.ini";

struct SettingsPlace {
  std::string binary_folder;    // the folder of the running binary
  const char* xdg_config_home;  // $XDG_CONFIG_HOME, nullptr when unset
  const char* home;             // $HOME (or the passwd entry's folder), nullptr when unknown
};

// The settings file's path; empty when neither the binary's folder holds one nor a home folder
// is known. `exists` tells whether a file exists (given, so the rule can be tested alone).
std::string SettingsPath(const SettingsPlace& place,
                         const std::function<bool(const std::string&)>& exists);

// Creates the folders leading to `file` that do not exist yet (mode 0700, as the user's
// configuration folders are made); false when one cannot be made.
bool CreateFoldersFor(const std::string& file);

// The folder of the running binary, from /proc/self/exe; empty when it cannot be read.
std::string BinaryFolder();

}  // namespace tintspot::x11
