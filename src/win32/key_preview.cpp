#include "key_preview.h"

#include "error_box.h"

namespace tintspot::win32 {
namespace {

bool Held(int key) { return GetKeyState(key) < 0; }

Key Offset(Key first, WPARAM from, WPARAM code) {
  return static_cast<Key>(static_cast<int>(first) + static_cast<int>(code - from));
}

}  // namespace

Key KeyOfVirtualKey(WPARAM code) {
  if (code >= 'A' && code <= 'Z') return Offset(Key::A, 'A', code);
  if (code >= '0' && code <= '9') return Offset(Key::Digit0, '0', code);
  if (code >= VK_F1 && code <= VK_F12) return Offset(Key::F1, VK_F1, code);
  if (code >= VK_NUMPAD0 && code <= VK_NUMPAD9) return Offset(Key::Numpad0, VK_NUMPAD0, code);
  if ((code >= VK_OEM_1 && code <= VK_OEM_3) || (code >= VK_OEM_4 && code <= VK_OEM_8) ||
      code == VK_OEM_102)
    return Key::Punctuation;
  switch (code) {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT: return Key::Shift;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL: return Key::Ctrl;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU: return Key::Alt;
    case VK_LWIN:
    case VK_RWIN: return Key::Super;
    case VK_SPACE: return Key::Space;
    case VK_TAB: return Key::Tab;
    case VK_RETURN: return Key::Enter;
    case VK_ESCAPE: return Key::Escape;
    case VK_BACK: return Key::Backspace;
    case VK_INSERT: return Key::Insert;
    case VK_DELETE: return Key::Delete;
    case VK_HOME: return Key::Home;
    case VK_END: return Key::End;
    case VK_PRIOR: return Key::PageUp;
    case VK_NEXT: return Key::PageDown;
    case VK_LEFT: return Key::Left;
    case VK_RIGHT: return Key::Right;
    case VK_UP: return Key::Up;
    case VK_DOWN: return Key::Down;
    case VK_CAPITAL: return Key::CapsLock;
    case VK_NUMLOCK: return Key::NumLock;
    case VK_SCROLL: return Key::ScrollLock;
    case VK_SNAPSHOT: return Key::PrintScreen;
    case VK_PAUSE: return Key::Pause;
    case VK_APPS: return Key::Menu;
    case VK_ADD: return Key::NumpadAdd;
    case VK_SUBTRACT: return Key::NumpadSubtract;
    case VK_MULTIPLY: return Key::NumpadMultiply;
    case VK_DIVIDE: return Key::NumpadDivide;
    case VK_DECIMAL: return Key::NumpadDecimal;
    default: return Key::Other;
  }
}

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

void PreviewKey(const MSG& message, const Win32Platform& platform, TfrmMain& core) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return;
  try {
    core.KeyPressed(platform.WindowOf(message.hwnd), KeyOfVirtualKey(message.wParam),
                    CurrentShiftState());
  } catch (...) {
    ShowBoundaryError(core);
  }
}

}  // namespace tintspot::win32
