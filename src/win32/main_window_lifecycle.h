// The main window's creation, close and destruction: its child windows come
// and go with it, and the close asks the core first.
#pragma once

#include <windows.h>

namespace tintspot::win32 {

class Shell;

// WM_CREATE: the zoom list and the tooltips; -1 when the list cannot be made.
LRESULT CreateMainChildren(Shell& shell, HWND hwnd);
// WM_CLOSE: the close handler, then the window goes if it may.
void CloseMainWindow(Shell& shell, HWND hwnd);
// WM_DESTROY: the tooltips go with the main window, and so does the process.
void MainDestroyed(Shell& shell);

}  // namespace tintspot::win32
