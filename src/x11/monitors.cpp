#include "monitors.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

namespace tintspot::x11 {
namespace {

std::vector<MonitorInfo> FromRandr(Display* display, Window root) {
  std::vector<MonitorInfo> result;
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  if (!XRRQueryExtension(display, &event_base, &error_base) ||
      !XRRQueryVersion(display, &major, &minor) || major * 100 + minor < 105)
    return result;
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count);
  for (int i = 0; i < count; ++i) {
    const XRRMonitorInfo& m = monitors[i];
    result.push_back({Rect::FromSize(m.x, m.y, m.width, m.height), {}, m.primary != 0});
  }
  if (monitors != nullptr) XRRFreeMonitors(monitors);
  return result;
}

std::vector<MonitorInfo> FromXinerama(Display* display) {
  std::vector<MonitorInfo> result;
  int event_base = 0, error_base = 0;
  if (!XineramaQueryExtension(display, &event_base, &error_base) || !XineramaIsActive(display))
    return result;
  int count = 0;
  XineramaScreenInfo* screens = XineramaQueryScreens(display, &count);
  for (int i = 0; i < count; ++i) {
    const XineramaScreenInfo& s = screens[i];
    result.push_back({Rect::FromSize(s.x_org, s.y_org, s.width, s.height), {}, i == 0});
  }
  if (screens != nullptr) XFree(screens);
  return result;
}

// The current desktop's work area, if the window manager publishes one.
bool ReadWorkArea(Display* display, Window root, Rect* area) {
  auto cardinals = [&](const char* name, std::vector<long>* values) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, root, atom, 0, 1024, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) != Success)
      return false;
    if (type == XA_CARDINAL && format == 32 && data != nullptr) {
      const long* longs = reinterpret_cast<const long*>(data);
      values->assign(longs, longs + count);
    }
    if (data != nullptr) XFree(data);
    return !values->empty();
  };
  std::vector<long> work, desktop;
  if (!cardinals("_NET_WORKAREA", &work) || work.size() < 4) return false;
  size_t index = 0;
  if (cardinals("_NET_CURRENT_DESKTOP", &desktop) && size_t(desktop[0]) < work.size() / 4)
    index = size_t(desktop[0]);
  const long* w = &work[index * 4];
  *area = Rect::FromSize(int(w[0]), int(w[1]), int(w[2]), int(w[3]));
  return true;
}

Rect Clip(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return r.left < r.right && r.top < r.bottom ? r : Rect{};
}

}  // namespace

std::vector<MonitorInfo> ReadMonitors(Display* display) {
  const Window root = DefaultRootWindow(display);
  std::vector<MonitorInfo> monitors = FromRandr(display, root);
  if (monitors.empty()) monitors = FromXinerama(display);
  if (monitors.empty()) {
    const int screen = DefaultScreen(display);
    monitors.push_back(
        {Rect::FromSize(0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)),
         {},
         true});
  }
  auto primary = std::find_if(monitors.begin(), monitors.end(),
                              [](const MonitorInfo& m) { return m.primary; });
  if (primary == monitors.end()) primary = monitors.begin();
  for (auto& m : monitors) m.primary = &m == &*primary;

  Rect work;
  const bool have_work = ReadWorkArea(display, root, &work);
  for (auto& m : monitors) {
    m.work = have_work ? Clip(m.bounds, work) : m.bounds;
    // A work area that misses the monitor altogether says nothing about it.
    if (m.work.Width() == 0) m.work = m.bounds;
  }
  return monitors;
}

MonitorWatch::MonitorWatch(Display* display) : display_(display) {
  const Window root = DefaultRootWindow(display);
  int error_base = 0;
  randr_ = XRRQueryExtension(display, &randr_event_base_, &error_base) != 0;
  if (randr_) XRRSelectInput(display, root, RRScreenChangeNotifyMask);
  workarea_ = XInternAtom(display, "_NET_WORKAREA", False);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, root, &attributes);
  XSelectInput(display, root, attributes.your_event_mask | PropertyChangeMask);
}

bool MonitorWatch::IsChange(XEvent& event) const {
  if (randr_ && event.type == randr_event_base_ + RRScreenChangeNotify) {
    XRRUpdateConfiguration(&event);
    return true;
  }
  return event.type == PropertyNotify && event.xproperty.atom == workarea_;
}

}  // namespace tintspot::x11
