#include "settings_file.h"

#include <windows.h>

#include <vector>

#include "settings_value.h"
#include "wide_text.h"

namespace tintspot::win32 {
namespace {

// What the profile API hands back for a missing key: no value of the file
// can be this, since a value ends at its line's end. (No blanks at either
// end: the API may strip those from a default.)
constexpr wchar_t kAbsent[] = L"<absent>\n<absent>";
constexpr DWORD kValueBuffer = kSettingValueLimit + 1;

}  // namespace

// The wide-character calls throughout: a folder named in any script (not
// only in the system's ANSI code page) must give its real path. The profile
// API keeps writing the file itself in the ANSI code page, as before.
std::string SettingsFilePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return "tSpot.ini";
    if (length < buffer.size()) {
      std::wstring path(buffer.data(), length);
      const std::size_t slash = path.find_last_of(L"\\/");
      path.resize(slash == std::wstring::npos ? 0 : slash + 1);
      return Utf8FromWide(path) + "tSpot.ini";
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::optional<std::string> ReadProfileValue(const std::string& path, const char* section,
                                            const char* key) {
  std::vector<wchar_t> buffer(kValueBuffer);
  const DWORD length =
      GetPrivateProfileStringW(WideFromUtf8(section).c_str(), WideFromUtf8(key).c_str(), kAbsent,
                               buffer.data(), kValueBuffer, WideFromUtf8(path).c_str());
  const std::wstring value(buffer.data(), length);
  if (value == kAbsent) return std::nullopt;
  return Utf8FromWide(value);
}

bool WriteProfileValue(const std::string& path, const char* section, const char* key,
                       const std::string& value) {
  return WritePrivateProfileStringW(WideFromUtf8(section).c_str(), WideFromUtf8(key).c_str(),
                                    WideFromUtf8(value).c_str(),
                                    WideFromUtf8(path).c_str()) != FALSE;
}

}  // namespace tintspot::win32
