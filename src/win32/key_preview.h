// Key preview: every key-down the message loop takes out of the queue goes
// to the core first, with the window it is meant for, in the core's key
// vocabulary; the core decides which of them act.
#pragma once

#include <windows.h>

#include "frm_main.h"
#include "keys.h"
#include "win32_platform.h"

namespace tintspot::win32 {

// Called by the message loop for every message before it is dispatched; the
// message is never consumed.
void PreviewKey(const MSG& message, const Win32Platform& platform, TfrmMain& core);

// The core's name for a virtual-key code.
Key KeyOfVirtualKey(WPARAM virtualKey);

// The modifier keys and mouse buttons held now.
ShiftState CurrentShiftState();

}  // namespace tintspot::win32
