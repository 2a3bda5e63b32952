// The program's pictures, built into the binary (generated from assets/ at build time): the
// skin GIFs, the HAND and DROPPER cursors and the MAINICON icon, under the names the Windows
// build's resources give them. Nothing is read from files at run time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tintspot::x11 {

// What the Windows build's resource script makes of a file: raw data (the skin), a cursor, an
// icon. The core's ResourceData asks for raw data only, as the Windows build answers it.
enum class ResourceKind { RCDATA, CURSOR, ICON };

struct EmbeddedResource {
  const char* name;
  ResourceKind kind;
  const unsigned char* data;
  std::size_t size;
};

// The resource of a name (case as in the resource script) and kind; nullptr when there is none.
const EmbeddedResource* FindEmbeddedResource(const char* name, ResourceKind kind);
// Its bytes; empty when there is none.
std::vector<std::uint8_t> EmbeddedBytes(const char* name, ResourceKind kind);

}  // namespace tintspot::x11
