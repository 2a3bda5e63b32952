// Translations of the main window's messages that need more than one call:
// what Windows hands over is unpacked here and passed to the core.
#pragma once

#include <windows.h>

namespace tintspot::win32 {

class Shell;

// WM_CREATE: the zoom list and the tooltips; -1 when the list cannot be made.
LRESULT CreateMainChildren(Shell& shell, HWND hwnd);
// WM_TIMER: one sampling tick, whose drawing reaches the window in one copy.
void TickMainWindow(Shell& shell);
// WM_PAINT: the retained scene, then the core's own repaint, double-buffered.
void PaintMainWindow(Shell& shell);
// WM_CAPTURECHANGED: the capture went to another window.
void CaptureChanged(Shell& shell, HWND hwnd, LPARAM lParam);
// WM_SETCURSOR: the cursor the core names for the control under the mouse.
LRESULT SetMainCursor(Shell& shell, HWND hwnd, WPARAM wParam, LPARAM lParam);
// WM_WINDOWPOSCHANGING: screen snap of every change of position.
void SnapWindowPos(Shell& shell, HWND hwnd, LPARAM lParam);
// WM_ACTIVATE: the main window becoming active closes the help popup, also
// when the popup lost the activation to another application before.
void MainActivated(Shell& shell, WPARAM wParam);
// WM_CLOSE: the close handler, then the window goes if it may.
void CloseMainWindow(Shell& shell, HWND hwnd);
// WM_DESTROY: the tooltips go with the main window, and so does the process.
void MainDestroyed(Shell& shell);

}  // namespace tintspot::win32
