// Key preview: the main window's key handler sees every key-down meant for
// the main window or its zoom list before the zoom list does.
#pragma once

#include <windows.h>

#include "frm_main.h"

namespace tintspot::win32 {

// Called by the message loop for every message before it is dispatched; the
// message is never consumed.
void PreviewKey(const MSG& message, HWND main, HWND zoomList, TfrmMain& core);

// The modifier keys and mouse buttons held now.
ShiftState CurrentShiftState();

}  // namespace tintspot::win32
