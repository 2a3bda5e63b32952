// The options menu: a popup window of the menu's items (their texts, accelerators and the
// separator, as Windows draws a popup menu) under a pointer and keyboard grab. The item under
// the pointer is highlighted; a release on an item chooses it; Up/Down move the highlight,
// Return chooses, Escape, a press outside or the loss of the grab dismiss; an item's
// accelerator key chooses it.
#pragma once

// The core's headers before Xlib's, whose macros None and CursorShape would replace names in them.
// clang-format off
#include "geometry.h"
#include "platform.h"
#include <X11/Xlib.h>
// clang-format on

#include "event_loop.h"
#include "widget_events.h"

namespace tintspot::x11 {

class OptionsMenuPopup {
 public:
  OptionsMenuPopup(EventLoop& loop, WidgetEvents events);
  ~OptionsMenuPopup();
  OptionsMenuPopup(const OptionsMenuPopup&) = delete;
  OptionsMenuPopup& operator=(const OptionsMenuPopup&) = delete;

  // Shows the menu with its top left at `top_left` (moved onto the monitor as Windows moves a
  // menu that would cross its edge) and runs the loop until it closes; the item chosen, None
  // when dismissed. Ticks and repaints go on meanwhile.
  MenuCommand Track(ScreenPoint top_left);
  // The menu's window while it is open (0 otherwise).
  Window window() const;

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace tintspot::x11
