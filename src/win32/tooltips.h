// The main window's tooltips, as the core lists them.
#pragma once

#include <windows.h>

namespace tintspot::win32 {

HWND CreateMainTooltips(HWND main, HINSTANCE instance);

// Hands the main window's mouse moves, presses and releases to the tooltips,
// ahead of the window's own handling. (Tools that subclass the window would
// do the same, but would cost three property look-ups, each a wineserver
// round trip under Wine, for every message the window gets, timer ticks
// included.)
void RelayToTooltips(HWND tooltip, HWND main, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tintspot::win32
