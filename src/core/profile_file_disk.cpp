// The file layer of ProfileFile: whole files in and out through the C++
// library, one read or write of a key at a time.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "profile_file.h"

namespace tintspot {

std::optional<std::string> LoadProfileBytes(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return std::string();
  if (error || status.type() == std::filesystem::file_type::directory) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool SaveProfileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  out.close();
  return !out.fail();
}

std::optional<std::string> ReadProfileString(const std::string& path, const std::string& section,
                                             const std::string& key, std::size_t limit) {
  const std::optional<std::string> bytes = LoadProfileBytes(path);
  if (!bytes) return std::nullopt;
  return ProfileFile(*bytes).Read(section, key, limit);
}

bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
  const std::optional<std::string> bytes = LoadProfileBytes(path);
  if (!bytes) return false;
  ProfileFile file(*bytes);
  if (file.Write(section, key, value)) return SaveProfileBytes(path, file.Bytes());
  // Nothing to change; the profile API still opens the file for writing.
  return std::fstream(path, std::ios::binary | std::ios::in | std::ios::out).is_open();
}

}  // namespace tintspot
