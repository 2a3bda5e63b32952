#include "xdriver.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "key_event_recorder.h"
#include "xdriver_internal.h"

namespace e2e {
namespace {

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// A channel of the visual: where its bits lie and how many there are.
struct Channel {
  unsigned long mask;
  int shift = 0, bits = 0;
  explicit Channel(unsigned long m) : mask(m) {
    while (mask != 0 && ((mask >> shift) & 1) == 0) ++shift;
    while (((mask >> (shift + bits)) & 1) != 0) ++bits;
  }
  // 8 bits to the channel's width and back, repeating the high bits into the low ones (so that
  // 255 is all ones and 0 all zeros at every width).
  unsigned long Pack(uint8_t value) const {
    unsigned long wide =
        bits <= 8 ? value >> (8 - bits) : (value << (bits - 8)) | (value >> (16 - bits));
    return (wide << shift) & mask;
  }
  uint8_t Unpack(unsigned long pixel) const {
    const unsigned long value = (pixel & mask) >> shift;
    if (bits >= 8) return uint8_t(value >> (bits - 8));
    unsigned long wide = 0;
    int filled = 0;
    for (; filled < 8; filled += bits) wide = (wide << bits) | value;
    return uint8_t(wide >> (filled - 8));
  }
};

}  // namespace

std::string ToString(const Rgb& c) {
  return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

std::string ToString(const Rect& r) {
  return std::to_string(r.width) + "x" + std::to_string(r.height) + "+" + std::to_string(r.x) +
         "+" + std::to_string(r.y);
}

XDriver::XDriver(const std::string& display_name) {
  display_ = XOpenDisplay(display_name.empty() ? nullptr : display_name.c_str());
  if (display_ == nullptr) throw std::runtime_error("cannot open X display '" + display_name + "'");
  int event, error, major, minor;
  if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
    XCloseDisplay(display_);
    throw std::runtime_error("X server has no XTEST extension");
  }
  root_ = DefaultRootWindow(display_);
  // A key held down by KeyDown stays one press however long the checks in between take (a
  // loaded machine would otherwise reach the server's repeat delay); RepeatKey turns the
  // auto-repeat on for its hold.
  XAutoRepeatOff(display_);
  Visual* visual = DefaultVisual(display_, DefaultScreen(display_));
  if (visual->c_class != TrueColor) {
    XCloseDisplay(display_);
    throw std::runtime_error("only TrueColor screens are supported");
  }
  InstallErrorHandler();
}

XDriver::~XDriver() {
  if (helper_ != 0) XDestroyWindow(display_, helper_);
  XCloseDisplay(display_);
}

int XDriver::ScreenWidth() const { return DisplayWidth(display_, DefaultScreen(display_)); }
int XDriver::ScreenHeight() const { return DisplayHeight(display_, DefaultScreen(display_)); }
void XDriver::Sync() { XSync(display_, False); }

unsigned long XDriver::PackPixel(Rgb c) const {
  Visual* v = DefaultVisual(display_, DefaultScreen(display_));
  return Channel(v->red_mask).Pack(c.r) | Channel(v->green_mask).Pack(c.g) |
         Channel(v->blue_mask).Pack(c.b);
}

Rgb XDriver::UnpackPixel(unsigned long pixel) const {
  Visual* v = DefaultVisual(display_, DefaultScreen(display_));
  return {Channel(v->red_mask).Unpack(pixel), Channel(v->green_mask).Unpack(pixel),
          Channel(v->blue_mask).Unpack(pixel)};
}

// ---- Pointer and buttons ----

void XDriver::MovePointer(int x, int y) {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
  Sync();
}

void XDriver::WarpPointer(int x, int y) {
  XWarpPointer(display_, None, root_, 0, 0, 0, 0, x, y);
  Sync();
}

Point XDriver::PointerPosition() {
  Window root_return, child;
  int root_x = 0, root_y = 0, win_x, win_y;
  unsigned mask;
  XQueryPointer(display_, root_, &root_return, &child, &root_x, &root_y, &win_x, &win_y, &mask);
  return {root_x, root_y};
}

void XDriver::ButtonDown(Button button) {
  XTestFakeButtonEvent(display_, static_cast<unsigned>(button), True, CurrentTime);
  Sync();
}

void XDriver::ButtonUp(Button button) {
  XTestFakeButtonEvent(display_, static_cast<unsigned>(button), False, CurrentTime);
  Sync();
  // A window manager may hold the pointer while it handles a press on a window (a synchronous
  // grab, replayed after): the release waits in the server until it lets go, while keys typed
  // meanwhile go through with the button still down. The release is done once the server's
  // pointer has the button up.
  const unsigned held = Button1Mask << (static_cast<unsigned>(button) - 1);
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    Window root_return, child;
    int root_x = 0, root_y = 0, win_x, win_y;
    unsigned mask = 0;
    XQueryPointer(display_, root_, &root_return, &child, &root_x, &root_y, &win_x, &win_y, &mask);
    if ((mask & held) == 0 || std::chrono::steady_clock::now() > give_up) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void XDriver::Click(Button button) {
  ButtonDown(button);
  ButtonUp(button);
}

void XDriver::DoubleClick(Button button, int gap_ms) {
  Click(button);
  SleepMs(gap_ms);
  Click(button);
}

// ---- Keys ----

KeyCode XDriver::KeyCodeFor(KeySym keysym, bool* needs_shift) {
  KeyCode code = XKeysymToKeycode(display_, keysym);
  if (code == 0) throw std::runtime_error("no key for keysym " + std::to_string(keysym));
  *needs_shift = XkbKeycodeToKeysym(display_, code, 0, 0) != keysym &&
                 XkbKeycodeToKeysym(display_, code, 0, 1) == keysym;
  return code;
}

void XDriver::KeyDown(KeySym keysym) {
  bool shift = false;
  KeyCode code = KeyCodeFor(keysym, &shift);
  if (shift) XTestFakeKeyEvent(display_, KeyCodeFor(XK_Shift_L, &shift), True, CurrentTime);
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  Sync();
}

void XDriver::KeyUp(KeySym keysym) {
  bool shift = false;
  KeyCode code = KeyCodeFor(keysym, &shift);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  if (shift) XTestFakeKeyEvent(display_, KeyCodeFor(XK_Shift_L, &shift), False, CurrentTime);
  Sync();
}

void XDriver::PressModifiers(unsigned modifiers, bool down) {
  const std::pair<unsigned, KeySym> keys[] = {
      {kCtrl, XK_Control_L}, {kShift, XK_Shift_L}, {kAlt, XK_Alt_L}};
  for (const auto& [flag, keysym] : keys) {
    if ((modifiers & flag) == 0) continue;
    bool unused = false;
    XTestFakeKeyEvent(display_, KeyCodeFor(keysym, &unused), down, CurrentTime);
  }
  Sync();
}

void XDriver::TapKey(KeySym keysym, unsigned modifiers) {
  PressModifiers(modifiers, true);
  KeyDown(keysym);
  KeyUp(keysym);
  PressModifiers(modifiers, false);
}

int XDriver::RepeatKey(KeySym keysym, int presses, unsigned modifiers) {
  // The X server repeats held keys itself and drops a second XTest press of a key that is
  // already down, so the key is held down under a known auto-repeat timing (presses at 0,
  // kDelayMs, kDelayMs + kIntervalMs ...) until the server has made `presses` presses of it,
  // counted as the server makes them, and released then. A clock of our own would not do: on a
  // loaded machine the server's repeats and our sleep drift apart.
  constexpr int kDelayMs = 200, kIntervalMs = 150;
  bool shift = false;
  KeyEventRecorder recorder(display_, KeyCodeFor(keysym, &shift));
  unsigned old_delay = 0, old_interval = 0;
  XkbGetAutoRepeatRate(display_, XkbUseCoreKbd, &old_delay, &old_interval);
  XkbSetAutoRepeatRate(display_, XkbUseCoreKbd, kDelayMs, kIntervalMs);
  XAutoRepeatOn(display_);
  PressModifiers(modifiers, true);
  KeyDown(keysym);
  recorder.WaitUntil([&] { return recorder.presses() >= presses; },
                     std::chrono::milliseconds(kDelayMs + presses * kIntervalMs + 10000));
  KeyUp(keysym);
  // Every press made before the release is recorded ahead of it.
  recorder.WaitUntil([&] { return recorder.releases() > 0; }, std::chrono::milliseconds(10000));
  PressModifiers(modifiers, false);
  XAutoRepeatOff(display_);
  XkbSetAutoRepeatRate(display_, XkbUseCoreKbd, old_delay, old_interval);
  Sync();
  return recorder.presses();
}

// ---- Screen ----

Image XDriver::Capture(const Rect& area) {
  XImage* image = XGetImage(display_, root_, area.x, area.y, unsigned(area.width),
                            unsigned(area.height), AllPlanes, ZPixmap);
  if (image == nullptr) throw std::runtime_error("XGetImage failed for " + ToString(area));
  Image result;
  result.width = area.width;
  result.height = area.height;
  result.pixels.reserve(size_t(area.width) * area.height);
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x)
      result.pixels.push_back(UnpackPixel(XGetPixel(image, x, y)));
  }
  XDestroyImage(image);
  return result;
}

