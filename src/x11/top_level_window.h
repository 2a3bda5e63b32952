// The program's top-level window as window managers see it: borderless (_MOTIF_WM_HINTS
// without decorations), of a fixed size (minimum = maximum size hints), named in WM_NAME and
// _NET_WM_NAME, of class "tintspot"/"Tintspot", with _NET_WM_PID and the icon as _NET_WM_ICON;
// kept above other windows through _NET_WM_STATE_ABOVE, minimised through XIconifyWindow.
//
// Without a window manager (a plain X server) the window lies exactly where it asks, nothing
// decorates it, and the ABOVE state is the window's own property (raised when set).
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

#include "icon_file.h"

namespace tintspot::x11 {

class TopLevelWindow {
 public:
  static constexpr long kEventMask =
      ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
      KeyReleaseMask | FocusChangeMask | StructureNotifyMask | EnterWindowMask | LeaveWindowMask;

  // Creates the window (not yet shown) at x, y in root coordinates.
  TopLevelWindow(Display* display, int x, int y, int width, int height, const std::string& title,
                 const std::vector<ArgbImage>& icons, long event_mask = kEventMask);
  ~TopLevelWindow();
  TopLevelWindow(const TopLevelWindow&) = delete;
  TopLevelWindow& operator=(const TopLevelWindow&) = delete;

  Window id() const { return window_; }
  // The atom of WM_DELETE_WINDOW, whose client message asks the program to close.
  Atom delete_message() const { return wm_delete_; }

  void Show();
  void Minimize();
  void MoveTo(int x, int y);
  // A new fixed size (the size hints follow).
  void Resize(int width, int height);
  // The serial of the latest move or resize asked for: a configure notice of a smaller serial
  // was made before the server saw that request, and tells of a place or size since replaced.
  unsigned long placement_asked() const { return placement_asked_; }
  void SetTitle(const std::string& title);
  void SetAlwaysOnTop(bool above);
  // Whether an EWMH window manager runs (its check window on the root names itself).
  bool WindowManagerRuns() const;

 private:
  void SetSizeHints(int x, int y, int width, int height);
  void SetIcons(const std::vector<ArgbImage>& icons);
  void SetNoDecorations();

  Display* display_;
  Window window_ = 0;
  Atom wm_delete_ = 0;
  bool mapped_ = false;
  unsigned long placement_asked_ = 0;
};

}  // namespace tintspot::x11
