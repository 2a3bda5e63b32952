// A window of the shell's widgets, drawn from a picture of its own: the popups (override-
// redirect, placed exactly, above everything, no window manager in between) and the message
// boxes (top-levels a window manager frames, transient for the main window). Each carries the
// program's name, class and process id, so the desktop (and the tests) count it as the
// program's. The picture is put into the window at every Expose and on Present.
#pragma once

#include <X11/Xlib.h>

#include <string>

#include "geometry.h"
#include "pixel_buffer.h"
#include "window_image.h"

namespace tintspot::x11 {

struct WidgetWindowSetup {
  Window parent = 0;  // 0: the root (a top-level); otherwise a child at `where` in the parent
  Rect where;         // in the parent's coordinates (root coordinates for a top-level)
  bool override_redirect = true;
  std::string name;  // WM_NAME and _NET_WM_NAME
  long events = 0;   // besides Expose
};

class WidgetWindow {
 public:
  WidgetWindow(Display* display, const WidgetWindowSetup& setup);
  ~WidgetWindow();
  WidgetWindow(const WidgetWindow&) = delete;
  WidgetWindow& operator=(const WidgetWindow&) = delete;

  Window id() const { return window_; }
  Display* display() const { return display_; }
  // The picture, as large as the window; draw into it, then Present.
  PixelBuffer& canvas() { return canvas_; }
  void Present();
  // Puts the picture back after an Expose (true when the event was one).
  bool HandleExpose(const XEvent& event);

  // A new place and size (the picture follows the size, its content undefined).
  void Place(const Rect& where);
  const Rect& where() const { return where_; }
  void Map();
  void Unmap();
  bool Mapped() const { return mapped_; }

 private:
  Display* display_;
  Window window_ = 0;
  GC gc_ = nullptr;
  WindowImage image_;
  PixelBuffer canvas_;
  Rect where_;
  bool top_level_ = false;
  bool mapped_ = false;
};

// Waits (handling nothing else) until `window` is viewable, at most `limit_ms`; a window must be
// before it can take the keyboard focus or a grab. False when it did not become viewable.
bool WaitViewable(Display* display, Window window, int limit_ms);

}  // namespace tintspot::x11
