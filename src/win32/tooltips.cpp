#include "tooltips.h"

#include <commctrl.h>

#include "gdi_util.h"
#include "tooltip_rules.h"

namespace tintspot::win32 {

HWND CreateMainTooltips(HWND main, HINSTANCE instance) {
  // The tooltip window has no owner: a topmost window owned by the main
  // window can keep the main window itself from becoming topmost (seen with
  // Wine), and the tools work on the main window all the same.
  HWND tooltip =
      CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!tooltip) return nullptr;
  for (const Tooltip& tip : MainTooltips()) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = 0;  // the main window relays its mouse messages itself
    tool.hwnd = main;
    tool.uId = static_cast<UINT_PTR>(tip.id);
    tool.rect = ToRECT(tip.bounds);
    tool.hinst = instance;
    tool.lpszText = const_cast<char*>(tip.text);
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return tooltip;
}

void RelayToTooltips(HWND tooltip, HWND main, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: break;
    default: return;
  }
  if (!tooltip) return;
  const DWORD position = GetMessagePos();
  MSG relayed{main,
              message,
              wParam,
              lParam,
              static_cast<DWORD>(GetMessageTime()),
              POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))}};
  SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace tintspot::win32
