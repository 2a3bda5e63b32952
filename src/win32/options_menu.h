// The options menu below the menu button, with the core's items.
#pragma once

#include <windows.h>

#include "geometry.h"
#include "platform.h"

namespace tintspot::win32 {

class OptionsMenu {
 public:
  OptionsMenu() = default;
  ~OptionsMenu();
  OptionsMenu(const OptionsMenu&) = delete;
  OptionsMenu& operator=(const OptionsMenu&) = delete;

  // Shows the menu with its top left corner at point and returns the item
  // chosen when it has closed (None when it was dismissed).
  MenuCommand Track(HWND owner, ScreenPoint point);
  // Posts an item to owner as the WM_COMMAND the menu would send.
  static void Post(HWND owner, MenuCommand command);
  // The item a WM_COMMAND of the menu names (None for any other command).
  static MenuCommand CommandOf(WPARAM wParam, LPARAM lParam);

 private:
  HMENU menu_ = nullptr;
};

}  // namespace tintspot::win32
