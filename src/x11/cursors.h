// X cursors made from the program's own cursor files (HAND and DROPPER).
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

namespace tintspot::x11 {

// The cursor of a .cur file's first image, as an ARGB cursor with the file's hot spot; 0 when
// the data is no cursor file or the server cannot make it.
Cursor LoadCursorFile(Display* display, const std::vector<std::uint8_t>& cur_file);

}  // namespace tintspot::x11
