// X key events in the core's key vocabulary, as the Windows build names the same keys.
#pragma once

// clang-format off
#include "xlib_names.h"  // first: before any of the core's headers
// clang-format on

#include "keys.h"

namespace tintspot::x11 {

// The key of a key event: by the keysym of the key's first level (what is printed on it, as a
// Windows virtual key names the key rather than the character typed), Key::Other for a key
// without a name in the vocabulary.
Key KeyOfEvent(XKeyEvent& event);
Key KeyOfKeysym(KeySym keysym);
// The modifiers and buttons held during a press of `pressed`, from the event's state. X gives
// the state before the event; Windows counts a modifier key as held in its own key-down, so
// Ctrl pressed alone is a Ctrl press with Ctrl held (which does not lock).
ShiftState ShiftStateOf(unsigned int state, Key pressed);

}  // namespace tintspot::x11
