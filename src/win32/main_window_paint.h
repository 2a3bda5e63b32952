// The main window's repaint.
#pragma once

namespace tintspot::win32 {

class Shell;

// WM_PAINT: the retained scene, then the core's own repaint, double-buffered.
void PaintMainWindow(Shell& shell);

}  // namespace tintspot::win32
