#include "footprint.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "subprocess.h"

namespace livebench {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

std::string Group(std::string name) {
  name = fs::path(name).filename().string();  // ldd names the loader by its path
  static const std::vector<std::pair<std::regex, std::string>> kGroups = {
      {std::regex("^lib(X[A-Za-z0-9]*|xcb[-a-z0-9]*|xshmfence)\\.so.*"), "X"},
      {std::regex("^libfreetype\\.so.*"), "FreeType"},
      {std::regex("^(libc|libm|libstdc\\+\\+|libgcc_s|libpthread|libdl|librt)\\.so.*|"
                  "^ld-linux.*|^linux-vdso\\.so.*"),
       "C/C++ runtime"},
      {std::regex("^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|ole32|"
                  "oleaut32|msvcrt|shlwapi|uxtheme|imm32|winmm|version|ntdll)\\.dll$",
                  std::regex::icase),
       "Windows"},
  };
  for (const auto& [pattern, group] : kGroups) {
    if (std::regex_match(name, pattern)) return group;
  }
  return "";
}

std::string Output(const std::vector<std::string>& argv) {
  if (!e2e::InPath(argv.front())) return "";
  e2e::RunResult result = e2e::Run(argv, {}, milliseconds(30000));
  return result.exit_code == 0 ? result.output : "";
}

bool IsPortableExecutable(const std::string& path) {
  char magic[2] = {};
  std::ifstream(path, std::ios::binary).read(magic, 2);
  return magic[0] == 'M' && magic[1] == 'Z';
}

// The names matched by the first group of `pattern`, one per line of `text`.
std::vector<std::string> Matches(const std::string& text, const std::regex& pattern) {
  std::vector<std::string> names;
  std::istringstream lines(text);
  std::smatch match;
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, match, pattern)) names.push_back(match[1]);
  }
  return names;
}

}  // namespace

bool Footprint::OnlyKnownGroups() const {
  return !libraries.empty() && std::none_of(libraries.begin(), libraries.end(),
                                            [](auto& l) { return l.direct && l.group.empty(); });
}

Footprint Inspect(const std::string& path) {
  Footprint f;
  std::error_code error;
  const auto size = fs::file_size(path, error);
  if (!error) f.file_bytes = long(size);
  const bool pe = IsPortableExecutable(path);
  const std::string prefix = pe ? "x86_64-w64-mingw32-" : "";

  const std::string stripped =
      fs::temp_directory_path().string() + "/tintspot-bench-stripped-" + std::to_string(getpid());
  Output({prefix + "strip", "--strip-all", "-o", stripped, path});
  if (fs::exists(stripped)) {
    const auto stripped_size = fs::file_size(stripped, error);
    if (!error) f.stripped_bytes = long(stripped_size);
  }
  fs::remove(stripped, error);

  if (pe) {
    for (const std::string& dll :
         Matches(Output({prefix + "objdump", "-p", path}), std::regex("DLL Name: (\\S+)"))) {
      f.libraries.push_back({dll, Group(dll), true});
    }
    return f;
  }
  const std::vector<std::string> needed =
      Matches(Output({"readelf", "-d", "--wide", path}), std::regex("\\(NEEDED\\).*\\[(.+)\\]"));
  for (const std::string& name :
       Matches(Output({"ldd", path}), std::regex("^\\s*(\\S+)( =>|\\s+\\()"))) {
    // Without readelf's list every library counts as the program's own.
    const bool direct =
        needed.empty() || std::find(needed.begin(), needed.end(), name) != needed.end();
    f.libraries.push_back({name, Group(name), direct});
  }
  return f;
}

}  // namespace livebench
