// The window is not scaled to the display's pixel density: every size is in
// device pixels.
#pragma once

namespace tintspot::win32 {

// Declares the process per-monitor DPI aware (version 2 where the system has
// it), in addition to the manifest's declaration.
void DeclareDpiAwareness();

}  // namespace tintspot::win32
