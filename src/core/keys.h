// The core's key vocabulary: the keys a shell reports, whatever numbers its
// desktop gives them. A shell maps each of its key codes onto one of these;
// a key it has no name for is Key::Other, which the core treats like any
// other ordinary key (it locks and unlocks).
#pragma once

#include <cstdint>

namespace tintspot {

// clang-format off
enum class Key : std::uint8_t {
  Other,
  // Letters and digits.
  A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
  Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
  // Modifiers, left and right alike.
  Shift, Ctrl, Alt, Super,
  // Editing and moving.
  Space, Tab, Enter, Escape, Backspace, Insert, Delete, Home, End, PageUp, PageDown,
  Left, Right, Up, Down,
  // Function keys.
  F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
  // Locks and the rest of the keyboard's fixed keys.
  CapsLock, NumLock, ScrollLock, PrintScreen, Pause, Menu,
  // The numeric keypad's digits and operators, and the punctuation keys.
  Numpad0, Numpad1, Numpad2, Numpad3, Numpad4, Numpad5, Numpad6, Numpad7, Numpad8, Numpad9,
  NumpadAdd, NumpadSubtract, NumpadMultiply, NumpadDivide, NumpadDecimal,
  Punctuation,
};
// clang-format on

// Modifier keys and mouse buttons held during a key press.
struct ShiftState {
  bool shift = false;
  bool alt = false;
  bool ctrl = false;
  bool left = false;
  bool right = false;
  bool middle = false;
};

}  // namespace tintspot
