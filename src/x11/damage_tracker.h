// Knows whether anything was drawn on a rectangle of the screen since it was last read.
//
// A DAMAGE object on the root window in raw-rectangle mode: the server reports every rectangle
// any client draws (into its own windows too), mapping and moving windows included. The server
// handles requests in order, so once a round trip to the server has returned (the tick's
// pointer query), every drawing it handled before has its report in Xlib's queue: Changed()
// takes the reports from there itself, so a change is seen by the first tick after it.
// Without the DAMAGE extension every question answers "changed".
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <vector>

#include "geometry.h"

namespace tintspot::x11 {

class DamageTracker {
 public:
  explicit DamageTracker(Display* display);
  ~DamageTracker();
  DamageTracker(const DamageTracker&) = delete;
  DamageTracker& operator=(const DamageTracker&) = delete;

  bool Available() const { return damage_ != 0; }

  // For the event loop: takes a damage report it has dequeued (true), false for other events.
  bool HandleEvent(const XEvent& event);
  // Marks the whole screen changed (a display change, a lost report).
  void Invalidate() { everything_ = true; }

  // True when something may have touched `area` since the last call of Changed(area), or
  // when `area` is not the rectangle asked last time (what touched it before is not known).
  // Starts a new period for `area`.
  bool Changed(const Rect& area);

 private:
  void Add(const Rect& r);

  Display* display_;
  Damage damage_ = 0;
  int event_base_ = 0;
  bool everything_ = true;
  bool asked_ = false;
  Rect last_area_;
  std::vector<Rect> touched_;  // reported since the last Changed()
};

}  // namespace tintspot::x11
