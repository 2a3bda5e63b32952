// How raw mouse buttons become the press, release, click and double-click
// events of the main window's controls. One set of rules serves every
// picture, label and paint box:
// - a press of any button raises the press event, and so does the second
//   press of a double-click;
// - a left press captures the mouse for its control, so the left release
//   goes to that control wherever it happens; right and middle releases go
//   to the control under the pointer, if any;
// - a click comes only from a left press and a left release inside the same
//   control, and is raised before that release's release event;
// - a left double-click captures, raises the double-click event, then the
//   press event; no click follows it.
#pragma once

#include "geometry.h"
#include "main_layout.h"

namespace tintspot {

enum class MouseButton { Left, Right, Middle };

class MouseEventSink {
 public:
  virtual ~MouseEventSink() = default;
  virtual void OnPress(Control control, MouseButton button, ScreenPoint clientPoint) = 0;
  virtual void OnRelease(Control control, MouseButton button) = 0;
  virtual void OnClick(Control control) = 0;
  virtual void OnDoubleClick(Control control) = 0;
  // Taking and giving up the platform's mouse capture.
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouseCapture() = 0;
};

class MouseRules {
 public:
  explicit MouseRules(MouseEventSink& sink) : sink_(sink) {}

  void ButtonDown(ScreenPoint clientPoint, MouseButton button, bool doubleClick);
  void ButtonUp(ScreenPoint clientPoint, MouseButton button);
  // The platform took the capture away (a move loop, a menu, another window).
  void CaptureLost();

  Control Captured() const { return captured_; }

 private:
  MouseEventSink& sink_;
  Control captured_ = Control::None;
  bool clickPending_ = false;
};

}  // namespace tintspot
