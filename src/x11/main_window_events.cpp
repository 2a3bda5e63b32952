// The main window's events, each one call of the core (a flat switch, as the Win32 shell's
// window procedure), and the key presses and focus changes of all the program's windows.
#include <exception>

#include "key_map.h"
#include "main_layout.h"
#include "message_box.h"
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

// Where the window lies on the root, asked of the server: a reparenting manager reports the
// place in its frame, and may move the frame afterwards.
void NotePlacement(Shell& shell, int width, int height) {
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(shell.display, shell.main.id(), shell.root, 0, 0, &x, &y, &child);
  shell.state.placed = Rect::FromSize(x, y, width, height);
  shell.core.MainWindowPlaced();
}

void Configured(Shell& shell, const XConfigureEvent& event) {
  // A notice made before the server saw the latest move or resize is stale: the rectangle asked
  // for stands until that request's own notice. (Taken, a stale height would be the one saved
  // if the connection ended before the next notice, and the one a retried showing asks for.)
  if (event.serial < shell.main.placement_asked()) return;
  // The manager's own notice of a move (sent, not made by the server) gives root coordinates.
  if (event.send_event) {
    shell.state.placed = Rect::FromSize(event.x, event.y, event.width, event.height);
    shell.core.MainWindowPlaced();
    return;
  }
  NotePlacement(shell, event.width, event.height);
}

void Pressed(Shell& shell, const XButtonEvent& event) {
  const std::optional<MouseButton> button = ButtonOf(event.button);
  if (!button) {
    // The wheel turns the focused zoom list wherever the pointer is in the window, as Windows
    // sends the wheel to the window with the focus.
    if (shell.state.zoomFocused && shell.focus.Focused() == ProgramWindow::Main &&
        (event.button == Button4 || event.button == Button5))
      shell.zoomList.HandleKey(event.button == Button4 ? Key::Up : Key::Down, ShiftState{});
    return;
  }
  shell.state.pressedAt = ScreenPoint{event.x_root, event.y_root};
  shell.tooltips.ButtonPressed();
  // A press activates the window, as on Windows, also where no window manager does it; the
  // core hears of the activation before the press, in the order Windows reports them.
  // Asked of the server: the check of a focus change just made may still wait behind this press.
  const ProgramWindow focused = shell.focus.AskFocused();
  if (focused != ProgramWindow::Main && focused != ProgramWindow::ZoomList && shell.state.mapped) {
    // CurrentTime, not the press's: a focus the program set itself after the press was made
    // (the help popup, taking the keyboard once shown) would make an older time count for
    // nothing.
    XSetInputFocus(shell.display, shell.main.id(), RevertToParent, CurrentTime);
    shell.focus.CheckNow();
  }
  // The press activates the main window whether or not the popup had the X focus yet (it takes
  // it once shown, which may come after this press was made): the popup closes first.
  if (shell.help.Shown()) shell.core.FocusWentTo(ProgramWindow::Main);
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
  // Shown for the first time, the window is activated, as Windows activates a program's new
  // window; a window manager does that itself, by its own rules.
  if (!shell.state.shownOnce && !shell.main.WindowManagerRuns())
    XSetInputFocus(shell.display, shell.main.id(), RevertToParent, CurrentTime);
  shell.state.shownOnce = true;
  shell.state.mapped = true;
  shell.state.iconic = false;
  shell.state.frame = TopLevelOf(shell.display, shell.main.id());
  if (shell.state.helpHiddenWithMain) {
    shell.state.helpHiddenWithMain = false;
    shell.help.Show(shell.state.helpAt);
  }
  // Mapped in its frame, the window lies where the manager put the frame.
  NotePlacement(shell, shell.state.placed.Width(), shell.state.placed.Height());
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

// Sends the close message to every message box still open (a box answers it as its OK).
void AnswerOpenBoxes(Shell& shell) {
  const Atom protocols = XInternAtom(shell.display, "WM_PROTOCOLS", False);
  const Atom close = XInternAtom(shell.display, "WM_DELETE_WINDOW", False);
  auto answer = [&](Window window) {
    if (!IsMessageBoxWindow(window)) return false;
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = protocols;
    message.xclient.format = 32;
    message.xclient.data.l[0] = long(close);
    message.xclient.data.l[1] = CurrentTime;
    XSendEvent(shell.display, window, False, NoEventMask, &message);
    return true;
  };
  // The boxes are children of the root, or of a window manager's frames there.
  Window root = 0, parent = 0, *tops = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(shell.display, shell.root, &root, &parent, &tops, &count)) return;
  for (unsigned int i = 0; i < count; ++i) {
    if (answer(tops[i])) continue;
    Window* inner = nullptr;
    unsigned int innerCount = 0;
    if (!XQueryTree(shell.display, tops[i], &root, &parent, &inner, &innerCount)) continue;
    for (unsigned int k = 0; k < innerCount; ++k) answer(inner[k]);
    if (inner != nullptr) XFree(inner);
  }
  if (tops != nullptr) XFree(tops);
  XFlush(shell.display);
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
    case FocusOut: FocusChanged(shell, event.xfocus); break;
    case ConfigureNotify: Configured(shell, event.xconfigure); break;
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
  // The X focus is on the main window (X may give a key to the zoom list's field below the
  // pointer): the keys are the zoom list's when it has the focus the core gave it.
  if (window == ProgramWindow::Main || window == ProgramWindow::ZoomList)
    window = shell.state.zoomFocused ? ProgramWindow::ZoomList : ProgramWindow::Main;
  try {
    shell.core.KeyPressed(window, key, shift);
    if (window == ProgramWindow::ZoomList) shell.zoomList.HandleKey(key, shift);
  } catch (...) {
    ShowHandlerError(shell);
  }
}

void CloseMainWindow(Shell& shell) {
  if (shell.state.closed) return;
  if (!shell.core.FormClose()) return;
  shell.state.closed = true;
  AnswerOpenBoxes(shell);
}

void ShowMainWindow(Shell& shell) {
  // The place and size asked for go along once more: requests made while a manager was
  // starting may have been lost with the showing.
  const Rect& placed = shell.state.placed;
  shell.main.MoveTo(placed.left, placed.top);
  shell.main.Resize(placed.Width(), placed.Height());
  shell.main.Show();
  shell.state.showAsked = std::chrono::steady_clock::now();
}

void FocusChanged(Shell& shell, XFocusChangeEvent& event) {
  // A press on the zoom list's field gives it the X focus: the zoom list has the focus now,
  // and the X focus goes back to the main window, where it stays.
  if (event.type == FocusIn && event.mode == NotifyNormal &&
      event.window == shell.zoomList.field()) {
    shell.state.zoomFocused = true;
    shell.zoomList.SetFocused(true);
    XSetInputFocus(shell.display, shell.main.id(), RevertToParent, CurrentTime);
  }
  shell.focus.Noted(event);
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
