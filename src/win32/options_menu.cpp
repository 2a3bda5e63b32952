#include "options_menu.h"

namespace tintspot::win32 {
namespace {

constexpr UINT kSiteCommand = 1;
constexpr UINT kAboutCommand = 2;
constexpr int kSiteIndex = 0;  // item positions, the separator between them
constexpr int kAboutIndex = 2;

}  // namespace

OptionsMenu::~OptionsMenu() {
  if (menu_) DestroyMenu(menu_);
}

MenuCommand OptionsMenu::Track(HWND owner, ScreenPoint point) {
  if (!menu_) {
    menu_ = CreatePopupMenu();
    if (!menu_) return MenuCommand::None;
    AppendMenuA(menu_, MF_STRING, kSiteCommand, "Chromawright Website");
    AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu_, MF_STRING, kAboutCommand, "About Tintspot...");
  }
  // The owner must be the foreground window for Escape and clicks elsewhere
  // to dismiss the menu.
  SetForegroundWindow(owner);
  const UINT command = static_cast<UINT>(TrackPopupMenu(
      menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, 0, owner, nullptr));
  if (command == kSiteCommand) return MenuCommand::mnuPopSite;
  if (command == kAboutCommand) return MenuCommand::mnuPopAbout;
  return MenuCommand::None;
}

LRESULT OptionsMenu::MenuChar(WPARAM wParam, LPARAM lParam) const {
  if (menu_ && reinterpret_cast<HMENU>(lParam) == menu_) {
    switch (LOWORD(wParam)) {
      case 'c':
      case 'C': return MAKELRESULT(kSiteIndex, MNC_EXECUTE);
      case 'a':
      case 'A': return MAKELRESULT(kAboutIndex, MNC_EXECUTE);
      default: break;
    }
  }
  return MAKELRESULT(0, MNC_IGNORE);
}

}  // namespace tintspot::win32
