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

  // Shows the menu with its top left corner at point and returns when it has
  // closed. A chosen item is posted to owner as WM_COMMAND, so that it runs
  // after the caller has finished with the menu.
  void Track(HWND owner, ScreenPoint point);
  // The item a WM_COMMAND of the menu names (None for any other command).
  static MenuCommand CommandOf(WPARAM wParam, LPARAM lParam);

 private:
  HMENU menu_ = nullptr;
};

}  // namespace tintspot::win32
