// TfrmMain's window: the window class, the window procedure and the small
// translations from Windows messages to the core's input functions.
#pragma once

#include <windows.h>

namespace tintspot::win32 {

class Shell;

bool RegisterMainWindowClass(HINSTANCE instance);
// Creates the main window, hidden, with its zoom list and tooltips.
HWND CreateMainWindow(Shell& shell);

}  // namespace tintspot::win32
