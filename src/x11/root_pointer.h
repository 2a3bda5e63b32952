// Where the pointer is, in root (virtual-screen device) coordinates.
#pragma once

#include <X11/Xlib.h>

#include <optional>

#include "geometry.h"

namespace tintspot::x11 {

// One XQueryPointer on the root window: one round trip. nullopt when the pointer is on another
// screen of the display.
std::optional<ScreenPoint> QueryRootPointer(Display* display, Window root);

}  // namespace tintspot::x11
