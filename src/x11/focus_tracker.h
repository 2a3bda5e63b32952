// Follows the keyboard focus between the program's windows and away from them.
//
// X reports focus changes per window, several for one change (the window left, its ancestors,
// the pointer's window) and some that change nothing (a keyboard grab's). The tracker takes
// only those that can mean a change, then asks the server where the focus is (after the event
// being handled, as the Win32 shell posts its activation message) and reports each real change
// once: which of the program's windows has it now, and whether the program has it at all.
#pragma once

// clang-format off
#include "xlib_names.h"  // first: before any of the core's headers
// clang-format on

#include <functional>

#include "event_loop.h"
#include "platform.h"

namespace tintspot::x11 {

class FocusTracker {
 public:
  struct Reports {
    std::function<ProgramWindow(Window)> window_of;
    // The focus moved from `before` to `now` (one of them may be None: another program).
    std::function<void(ProgramWindow now, ProgramWindow before)> moved;
    // The program became active or stopped being so.
    std::function<void(bool active)> activation;
  };

  FocusTracker(EventLoop& loop, Reports reports);

  // A FocusIn or FocusOut on one of the program's windows.
  void Noted(const XFocusChangeEvent& event);
  // Asks where the focus is now and reports any change at once.
  void CheckNow();
  // Where the focus is, as the server answers now.
  ProgramWindow AskFocused();
  // As last reported.
  ProgramWindow Focused() const { return focused_; }
  bool Active() const { return active_; }

 private:
  EventLoop& loop_;
  Reports reports_;
  bool pending_ = false;
  ProgramWindow focused_ = ProgramWindow::None;
  bool active_ = false;
};

}  // namespace tintspot::x11
