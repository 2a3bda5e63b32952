// The monitors of the display and their work areas, in root coordinates.
//
// From RandR 1.5's monitor list (the primary is the one RandR names primary), else from the
// Xinerama heads (the first is the primary), else the whole root as one monitor. The work area
// of each is the window manager's _NET_WORKAREA (of the current desktop) clipped to the
// monitor; the whole monitor where no manager sets one.
#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "geometry.h"

namespace tintspot::x11 {

struct MonitorInfo {
  Rect bounds;
  Rect work;
  bool primary = false;
};

// Exactly one entry is primary.
std::vector<MonitorInfo> ReadMonitors(Display* display);

// Tells when the monitors may have changed: RandR's screen change notification, and a new
// _NET_WORKAREA on the root.
class MonitorWatch {
 public:
  explicit MonitorWatch(Display* display);  // selects the events on the root
  // True for an event after which ReadMonitors should be asked again (it also brings Xlib's
  // idea of the screen size up to date).
  bool IsChange(XEvent& event) const;

 private:
  Display* display_;
  bool randr_ = false;
  int randr_event_base_ = 0;
  Atom workarea_ = 0;
};

}  // namespace tintspot::x11
