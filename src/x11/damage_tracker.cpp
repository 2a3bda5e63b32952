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
  available_ = true;
}

DamageTracker::~DamageTracker() { Watch(false); }

void DamageTracker::Watch(bool on) {
  if (on == (damage_ != 0)) return;
  if (on) {
    damage_ = XDamageCreate(display_, DefaultRootWindow(display_), XDamageReportRawRectangles);
  } else {
    XDamageDestroy(display_, damage_);
    damage_ = 0;
  }
  touched_.clear();
}

bool DamageTracker::HandleEvent(const XEvent& event) {
  if (!available_ || event.type != event_base_ + XDamageNotify) return false;
  const auto& notify = reinterpret_cast<const XDamageNotifyEvent&>(event);
  // Reports of a damage object already destroyed may still arrive; they tell nothing, nor do
  // reports of drawing the latest read has seen.
  if (notify.damage != damage_ || damage_ == 0) return true;
  ++reports_;
  if (notify.serial >= read_serial_)
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
  if (!available_) return true;
  // Only what Xlib has queued already: the reply to the tick's pointer query came behind the
  // reports of everything the server drew before it. Asking the connection for more would cost
  // a read at every tick; what arrives later is taken by the event loop before the next tick.
  XEvent event;
  while (XEventsQueued(display_, QueuedAlready) > 0 &&
         XCheckTypedEvent(display_, event_base_ + XDamageNotify, &event))
    HandleEvent(event);
  const bool same_area = asked_ && area == last_area_;
  const bool watched = damage_ != 0;
  const bool changed = everything_ || !same_area || !watched ||
                       std::any_of(touched_.begin(), touched_.end(),
                                   [&](const Rect& t) { return t.Intersects(area); });
  // While the area moves at every tick the screen is read anyway, and the reports (the
  // program's own window among them, redrawn at every tick) would cost the server and this
  // program a message each: the watch is kept only while the area stays. It starts at the
  // second tick on one area, whose read is the first that later ticks may stand on.
  Watch(same_area);
  touched_.clear();
  everything_ = false;
  asked_ = true;
  last_area_ = area;
  return changed;
}

}  // namespace tintspot::x11
