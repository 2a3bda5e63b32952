// The program's error box: the error icon, the caption "Tintspot".
#pragma once

#include <windows.h>

#include <string>

#include "frm_main.h"

namespace tintspot::win32 {

// text is UTF-8.
void ShowErrorMessage(HWND owner, const std::string& text);

// For a catch-all at a window procedure or callback boundary: shows the
// exception in flight (call only inside a catch block).
void ShowBoundaryError(HWND owner);
// The same through the main window's core, which opens no further box while
// one of its error boxes is open.
void ShowBoundaryError(TfrmMain& core);

}  // namespace tintspot::win32
