#include "move_loop.h"

#include <X11/keysym.h>

#include "root_pointer.h"
#include "shell.h"

namespace tintspot::x11 {

struct MoveLoop::Drag {
  Shell& shell;
  ScreenPoint grip;   // the pointer's place in the window when the drag began
  ScreenPoint start;  // the window's place then
  bool done = false;

  void PlaceAt(ScreenPoint pointer) {
    const Rect& placed = shell.state.placed;
    const Rect proposed =
        Rect::FromSize(pointer.x - grip.x, pointer.y - grip.y, placed.Width(), placed.Height());
    const ScreenPoint snapped = shell.core.SnapPosition(proposed);
    if (snapped == ScreenPoint{placed.left, placed.top}) return;
    shell.platform.MoveWindow(snapped);
  }

  // Every event of the main window while the drag lasts; true for those the drag takes.
  bool Take(XEvent& event) {
    if (done) return false;
    const Window main = shell.main.id();
    switch (event.type) {
      case MotionNotify: {
        if (event.xmotion.window != main) return false;
        // Only the latest place matters: the motions queued behind this one are merged.
        XEvent later;
        while (XCheckTypedWindowEvent(shell.display, main, MotionNotify, &later)) event = later;
        if ((event.xmotion.state & Button1Mask) == 0) {
          done = true;  // the release went elsewhere
          return true;
        }
        PlaceAt(ScreenPoint{event.xmotion.x_root, event.xmotion.y_root});
        return true;
      }
      case ButtonRelease:
        if (event.xbutton.button == Button1) {
          PlaceAt(ScreenPoint{event.xbutton.x_root, event.xbutton.y_root});
          done = true;
        }
        return true;
      case ButtonPress: return true;
      case KeyPress:
        if (XLookupKeysym(&event.xkey, 0) == XK_Escape) {
          shell.platform.MoveWindow(start);
          done = true;
        }
        return true;  // Windows' move loop takes the keys
      case KeyRelease: return true;
      case UnmapNotify:
        if (event.xunmap.window == main) done = true;
        return false;
      default: return false;
    }
  }
};

MoveLoop::MoveLoop(Shell& shell) : shell_(shell) {
  shell.loop.AddFilter([this](XEvent& event) { return drag_ != nullptr && drag_->Take(event); });
}

void MoveLoop::Run() {
  Shell& shell = shell_;
  if (drag_ != nullptr) return;
  const std::optional<ScreenPoint> pointer = QueryRootPointer(shell.display, shell.root);
  if (!pointer) return;
  const Window main = shell.main.id();
  constexpr unsigned kMask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  if (XGrabPointer(shell.display, main, False, kMask, GrabModeAsync, GrabModeAsync, 0, 0,
                   CurrentTime) != GrabSuccess)
    return;
  XGrabKeyboard(shell.display, main, False, GrabModeAsync, GrabModeAsync, CurrentTime);
  const Rect& placed = shell.state.placed;
  Drag drag{shell, ScreenPoint{pointer->x - placed.left, pointer->y - placed.top},
            ScreenPoint{placed.left, placed.top}};
  drag_ = &drag;
  shell.loop.RunUntil([&drag] { return drag.done; });
  drag_ = nullptr;
  XUngrabKeyboard(shell.display, CurrentTime);
  XUngrabPointer(shell.display, CurrentTime);
  XFlush(shell.display);
}

}  // namespace tintspot::x11
