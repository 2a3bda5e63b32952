// The help popup: an override-redirect window above every other, drawn from the core's help
// content (background, border, the items in their faces, wrapped as DrawText wraps them). When
// shown it takes the keyboard focus; the shell learns of the focus leaving it through `events`
// (and tells the core where the focus went).
#pragma once

#include <X11/Xlib.h>

#include "event_loop.h"
#include "geometry.h"
#include "widget_events.h"

namespace tintspot::x11 {

class HelpPopupWindow {
 public:
  HelpPopupWindow(EventLoop& loop, WidgetEvents events);
  ~HelpPopupWindow();
  HelpPopupWindow(const HelpPopupWindow&) = delete;
  HelpPopupWindow& operator=(const HelpPopupWindow&) = delete;

  void Show(ScreenPoint top_left);
  void Hide();
  void Destroy();
  bool Shown() const;
  Window window() const;  // 0 once destroyed

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace tintspot::x11
