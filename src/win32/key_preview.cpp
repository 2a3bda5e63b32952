#include "key_preview.h"

#include "error_box.h"

namespace tintspot::win32 {
namespace {

bool Held(int key) { return GetKeyState(key) < 0; }

}  // namespace

ShiftState CurrentShiftState() {
  ShiftState state;
  state.shift = Held(VK_SHIFT);
  state.alt = Held(VK_MENU);
  state.ctrl = Held(VK_CONTROL);
  state.left = Held(VK_LBUTTON);
  state.right = Held(VK_RBUTTON);
  state.middle = Held(VK_MBUTTON);
  return state;
}

void PreviewKey(const MSG& message, HWND main, HWND zoomList, TfrmMain& core) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return;
  if (!message.hwnd || (message.hwnd != main && message.hwnd != zoomList)) return;
  try {
    core.KeyDown(static_cast<std::uint16_t>(message.wParam), CurrentShiftState());
  } catch (...) {
    ShowBoundaryError(core);
  }
}

}  // namespace tintspot::win32
