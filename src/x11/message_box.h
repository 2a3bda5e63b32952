// The error box and the about box: a small dialog of the program's own (transient for the main
// window, centred on the work area of its monitor, as Wine centres a message box) with the text, an
// icon (error or information) and an OK button, as a Windows message box looks. Return, Escape and
// Space answer it, as do the OK button and the window manager's close. While it is open the loop
// goes on (ticks, repaints, posted tasks).
#pragma once

#include <X11/Xlib.h>

#include <string>

#include "event_loop.h"
#include "widget_events.h"

namespace tintspot::x11 {

enum class BoxIcon { Error, Information };

// Shows the box and returns when it has been answered. `owner` is the main window (0: none).
void RunMessageBox(EventLoop& loop, Window owner, const WidgetEvents& events,
                   const std::string& caption, const std::string& text, BoxIcon icon);
// The boxes open now, for the shell's window lookup (the core counts them as Other).
bool IsMessageBoxWindow(Window window);

}  // namespace tintspot::x11
