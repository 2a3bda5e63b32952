// The main window's sampling timer.
#pragma once

namespace tintspot::win32 {

class Shell;

// WM_TIMER: one sampling tick, whose drawing reaches the window in one copy.
void TickMainWindow(Shell& shell);

}  // namespace tintspot::win32
