// Plain 8-bit text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

#include "platform.h"

namespace tintspot::win32 {

// Replaces the clipboard's content with text (CF_TEXT, zero-terminated);
// CannotOpen when another program keeps the clipboard open.
ClipboardResult PutClipboardText(HWND owner, const std::string& text);

}  // namespace tintspot::win32
