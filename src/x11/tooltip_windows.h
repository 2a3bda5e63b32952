// The main window's tooltips as small override-redirect windows: after the pointer has rested
// over a control with a tooltip for the desktop's initial delay (500 ms), its text shows in a
// box below the pointer (as Windows places a tooltip: 20 pixels below the hot spot, kept on the
// monitor); it goes on a press, when the pointer leaves the control or the window, and after
// its display time (5 s).
#pragma once

#include <X11/Xlib.h>

#include "event_loop.h"
#include "geometry.h"

namespace tintspot::x11 {

class TooltipWindows {
 public:
  TooltipWindows(EventLoop& loop, Window main);
  ~TooltipWindows();
  TooltipWindows(const TooltipWindows&) = delete;
  TooltipWindows& operator=(const TooltipWindows&) = delete;

  // What the main window saw: the pointer moving to a client point (at `root`), a press or a
  // release, the pointer leaving the window. Called by the shell's main-window handler.
  void PointerMoved(ScreenPoint client, ScreenPoint root);
  void ButtonPressed();
  void PointerLeft();
  // Called from every tick of the loop (the timer is the loop's): shows or hides on time.
  void Update();
  Window window() const;  // the tooltip's window (0 until first shown)

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace tintspot::x11