Rgb XDriver::PixelAt(int x, int y) { return Capture({x, y, 1, 1}).pixels[0]; }

// ---- Windows ----

std::optional<std::string> XDriver::WindowName(Window window) {
  ErrorTrap trap(display_);
  std::optional<std::string> name;
  char* raw = nullptr;
  if (XFetchName(display_, window, &raw) && raw != nullptr) {
    name = raw;
    XFree(raw);
  } else {
    name = Utf8Property(display_, window, "_NET_WM_NAME");
  }
  return trap.Failed() ? std::nullopt : name;
}

std::optional<long> XDriver::WindowPid(Window window) {
  ErrorTrap trap(display_);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::optional<long> pid;
  if (XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_PID", False), 0, 1, False,
                         XA_CARDINAL, &type, &format, &count, &remaining, &data) == Success &&
      data != nullptr && format == 32 && count == 1) {
    pid = *reinterpret_cast<long*>(data);  // format-32 data arrives as longs
  }
  if (data != nullptr) XFree(data);
  return trap.Failed() ? std::nullopt : pid;
}

std::vector<Window> XDriver::TopLevelWindows() {
  std::vector<Window> found;
  for (Window child : Children(root_)) {
    // A reparenting window manager puts a frame between the root and each window it manages:
    // the frame's children that carry WM_STATE are the clients.
    std::vector<Window> clients;
    for (Window inner : Children(child)) {
      if (HasProperty(inner, "WM_STATE")) clients.push_back(inner);
    }
    if (clients.empty()) clients.push_back(child);
    found.insert(found.end(), clients.begin(), clients.end());
  }
  return found;
}

