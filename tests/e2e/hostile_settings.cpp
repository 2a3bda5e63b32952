#include "hostile_settings.h"

#include <cstdint>
#include <stdexcept>

#include "app_probe.h"

namespace e2e {
namespace {

using namespace std::string_literals;

std::string Garbage(size_t size) {
  std::string bytes(size, '\0');
  uint32_t state = 12345;
  for (char& c : bytes) {
    state = state * 1103515245u + 12345u;
    c = char(state >> 23);
  }
  return bytes;
}

std::string TenMegabytes() {
  std::string text = "[Filler]\r\n";
  for (int i = 0; text.size() < 10u << 20; ++i)
    text += "key" + std::to_string(i) + "=" + std::string(100, 'v') + "\r\n";
  return text + Ini(300, 250, 0, 3, 1);
}

}  // namespace

const std::vector<std::pair<std::string, std::string>>& HostileSettingsFiles() {
  static const std::vector<std::pair<std::string, std::string>> files = {
      {"binary garbage", Garbage(65536)},
      {"10 MB", TenMegabytes()},
      {"no section", "X=300\r\nY=250\r\nZoom=3\r\n"},
      {"duplicate keys",
       "[General]\r\nX=300\r\nY=250\r\nx=600\r\n[Magnifier]\r\nZoom=2\r\nZoom=5\r\nShowMag=1\r\n"
       "[general]\r\nY=700\r\n"},
      {"embedded NULs and long lines",
       "[General]\r\nX=300\0"
       "999\r\nY=250\r\n"s +
           std::string(1 << 20, 'A') + "\r\n[Magnifier]\r\n" + "Zoom=" + std::string(5000, '0') +
           "3\r\n" + "ShowMag=1\r\n"},
  };
  return files;
}

const std::string& HostileSettingsFile(const std::string& name) {
  for (const auto& [file, bytes] : HostileSettingsFiles())
    if (file == name) return bytes;
  throw std::invalid_argument("no hostile settings file " + name);
}

}  // namespace e2e
