#include "damage_tracker.h"

#include <algorithm>

namespace tintspot::x11 {
namespace {

// Beyond this many rectangles between two reads they are merged into their bounding box.
constexpr size_t kMaxRectangles = 64;

}  // namespace

DamageTracker::DamageTracker(Display* display) : display_(display) {
  int error_base = 0;
  if (!XDamageQueryExtension(display_, &event_base_, &error_base)) return;
  int major = 0, minor = 0;
  XDamageQueryVersion(display_, &major, &minor);
  damage_ = XDamageCreate(display_, DefaultRootWindow(display_), XDamageReportRawRectangles);
}

DamageTracker::~DamageTracker() {
  if (damage_ != 0) XDamageDestroy(display_, damage_);
}

bool DamageTracker::HandleEvent(const XEvent& event) {
  if (damage_ == 0 || event.type != event_base_ + XDamageNotify) return false;
  const auto& notify = reinterpret_cast<const XDamageNotifyEvent&>(event);
  Add(Rect::FromSize(notify.area.x, notify.area.y, notify.area.width, notify.area.height));
  return true;
}

void DamageTracker::Add(const Rect& r) {
  if (touched_.size() < kMaxRectangles) {
    touched_.push_back(r);
    return;
  }
  Rect box = r;
  for (const Rect& t : touched_) {
    box = Rect{std::min(box.left, t.left), std::min(box.top, t.top), std::max(box.right, t.right),
               std::max(box.bottom, t.bottom)};
  }
  touched_.assign(1, box);
}

bool DamageTracker::Changed(const Rect& area) {
  if (damage_ == 0) return true;
  // Only what Xlib has queued already: the reply to the tick's pointer query came behind the
  // reports of everything the server drew before it. Asking the connection for more would cost
  // a read at every tick; what arrives later is taken by the event loop before the next tick.
  XEvent event;
  while (XEventsQueued(display_, QueuedAlready) > 0 &&
         XCheckTypedEvent(display_, event_base_ + XDamageNotify, &event))
    HandleEvent(event);
  const bool changed = everything_ || !asked_ || !(area == last_area_) ||
                       std::any_of(touched_.begin(), touched_.end(),
                                   [&](const Rect& t) { return t.Intersects(area); });
  touched_.clear();
  everything_ = false;
  asked_ = true;
  last_area_ = area;
  return changed;
}

}  // namespace tintspot::x11