std::vector<Window> XDriver::Children(Window window) {
  ErrorTrap trap(display_);
  Window root_return = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  std::vector<Window> found;
  if (XQueryTree(display_, window, &root_return, &parent, &children, &count) && !trap.Failed())
    found.assign(children, children + count);
  if (children != nullptr) XFree(children);
  return found;
}

bool XDriver::HasProperty(Window window, const char* name) {
  ErrorTrap trap(display_);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  const bool ok =
      XGetWindowProperty(display_, window, XInternAtom(display_, name, False), 0, 0, False,
                         AnyPropertyType, &type, &format, &count, &remaining, &data) == Success;
  if (data != nullptr) XFree(data);
  return ok && !trap.Failed() && type != None;
}

bool XDriver::PointerGrabbed() {
  const int result = XGrabPointer(display_, root_, False, 0, GrabModeAsync, GrabModeAsync, None,
                                  None, CurrentTime);
  if (result == GrabSuccess) XUngrabPointer(display_, CurrentTime);
  Sync();
  return result == AlreadyGrabbed;
}

bool XDriver::WindowManagerRunning() {
  return XGetSelectionOwner(display_, XInternAtom(display_, "WM_S0", False)) != None;
}

std::vector<Window> XDriver::FindWindows(const std::string& name, bool viewable_only) {
  std::vector<Window> found;
  for (Window window : TopLevelWindows()) {
    if (viewable_only && !IsWindowViewable(window)) continue;
    if (WindowName(window) == name) found.push_back(window);
  }
  return found;
}

