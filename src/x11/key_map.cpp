#include "key_map.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace tintspot::x11 {
namespace {

Key Offset(Key first, KeySym from, KeySym keysym) {
  return static_cast<Key>(static_cast<int>(first) + static_cast<int>(keysym - from));
}

}  // namespace

Key KeyOfKeysym(KeySym keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return Offset(Key::A, XK_a, keysym);
  if (keysym >= XK_A && keysym <= XK_Z) return Offset(Key::A, XK_A, keysym);
  if (keysym >= XK_0 && keysym <= XK_9) return Offset(Key::Digit0, XK_0, keysym);
  if (keysym >= XK_F1 && keysym <= XK_F12) return Offset(Key::F1, XK_F1, keysym);
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return Offset(Key::Numpad0, XK_KP_0, keysym);
  switch (keysym) {
    case XK_Shift_L:
    case XK_Shift_R: return Key::Shift;
    case XK_Control_L:
    case XK_Control_R: return Key::Ctrl;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
    case XK_ISO_Level3_Shift: return Key::Alt;  // AltGr is Ctrl+Alt on Windows; Alt here
    case XK_Super_L:
    case XK_Super_R: return Key::Super;
    case XK_space: return Key::Space;
    case XK_Tab:
    case XK_ISO_Left_Tab: return Key::Tab;
    case XK_Return:
    case XK_KP_Enter: return Key::Enter;
    case XK_Escape: return Key::Escape;
    case XK_BackSpace: return Key::Backspace;
    case XK_Insert: return Key::Insert;
    case XK_Delete: return Key::Delete;
    case XK_Home: return Key::Home;
    case XK_End: return Key::End;
    case XK_Prior: return Key::PageUp;
    case XK_Next: return Key::PageDown;
    case XK_Left: return Key::Left;
    case XK_Right: return Key::Right;
    case XK_Up: return Key::Up;
    case XK_Down: return Key::Down;
    case XK_Caps_Lock: return Key::CapsLock;
    case XK_Num_Lock: return Key::NumLock;
    case XK_Scroll_Lock: return Key::ScrollLock;
    case XK_Print: return Key::PrintScreen;
    case XK_Pause: return Key::Pause;
    case XK_Menu: return Key::Menu;
    case XK_KP_Add: return Key::NumpadAdd;
    case XK_KP_Subtract: return Key::NumpadSubtract;
    case XK_KP_Multiply: return Key::NumpadMultiply;
    case XK_KP_Divide: return Key::NumpadDivide;
    case XK_KP_Decimal:
    case XK_KP_Separator: return Key::NumpadDecimal;
    // The keypad without Num Lock: Windows reports the navigation keys.
    case XK_KP_Home: return Key::Home;
    case XK_KP_End: return Key::End;
    case XK_KP_Prior: return Key::PageUp;
    case XK_KP_Next: return Key::PageDown;
    case XK_KP_Left: return Key::Left;
    case XK_KP_Right: return Key::Right;
    case XK_KP_Up: return Key::Up;
    case XK_KP_Down: return Key::Down;
    case XK_KP_Insert: return Key::Insert;
    case XK_KP_Delete: return Key::Delete;
    default: break;
  }
  // The punctuation keys of a US keyboard, the keys Windows gives the OEM codes.
  if ((keysym >= XK_exclam && keysym <= XK_slash) || (keysym >= XK_colon && keysym <= XK_at) ||
      (keysym >= XK_bracketleft && keysym <= XK_quoteleft) ||
      (keysym >= XK_braceleft && keysym <= XK_asciitilde) || keysym == XK_less)
    return Key::Punctuation;
  return Key::Other;
}

Key KeyOfEvent(XKeyEvent& event) {
  // Level 0 names the key; the keypad's digits come at level 1 with Num Lock (level 0 is the
  // navigation key), so with Num Lock on the keypad is looked up as typed.
  const KeySym base = XkbKeycodeToKeysym(event.display, KeyCode(event.keycode), 0, 0);
  if (base >= XK_KP_Space && base <= XK_KP_Equal) {
    KeySym typed = NoSymbol;
    XLookupString(&event, nullptr, 0, &typed, nullptr);
    if (typed != NoSymbol) return KeyOfKeysym(typed);
  }
  return KeyOfKeysym(base);
}

ShiftState ShiftStateOf(unsigned int state, Key pressed) {
  ShiftState shift;
  shift.shift = (state & ShiftMask) != 0 || pressed == Key::Shift;
  shift.ctrl = (state & ControlMask) != 0 || pressed == Key::Ctrl;
  shift.alt = (state & Mod1Mask) != 0 || pressed == Key::Alt;
  shift.left = (state & Button1Mask) != 0;
  shift.middle = (state & Button2Mask) != 0;
  shift.right = (state & Button3Mask) != 0;
  return shift;
}

}  // namespace tintspot::x11
