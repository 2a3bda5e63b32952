#include "pointer_rest.h"

#include <X11/extensions/XInput2.h>

namespace tintspot::x11 {

PointerRest::PointerRest(Display* display) : display_(display) {
  int event_base = 0, error_base = 0;
  if (!XQueryExtension(display_, "XInputExtension", &opcode_, &event_base, &error_base)) return;
  int major = 2, minor = 1;
  available_ = XIQueryVersion(display_, &major, &minor) == Success &&
               (major > 2 || (major == 2 && minor >= 1));
}

PointerRest::~PointerRest() { AskForReports(false); }

void PointerRest::AskForReports(bool on) {
  if (!available_ || on == asked_) return;
  unsigned char bits[XIMaskLen(XI_RawMotion)] = {};
  if (on) XISetMask(bits, XI_RawMotion);
  XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
  XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);
  asked_ = on;
}

bool PointerRest::HandleEvent(const XEvent& event) {
  if (!available_ || event.xcookie.type != GenericEvent || event.xcookie.extension != opcode_)
    return false;
  // A report may tell of motion from before the query that confirmed the rest: that only costs
  // one more query.
  if (event.xcookie.evtype == XI_RawMotion) resting_ = false;
  return true;
}

bool PointerRest::Resting() { return resting_ && ++answers_ < kAnswersBetweenQueries; }

void PointerRest::Queried(std::optional<ScreenPoint> at) {
  answers_ = 0;
  const bool same = at && last_ && *at == *last_;
  last_ = at;
  if (!same) {
    still_ = 0;
    resting_ = false;
    AskForReports(false);
    return;
  }
  ++still_;
  if (asked_) {
    // The request went out before this query: every later motion is reported.
    resting_ = true;
  } else if (still_ >= kStillQueries) {
    AskForReports(true);  // the next query confirms
  }
}

}  // namespace tintspot::x11
