// The handles of the program's windows and of the resources they share.
#pragma once

#include <windows.h>

namespace tintspot::win32 {

// Posted by the main window to itself when the application's activation
// changes, so that the title exchange runs just after the change.
constexpr UINT WM_APP_ACTIVATION = WM_APP + 1;
// Posted by the main window to itself when the desktop changed its size.
constexpr UINT WM_APP_RESTORE_SIZE = WM_APP + 2;

constexpr UINT_PTR kSamplingTimerId = 1;

struct ShellWindows {
  HINSTANCE instance = nullptr;
  HWND main = nullptr;
  HWND tooltip = nullptr;
  HCURSOR arrowCursor = nullptr;
  HCURSOR handCursor = nullptr;     // resource HAND, over the copyable readouts
  HCURSOR dropperCursor = nullptr;  // resource DROPPER, over the magnifier view
};

}  // namespace tintspot::win32
