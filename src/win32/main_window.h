// TfrmMain's window: the window class, the window procedure and the small
// translations from Windows messages to the core's input functions.
#pragma once

#include <windows.h>

namespace tintspot::win32 {

class Shell;

bool RegisterMainWindowClass(HINSTANCE instance);
// Creates the main window, hidden, with its zoom list and tooltips.
HWND CreateMainWindow(Shell& shell);
// Shows the main window at the place start-up gave it, with the show state
// the program was started with (a maximized start gets the normal window).
void ShowMainWindow(HWND hwnd, int show);
// Places the (not minimized) window once more where Windows has it. On
// Windows this changes nothing. Under Wine with a window manager, Windows'
// idea of the place can part from the X window's: this makes the X window
// follow it again (Wine passes every placement on to X).
void PlaceMainWindowAgain(HWND hwnd);

}  // namespace tintspot::win32
