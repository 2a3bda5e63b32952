#include "settings_file.h"

#include <windows.h>

#include <vector>

namespace tintspot::win32 {
namespace {

// What the profile API hands back for a missing key: no value of the file
// can be this, since a value ends at its line's end. (No blanks at either
// end: the API may strip those from a default.)
constexpr char kAbsent[] = "<absent>\n<absent>";
constexpr DWORD kValueBuffer = 2048;  // values are read up to 2,047 characters

}  // namespace

std::string SettingsFilePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return "tSpot.ini";
    if (length < buffer.size()) {
      std::string path(buffer.data(), length);
      const std::size_t slash = path.find_last_of("\\/");
      path.resize(slash == std::string::npos ? 0 : slash + 1);
      return path + "tSpot.ini";
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::optional<std::string> ReadProfileValue(const std::string& path, const char* section,
                                            const char* key) {
  std::vector<char> buffer(kValueBuffer);
  const DWORD length =
      GetPrivateProfileStringA(section, key, kAbsent, buffer.data(), kValueBuffer, path.c_str());
  std::string value(buffer.data(), length);
  if (value == kAbsent) return std::nullopt;
  return value;
}

bool WriteProfileValue(const std::string& path, const char* section, const char* key,
                       const std::string& value) {
  return WritePrivateProfileStringA(section, key, value.c_str(), path.c_str()) != FALSE;
}

}  // namespace tintspot::win32