std::optional<Window> XDriver::FindWindow(const std::string& name, bool viewable_only) {
  auto found = FindWindows(name, viewable_only);
  if (found.empty()) return std::nullopt;
  return found.back();  // the topmost in stacking order
}

std::optional<Rect> XDriver::Geometry(Window window) {
  ErrorTrap trap(display_);
  XWindowAttributes attributes;
  Window child;
  int x = 0, y = 0;
  if (!XGetWindowAttributes(display_, window, &attributes) ||
      !XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child) || trap.Failed()) {
    return std::nullopt;
  }
  // The outer rectangle starts at the border's outer edge.
  return Rect{x - attributes.border_width, y - attributes.border_width,
              attributes.width + 2 * attributes.border_width,
              attributes.height + 2 * attributes.border_width};
}

bool XDriver::IsWindowViewable(Window window) {
  ErrorTrap trap(display_);
  XWindowAttributes attributes;
  bool ok = XGetWindowAttributes(display_, window, &attributes) != 0;
  return !trap.Failed() && ok && attributes.map_state == IsViewable;
}

bool XDriver::IsOverrideRedirect(Window window) {
  ErrorTrap trap(display_);
  XWindowAttributes attributes;
  bool ok = XGetWindowAttributes(display_, window, &attributes) != 0;
  return !trap.Failed() && ok && attributes.override_redirect;
}

void XDriver::Focus(Window window) {
  XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
  Sync();
}

Window XDriver::FocusedWindow() {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  return focus;
}

void XDriver::SendDeleteWindow(Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  ErrorTrap trap(display_);
  XSendEvent(display_, window, False, NoEventMask, &event);
  Sync();
}

std::vector<unsigned long> XDriver::Property32(Window window, const char* name) {
  ErrorTrap trap(display_);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> items;
  if (XGetWindowProperty(display_, window, XInternAtom(display_, name, False), 0, 1024, False,
                         AnyPropertyType, &type, &format, &count, &remaining, &data) == Success &&
      data != nullptr && format == 32) {
    const unsigned long* values =
        reinterpret_cast<unsigned long*>(data);  // longs, as Xlib has them
    items.assign(values, values + count);
  }
  if (data != nullptr) XFree(data);
  return trap.Failed() ? std::vector<unsigned long>{} : items;
}

unsigned long XDriver::AtomOf(const char* name) { return XInternAtom(display_, name, False); }

bool XDriver::IsInside(Window window, Window ancestor) {
  while (window != 0 && window != root_ && window != PointerRoot) {
    if (window == ancestor) return true;
    ErrorTrap trap(display_);
    Window root_return = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    const bool ok =
        XQueryTree(display_, window, &root_return, &parent, &children, &count) && !trap.Failed();
    if (children != nullptr) XFree(children);
    if (!ok) return false;
    window = parent;
  }
  return false;
}

void XDriver::SendRootMessage(Window window, const char* type, const std::vector<long>& data) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display_, type, False);
  event.xclient.format = 32;
  for (size_t i = 0; i < data.size() && i < 5; ++i) event.xclient.data.l[i] = data[i];
  XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  Sync();
}

}  // namespace e2e
