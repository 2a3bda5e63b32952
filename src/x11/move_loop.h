// The title drag: the program's own window-moving loop.
//
// Not _NET_WM_MOVERESIZE: with it the window manager moves the window and the program learns
// of each place only afterwards, so it cannot snap a place before it shows (the window would
// jump back and forth at the work area's edges), and a plain X server has no manager to ask.
// Here the pointer is grabbed, every motion's place goes through the core's snap before the
// window moves there, and the loop runs nested in the one event loop, so the ticks go on while
// the window moves, as they do in Windows' move loop.
#pragma once

namespace tintspot::x11 {

struct Shell;

class MoveLoop {
 public:
  // Installs the loop's event filter (it takes events only while a drag runs).
  explicit MoveLoop(Shell& shell);
  MoveLoop(const MoveLoop&) = delete;
  MoveLoop& operator=(const MoveLoop&) = delete;

  // Runs until the left button is released (Escape puts the window back where it was);
  // returns at once when the pointer cannot be grabbed.
  void Run();
  bool Running() const { return drag_ != nullptr; }

 private:
  struct Drag;
  Shell& shell_;
  Drag* drag_ = nullptr;  // the drag under way
};

}  // namespace tintspot::x11
