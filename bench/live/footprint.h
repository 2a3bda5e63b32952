// What a program file weighs: its size as built and stripped, and the libraries it links.
#pragma once

#include <string>
#include <vector>

namespace livebench {

struct Library {
  std::string name;     // e.g. "libX11.so.6", "KERNEL32.dll"
  std::string group;    // "X", "FreeType", "C/C++ runtime", "Windows" or "" (anything else)
  bool direct = false;  // linked by the program itself (DT_NEEDED, or a PE import)
};

struct Footprint {
  long file_bytes = -1;            // -1: not known
  long stripped_bytes = -1;        // the file after strip --strip-all (what a package installs)
  std::vector<Library> libraries;  // ELF: what ldd loads; PE: the imported DLLs
  // True when every library the program links itself is in a group.
  bool OnlyKnownGroups() const;
};

// Looks at the file with readelf, ldd and strip (their MinGW counterparts for a PE file).
Footprint Inspect(const std::string& path);

}  // namespace livebench
