// The main window's events, each one call of the core (a flat switch, as the Win32 shell's
// window procedure), and the key presses and focus changes of all the program's windows.
#include <exception>

#include "key_map.h"
#include "main_layout.h"
#include "shell.h"

namespace tintspot::x11 {
namespace {

std::optional<MouseButton> ButtonOf(unsigned int button) {
  switch (button) {
    case Button1: return MouseButton::Left;
    case Button2: return MouseButton::Middle;
    case Button3: return MouseButton::Right;
    default: return std::nullopt;  // the wheel's steps
  }
}

void ShowCursor(Shell& shell, Cursor cursor) {
  if (cursor == 0) cursor = shell.cursors.arrow;
  if (cursor == shell.cursors.shown) return;
  shell.cursors.shown = cursor;
  XDefineCursor(shell.display, shell.main.id(), cursor);
}

void SetCursorFor(Shell& shell, ScreenPoint client) {
  switch (shell.core.CursorAt(client)) {
    case CursorShape::Hand: ShowCursor(shell, shell.cursors.hand); break;
    case CursorShape::Dropper: ShowCursor(shell, shell.cursors.dropper); break;
    case CursorShape::Arrow: ShowCursor(shell, shell.cursors.arrow); break;
  }
}

// The child of the root that holds the main window: a reparenting manager's frame, or itself.
Window TopLevelOf(Display* display, Window window) {
  for (;;) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return window;
    if (children != nullptr) XFree(children);
    if (parent == root || parent == 0) return window;
    window = parent;
  }
}

// Where the window lies on the root: a reparenting manager reports the place in its frame.
void NotePlacement(Shell& shell, int width, int height) {
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(shell.display, shell.main.id(), shell.root, 0, 0, &x, &y, &child);
  shell.state.placed = Rect::FromSize(x, y, width, height);
  shell.core.MainWindowPlaced();
}

void Pressed(Shell& shell, const XButtonEvent& event) {
  const std::optional<MouseButton> button = ButtonOf(event.button);
  if (!button) return;
  shell.tooltips.ButtonPressed();
  // A press activates the window, as on Windows, also where no window manager does it; the
  // core hears of the activation before the press, in the order Windows reports them.
  const ProgramWindow focused = shell.focus.Focused();
  if (focused != ProgramWindow::Main && focused != ProgramWindow::ZoomList && shell.state.mapped) {
    XSetInputFocus(shell.display, shell.main.id(), RevertToParent, event.time);
    shell.focus.CheckNow();
  }
  shell.core.MouseDown(ScreenPoint{event.x, event.y}, *button, std::uint32_t(event.time));
}

void Released(Shell& shell, const XButtonEvent& event) {
  if (const std::optional<MouseButton> button = ButtonOf(event.button))
    shell.core.MouseUp(ScreenPoint{event.x, event.y}, *button);
}

void Crossed(Shell& shell, const XCrossingEvent& event) {
  // A grab of ours ended without our release (the window went away, another grab).
  if (event.mode == NotifyUngrab && shell.state.captured && !shell.moveLoop.Running()) {
    shell.state.captured = false;
    shell.core.CaptureLost();
  }
  if (event.type == EnterNotify) {
    SetCursorFor(shell, ScreenPoint{event.x, event.y});
    return;
  }
  if (event.detail == NotifyInferior) {
    ShowCursor(shell, shell.cursors.arrow);  // into the zoom list, which has the arrow
    return;
  }
  if (event.mode == NotifyNormal) shell.tooltips.PointerLeft();
}

void Mapped(Shell& shell) {
  shell.state.mapped = true;
  shell.state.iconic = false;
  shell.state.frame = TopLevelOf(shell.display, shell.main.id());
  if (shell.state.helpHiddenWithMain) {
    shell.state.helpHiddenWithMain = false;
    shell.help.Show(shell.state.helpAt);
  }
  shell.core.MainWindowPlaced();
}

void Unmapped(Shell& shell) {
  shell.state.mapped = false;
  // Only the window manager unmaps the window while the program runs: it was minimised.
  shell.state.iconic = !shell.state.closed;
  if (shell.state.captured) {
    shell.state.captured = false;
    shell.core.CaptureLost();
  }
}

void Handle(Shell& shell, XEvent& event) {
  TfrmMain& core = shell.core;
  switch (event.type) {
    case Expose: {
      const Rect area = Rect::FromSize(event.xexpose.x, event.xexpose.y, event.xexpose.width,
                                       event.xexpose.height);
      shell.painter.Repaint(area, [&] { core.Paint(area); });
      break;
    }
    case ButtonPress: Pressed(shell, event.xbutton); break;
    case ButtonRelease: Released(shell, event.xbutton); break;
    case MotionNotify: {
      const ScreenPoint client{event.xmotion.x, event.xmotion.y};
      SetCursorFor(shell, client);
      shell.tooltips.PointerMoved(client, ScreenPoint{event.xmotion.x_root, event.xmotion.y_root});
      break;
    }
    case EnterNotify:
    case LeaveNotify: Crossed(shell, event.xcrossing); break;
    case KeyPress: PreviewKey(shell, event.xkey); break;
    case FocusIn:
    case FocusOut: shell.focus.Noted(event.xfocus); break;
    case ConfigureNotify:
      NotePlacement(shell, event.xconfigure.width, event.xconfigure.height);
      break;
    case ReparentNotify: shell.state.frame = TopLevelOf(shell.display, shell.main.id()); break;
    case MapNotify: Mapped(shell); break;
    case UnmapNotify: Unmapped(shell); break;
    case ClientMessage:
      if (event.xclient.format == 32 &&
          Atom(event.xclient.data.l[0]) == shell.main.delete_message())
        CloseMainWindow(shell);
      break;
    default: break;
  }
}

}  // namespace

void HandleMainEvent(Shell& shell, XEvent& event) {
  try {
    Handle(shell, event);
  } catch (...) {
    ShowHandlerError(shell);
  }
}

void PreviewKey(Shell& shell, XKeyEvent& event) {
  const Key key = KeyOfEvent(event);
  const ShiftState shift = ShiftStateOf(event.state, key);
  ProgramWindow window = shell.platform.WindowOf(event.window);
  // X gives a key to the window under the pointer when it lies inside the focus window: the
  // zoom list hears keys only when it has the focus itself.
  const bool toZoomList = shell.focus.Focused() == ProgramWindow::ZoomList;
  if (window == ProgramWindow::ZoomList && !toZoomList) window = ProgramWindow::Main;
  try {
    shell.core.KeyPressed(window, key, shift);
    if (window == ProgramWindow::ZoomList) shell.zoomList.HandleKey(key, shift);
  } catch (...) {
    ShowHandlerError(shell);
  }
}

void CloseMainWindow(Shell& shell) {
  if (shell.state.closed) return;
  if (shell.core.FormClose()) shell.state.closed = true;
}

void ShowHandlerError(Shell& shell) {
  std::string text = "Unexpected error";
  try {
    throw;
  } catch (const std::exception& error) {
    text = error.what();
  } catch (...) {
  }
  try {
    shell.core.ShowError(text);
  } catch (...) {
  }
}

}  // namespace tintspot::x11
