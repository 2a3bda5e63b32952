// TfrmMain: mouse and keyboard input, the title bar and window buttons, and
// the pick from the magnifier view.
#include "frm_main.h"
#include "magnifier.h"

namespace tintspot {
namespace {}  // namespace

// --- Raw input -------------------------------------------------------------------

void TfrmMain::MouseDown(ScreenPoint clientPoint, MouseButton button, std::uint32_t timeMs) {
  if (closed_) return;
  // Compared on the screen, as the desktop compares them: a press that
  // moved the window (a drag by the title) moves its client points too.
  const Rect window = platform_.WindowRect();
  const ScreenPoint at{window.left + clientPoint.x, window.top + clientPoint.y};
  const bool doubleClick = doubleClicks_.IsDoubleClick(
      at, button, timeMs, platform_.DoubleClickTimeMs(), platform_.DoubleClickSize());
  RunHandler([&] { mouse_.ButtonDown(clientPoint, button, doubleClick); });
}

void TfrmMain::MouseUp(ScreenPoint clientPoint, MouseButton button) {
  if (closed_) return;
  RunHandler([&] { mouse_.ButtonUp(clientPoint, button); });
}

void TfrmMain::CaptureLost() { mouse_.CaptureLost(); }

CursorShape TfrmMain::CursorAt(ScreenPoint clientPoint) const {
  const Control control = ControlAt(clientPoint);
  return control == Control::None ? CursorShape::Arrow : InfoOf(control).cursor;
}

void TfrmMain::CaptureMouse() { platform_.CaptureMouse(); }
void TfrmMain::ReleaseMouseCapture() { platform_.ReleaseMouseCapture(); }

void TfrmMain::OnPress(Control control, MouseButton, ScreenPoint clientPoint) {
  switch (control) {
    case Control::Pixel: PixelMouseDown(); break;
    case Control::imgHeader: imgHeaderMouseDown(); break;
    case Control::imgTop: imgTopMouseDown(); break;
    case Control::imgMin: PressButton(Control::imgMin, skin_.imgMind); break;
    case Control::imgClose: PressButton(Control::imgClose, skin_.imgClosed); break;
    case Control::imgMag: imgMagMouseDown(); break;
    case Control::imgHelp: imgHelpMouseDown(); break;
    case Control::imgMenu: imgMenuMouseDown(); break;
    case Control::pbMag: {
      const Rect& view = InfoOf(Control::pbMag).bounds;
      pbMagMouseDown(ScreenPoint{clientPoint.x - view.left, clientPoint.y - view.top});
      break;
    }
    default: break;
  }
}

void TfrmMain::OnRelease(Control control, MouseButton) {
  if (control == Control::imgMin) ReleaseButton(Control::imgMin);
  if (control == Control::imgClose) ReleaseButton(Control::imgClose);
}

void TfrmMain::OnClick(Control control) {
  switch (control) {
    case Control::imgMin: platform_.MinimizeApplication(); break;
    case Control::imgClose: platform_.RequestClose(); break;
    case Control::lblRGB:
    case Control::lblHEX:
    case Control::lblHSL:
    case Control::lblCMYK: CopyLabel(control); break;
    default: break;
  }
}

void TfrmMain::OnDoubleClick(Control control) {
  if (control == Control::imgHeader) imgHeaderDblClick();
}

// --- Title bar and window buttons ------------------------------------------------

void TfrmMain::imgHeaderMouseDown() {
  mouse_.CaptureLost();
  platform_.BeginWindowDrag();
}

void TfrmMain::imgHeaderDblClick() {
  mouse_.CaptureLost();
  platform_.ReleaseMouseCapture();
  platform_.MinimizeApplication();
}

void TfrmMain::imgTopMouseDown() { ToggleOnTop(); }

void TfrmMain::PressButton(Control button, const Picture& pressed) {
  RestorePressedButton();
  imgTemp_ = PictureOf(button);
  pressedButton_ = button;
  SetPicture(button, pressed);
}

void TfrmMain::RestorePressedButton() {
  // Every press takes the scratch holder. A button still waiting for its
  // release (a right press released away from the window, a left press whose
  // capture was lost) gets its picture back first; otherwise the scratch
  // holder would take its pressed picture and it would stay pressed for good.
  if (pressedButton_ && imgTemp_) SetPicture(*pressedButton_, *imgTemp_);
  pressedButton_.reset();
}

void TfrmMain::ReleaseButton(Control button) {
  // Only the button that was pressed gets its picture back: a release that
  // arrives without its press must not hand it another button's picture.
  if (pressedButton_ != button || !imgTemp_) return;
  pressedButton_.reset();
  SetPicture(button, *imgTemp_);
}

void TfrmMain::ApplicationActivationChanged(bool active) {
  if (closed_ || active == titleActive_) return;
  RunHandler([this] {
    titleActive_ = !titleActive_;
    SwapTitleImage();
  });
}

void TfrmMain::SwapTitleImage() {
  Picture holder = PictureOf(Control::imgHeader);
  SetPicture(Control::imgHeader, imgTitleDeact_);
  imgTitleDeact_ = std::move(holder);
}

// --- Magnifier -----------------------------------------------------------------------

void TfrmMain::imgMagMouseDown() { ShowMagnifierPanel(!MagnifierShown()); }

void TfrmMain::pbMagMouseDown(ScreenPoint viewPoint) {
  currentColor_ = AsDrawn(platform_.MagnifierPixel(viewPoint));
  RefreshReadouts();
}

// --- Keyboard ------------------------------------------------------------------

void TfrmMain::KeyPressed(ProgramWindow window, Key key, ShiftState shift) {
  if (window == ProgramWindow::Main || window == ProgramWindow::ZoomList) KeyDown(key, shift);
}

void TfrmMain::KeyDown(Key key, ShiftState shift) {
  if (key == Key::Tab && !shift.alt && !shift.ctrl) return;
  FormKeyDown(key, shift);
}

void TfrmMain::FormKeyDown(Key key, ShiftState shift) {
  if (closed_) return;
  RunHandler([&] {
    const bool onlyCtrl =
        shift.ctrl && !shift.shift && !shift.alt && !shift.left && !shift.right && !shift.middle;
    if (onlyCtrl && key == Key::C) {
      CopyLabel(Control::lblHEX);
    } else if (onlyCtrl && key == Key::M) {
      ShowMagnifierPanel(!MagnifierShown());
    } else if (!onlyCtrl) {
      ToggleLock();
    }
  });
}

// --- Focus ------------------------------------------------------------------------

void TfrmMain::EnableZoomList(bool enabled) {
  const bool hadFocus = platform_.FocusedWindow() == ProgramWindow::ZoomList;
  zoomListEnabled_ = enabled;
  platform_.EnableZoomList(enabled);
  if (!enabled && hadFocus) platform_.FocusWindow(ProgramWindow::Main);
  if (enabled && platform_.FocusedWindow() == ProgramWindow::Main)
    platform_.FocusWindow(ProgramWindow::ZoomList);
}

void TfrmMain::MainWindowFocused() {
  if (zoomListEnabled_) platform_.FocusWindow(ProgramWindow::ZoomList);
}

}  // namespace tintspot
