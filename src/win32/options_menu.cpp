#include "options_menu.h"

#include <string>

#include "options_menu_items.h"

namespace tintspot::win32 {
namespace {

// A menu item's command number: the command's own value (None is 0, which
// the menu answers when nothing was chosen).
UINT CommandNumber(MenuCommand command) { return static_cast<UINT>(command); }

}  // namespace

OptionsMenu::~OptionsMenu() {
  if (menu_) DestroyMenu(menu_);
}

MenuCommand OptionsMenu::Track(HWND owner, ScreenPoint point) {
  if (!menu_) {
    menu_ = CreatePopupMenu();
    if (!menu_) return MenuCommand::None;
    for (const OptionsMenuItem& item : kOptionsMenuItems) {
      if (item.separatorBefore) AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
      std::string text = item.text;
      text.insert(static_cast<std::size_t>(item.accelerator), 1, '&');
      AppendMenuA(menu_, MF_STRING, CommandNumber(item.command), text.c_str());
    }
  }
  // The owner must be the foreground window for Escape and clicks elsewhere
  // to dismiss the menu.
  SetForegroundWindow(owner);
  const UINT command = static_cast<UINT>(TrackPopupMenu(
      menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, 0, owner, nullptr));
  return CommandOf(MAKEWPARAM(command, 0), 0);
}

void OptionsMenu::Post(HWND owner, MenuCommand command) {
  PostMessageA(owner, WM_COMMAND, MAKEWPARAM(CommandNumber(command), 0), 0);
}

MenuCommand OptionsMenu::CommandOf(WPARAM wParam, LPARAM lParam) {
  if (lParam != 0 || HIWORD(wParam) != 0) return MenuCommand::None;  // a control's notification
  for (const OptionsMenuItem& item : kOptionsMenuItems)
    if (LOWORD(wParam) == CommandNumber(item.command)) return item.command;
  return MenuCommand::None;
}

}  // namespace tintspot::win32
