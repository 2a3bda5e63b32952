// The zoom list, drawn by the shell as Windows draws a drop-down list of the zoom levels: the
// closed field (a child of the main window in the layout's place, 19 pixels high, the selected
// item in "Small Fonts" and the drop-down button) and the dropped list (an override-redirect
// window below the field: seven items of 11 pixels, the one under the pointer highlighted).
// Mouse and keys as on a Windows drop-down list: a press on the field drops the list down or
// closes it; a release on an item picks it; Up/Down (and Left/Right, Home/End, PageUp/PageDown)
// change the selection on the closed field; F4 and Alt+Down/Up drop and close; Return picks
// the highlighted item, Escape closes without picking; a press outside closes.
#pragma once

#include <X11/Xlib.h>

#include <functional>

#include "event_loop.h"
#include "keys.h"
#include "widget_events.h"

namespace tintspot::x11 {

class ZoomListBox {
 public:
  // `picked` runs when the user chose another item (not for Select).
  ZoomListBox(EventLoop& loop, Window parent, WidgetEvents events, std::function<void()> picked);
  ~ZoomListBox();
  ZoomListBox(const ZoomListBox&) = delete;
  ZoomListBox& operator=(const ZoomListBox&) = delete;

  Window field() const;
  Window drop_down() const;
  bool DroppedDown() const;

  int Selection() const;  // -1 when none
  void Select(int index);
  // A disabled list is drawn greyed and takes no input.
  void Enable(bool enabled);
  // Whether the field has the keyboard focus (it draws the focus look then).
  void SetFocused(bool focused);
  // A key press while the field has the focus, after the core has previewed it.
  void HandleKey(Key key, ShiftState shift);

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace tintspot::x11
