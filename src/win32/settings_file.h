// The settings file tSpot.ini beside the executable, read and written key by
// key through the profile API. Paths and values are UTF-8.
#pragma once

#include <optional>
#include <string>

namespace tintspot::win32 {

// The executable's full path cut after its last path delimiter, then the name.
std::string SettingsFilePath();
// The value of a key; nullopt when the file, the section or the key is missing.
std::optional<std::string> ReadProfileValue(const std::string& path, const char* section,
                                            const char* key);
// False when the value could not be written to the file.
bool WriteProfileValue(const std::string& path, const char* section, const char* key,
                       const std::string& value);

}  // namespace tintspot::win32
