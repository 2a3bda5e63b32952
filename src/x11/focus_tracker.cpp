#include "focus_tracker.h"

#include <utility>

namespace tintspot::x11 {

FocusTracker::FocusTracker(EventLoop& loop, Reports reports)
    : loop_(loop), reports_(std::move(reports)) {}

void FocusTracker::Noted(const XFocusChangeEvent& event) {
  // A grab of the keyboard (a menu's, a window manager's key binding) moves no focus, and the
  // events about the pointer's window under a focus set to the pointer root say nothing of ours.
  if (event.mode == NotifyGrab || event.mode == NotifyUngrab) return;
  if (event.detail == NotifyPointer || event.detail == NotifyPointerRoot ||
      event.detail == NotifyDetailNone)
    return;
  if (pending_) return;
  pending_ = true;
  loop_.Post([this] {
    pending_ = false;
    CheckNow();
  });
}

ProgramWindow FocusTracker::AskFocused() {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(loop_.display(), &focus, &revert);
  if (focus == 0 || focus == PointerRoot) return ProgramWindow::None;
  return reports_.window_of(focus);
}

void FocusTracker::CheckNow() {
  const ProgramWindow now = AskFocused();
  if (now != focused_) {
    const ProgramWindow before = focused_;
    focused_ = now;
    reports_.moved(now, before);
  }
  const bool active = focused_ != ProgramWindow::None;
  if (active != active_) {
    active_ = active;
    reports_.activation(active);
  }
}

}  // namespace tintspot::x11
