#include "widget_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace tintspot::x11 {
namespace {

void SetProgramProperties(Display* display, Window window, const std::string& name) {
  XStoreName(display, window, name.c_str());
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(name.data()),
                  int(name.size()));
  const long pid = long(getpid());
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
  XClassHint hint{const_cast<char*>("tintspot"), const_cast<char*>("Tintspot")};
  XSetClassHint(display, window, &hint);
}

}  // namespace

WidgetWindow::WidgetWindow(Display* display, const WidgetWindowSetup& setup)
    : display_(display), image_(display), where_(setup.where), top_level_(setup.parent == 0) {
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = setup.override_redirect ? True : False;
  attributes.event_mask = ExposureMask | setup.events;
  attributes.background_pixmap = None;
  attributes.save_under = setup.override_redirect ? True : False;
  const Window parent = top_level_ ? RootWindow(display, screen) : setup.parent;
  window_ = XCreateWindow(
      display, parent, where_.left, where_.top, unsigned(std::max(where_.Width(), 1)),
      unsigned(std::max(where_.Height(), 1)), 0, CopyFromParent, InputOutput, CopyFromParent,
      CWOverrideRedirect | CWEventMask | CWBackPixmap | CWSaveUnder, &attributes);
  if (top_level_) SetProgramProperties(display, window_, setup.name);
  gc_ = XCreateGC(display, window_, 0, nullptr);
  canvas_ = PixelBuffer(where_.Width(), where_.Height());
}

WidgetWindow::~WidgetWindow() {
  if (gc_ != nullptr) XFreeGC(display_, gc_);
  if (window_ != 0) XDestroyWindow(display_, window_);
}

void WidgetWindow::Present() { image_.PutBuffer(window_, gc_, canvas_, 0, 0); }

bool WidgetWindow::HandleExpose(const XEvent& event) {
  if (event.type != Expose) return false;
  // One put for the whole series of rectangles of one exposure.
  if (event.xexpose.count == 0) Present();
  return true;
}

void WidgetWindow::Place(const Rect& where) {
  if (where.Width() != where_.Width() || where.Height() != where_.Height())
    canvas_ = PixelBuffer(where.Width(), where.Height());
  where_ = where;
  XMoveResizeWindow(display_, window_, where.left, where.top, unsigned(std::max(where.Width(), 1)),
                    unsigned(std::max(where.Height(), 1)));
}

void WidgetWindow::Map() {
  if (mapped_) return;
  if (top_level_) {
    XMapRaised(display_, window_);
  } else {
    XMapWindow(display_, window_);
  }
  mapped_ = true;
}

void WidgetWindow::Unmap() {
  if (!mapped_) return;
  XUnmapWindow(display_, window_);
  mapped_ = false;
}

bool WaitViewable(Display* display, Window window, int limit_ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limit_ms);
  while (true) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) != 0 &&
        attributes.map_state == IsViewable)
      return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace tintspot::x11
