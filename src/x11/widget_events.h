// What the shell hears of the events on a widget's own windows, beside what the widget does with
// them itself: the core previews every key press of every program window, and follows the
// focus as it moves between the program's windows and away.
#pragma once

#include <X11/Xlib.h>

#include <functional>

namespace tintspot::x11 {

struct WidgetEvents {
  // Every KeyPress on one of the widget's windows, before the widget handles it.
  std::function<void(XKeyEvent&)> key_press;
  // Every FocusIn and FocusOut on one of the widget's windows.
  std::function<void(XFocusChangeEvent&)> focus_change;

  // Hands a key press or a focus change on to the shell; false for any other event.
  bool Forward(XEvent& event) const {
    switch (event.type) {
      case KeyPress:
        if (key_press) key_press(event.xkey);
        return true;
      case FocusIn:
      case FocusOut:
        if (focus_change) focus_change(event.xfocus);
        return true;
      default: return false;
    }
  }
};

}  // namespace tintspot::x11
