#include "options_menu.h"

namespace tintspot::win32 {
namespace {

constexpr UINT kSiteCommand = 1;
constexpr UINT kAboutCommand = 2;

}  // namespace

OptionsMenu::~OptionsMenu() {
  if (menu_) DestroyMenu(menu_);
}

void OptionsMenu::Track(HWND owner, ScreenPoint point) {
  if (!menu_) {
    menu_ = CreatePopupMenu();
    if (!menu_) return;
    AppendMenuA(menu_, MF_STRING, kSiteCommand, "&Chromawright Website");
    AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu_, MF_STRING, kAboutCommand, "&About Tintspot...");
  }
  // The owner must be the foreground window for Escape and clicks elsewhere
  // to dismiss the menu.
  SetForegroundWindow(owner);
  const UINT command = static_cast<UINT>(TrackPopupMenu(
      menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, 0, owner, nullptr));
  if (command != 0) PostMessageA(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

MenuCommand OptionsMenu::CommandOf(WPARAM wParam, LPARAM lParam) {
  if (lParam != 0 || HIWORD(wParam) != 0) return MenuCommand::None;  // a control's notification
  switch (LOWORD(wParam)) {
    case kSiteCommand: return MenuCommand::mnuPopSite;
    case kAboutCommand: return MenuCommand::mnuPopAbout;
    default: return MenuCommand::None;
  }
}

}  // namespace tintspot::win32
