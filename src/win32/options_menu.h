// The options menu below the menu button: the maker's website and the about
// box. The items have no accelerator marks in their captions; C and A choose
// them all the same (WM_MENUCHAR).
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

  // Shows the menu with its top left corner at point and returns when it
  // has closed, with the command chosen.
  MenuCommand Track(HWND owner, ScreenPoint point);
  // The answer to WM_MENUCHAR while the menu is open.
  LRESULT MenuChar(WPARAM wParam, LPARAM lParam) const;

 private:
  HMENU menu_ = nullptr;
};

}  // namespace tintspot::win32
