// Knows whether anything was drawn on a rectangle of the screen since it was last read.
//
// A DAMAGE object on the root window in raw-rectangle mode, kept while the same rectangle is
// asked about tick after tick: the server reports every rectangle any client draws (into its
// own windows too), mapping and moving windows included. The server
// handles requests in order, so once a round trip to the server has returned (the tick's
// pointer query), every drawing it handled before has its report in Xlib's queue: Changed()
// takes the reports from there itself, so a change is seen by the first tick after it.
// A report carries the number of this program's last request the server had handled when it
// was made: reports from before the latest read are in that read and tell nothing new (the
// server reports the whole root when the watch begins). Without the DAMAGE extension every
// question answers "changed".
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

  bool Available() const { return available_; }

  // For the event loop: takes a damage report it has dequeued (true), false for other events.
  bool HandleEvent(const XEvent& event);
  // How many reports of drawing anywhere on the screen have come so far.
  unsigned long Reports() const { return reports_; }
  // Marks the whole screen changed (a display change, a lost report).
  void Invalidate() { everything_ = true; }

  // The screen is read from request `serial` on: what the server reported before it handled
  // that request is in the read.
  void ReadBegins(unsigned long serial) { read_serial_ = serial; }

  // True when something may have touched `area` since the last call of Changed(area), or
  // when `area` is not the rectangle asked last time, or was asked only once so far (what
  // touched it before is not known). Starts a new period for `area`.
  bool Changed(const Rect& area);

 private:
  void Add(const Rect& r);
  // Makes or destroys the damage object; either way nothing is known as touched.
  void Watch(bool on);

  Display* display_;
  bool available_ = false;  // the server has DAMAGE
  Damage damage_ = 0;       // while watching
  unsigned long read_serial_ = 0;
  unsigned long reports_ = 0;
  int event_base_ = 0;
  bool everything_ = true;
  bool asked_ = false;
  Rect last_area_;
  std::vector<Rect> touched_;  // reported since the last Changed()
};

}  // namespace tintspot::x11
