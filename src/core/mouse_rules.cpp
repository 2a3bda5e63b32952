#include "mouse_rules.h"

namespace tintspot {

void MouseRules::ButtonDown(ScreenPoint clientPoint, MouseButton button, bool doubleClick) {
  const Control control = ControlAt(clientPoint);
  if (control == Control::None) return;
  if (button == MouseButton::Left) {
    captured_ = control;
    clickPending_ = !doubleClick;
    sink_.CaptureMouse();
    if (doubleClick) sink_.OnDoubleClick(control);
  }
  sink_.OnPress(control, button, clientPoint);
}

void MouseRules::ButtonUp(ScreenPoint clientPoint, MouseButton button) {
  if (button != MouseButton::Left || captured_ == Control::None) {
    const Control under = ControlAt(clientPoint);
    if (under != Control::None) sink_.OnRelease(under, button);
    return;
  }
  const Control control = captured_;
  const bool click = clickPending_ && InfoOf(control).bounds.Contains(clientPoint);
  captured_ = Control::None;
  clickPending_ = false;
  sink_.ReleaseMouseCapture();
  if (click) sink_.OnClick(control);
  sink_.OnRelease(control, button);
}

void MouseRules::CaptureLost() {
  captured_ = Control::None;
  clickPending_ = false;
}

}  // namespace tintspot
