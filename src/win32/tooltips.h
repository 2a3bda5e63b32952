// The main window's tooltips: one tool for each control that has a tooltip
// text in the layout, and no others.
#pragma once

#include <windows.h>

namespace tintspot::win32 {

HWND CreateMainTooltips(HWND main, HINSTANCE instance);

}  // namespace tintspot::win32
