// Translations of the main window's mouse, activation and move messages that
// need more than one call: what Windows hands over is unpacked here and
// passed to the core.
#pragma once

#include <windows.h>

namespace tintspot::win32 {

class Shell;

// WM_CAPTURECHANGED: the capture went to another window.
void CaptureChanged(Shell& shell, HWND hwnd, LPARAM lParam);
// WM_SETCURSOR: the cursor the core names for the control under the mouse.
LRESULT SetMainCursor(Shell& shell, HWND hwnd, WPARAM wParam, LPARAM lParam);
// WM_WINDOWPOSCHANGING: screen snap of every change of position.
void SnapWindowPos(Shell& shell, HWND hwnd, LPARAM lParam);
// WM_ACTIVATE: the main window becoming active closes the help popup, also
// when the popup lost the activation to another application before.
void MainActivated(Shell& shell, WPARAM wParam);

}  // namespace tintspot::win32
