#include "message_box.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <memory>
#include <set>

// Xlib's macros of the names of the core's enum members (write 0L for Xlib's None).
#undef None
#undef CursorShape

#include "message_box_look.h"
#include "monitors.h"
#include "widget_window.h"

namespace tintspot::x11 {
namespace {

// The boxes open now; while there is one, the program's other windows take no input.
std::set<Window>& OpenBoxes() {
  static std::set<Window> boxes;
  return boxes;
}

bool IsInput(int type) {
  switch (type) {
    case KeyPress:
    case KeyRelease:
    case ButtonPress:
    case ButtonRelease:
    case MotionNotify: return true;
    default: return false;
  }
}

// Installed once per loop: input for any window but an open box is dropped while one is open.
void KeepInputToBoxes(EventLoop& loop) {
  static std::set<EventLoop*> watched;
  if (!watched.insert(&loop).second) return;
  loop.AddFilter([](XEvent& event) {
    return !OpenBoxes().empty() && IsInput(event.type) && OpenBoxes().count(event.xany.window) == 0;
  });
}

// The work area of the monitor the owner lies on (the primary one without an owner).
Rect WorkAreaFor(Display* display, Window owner) {
  ScreenPoint centre{0, 0};
  bool have_centre = false;
  if (owner != 0) {
    XWindowAttributes attributes{};
    Window child = 0;
    int x = 0, y = 0;
    if (XGetWindowAttributes(display, owner, &attributes) != 0 &&
        XTranslateCoordinates(display, owner, DefaultRootWindow(display), 0, 0, &x, &y, &child) !=
            0) {
      centre = {x + attributes.width / 2, y + attributes.height / 2};
      have_centre = true;
    }
  }
  const std::vector<MonitorInfo> monitors = ReadMonitors(display);
  for (const MonitorInfo& monitor : monitors)
    if (have_centre && monitor.bounds.Contains(centre)) return monitor.work;
  for (const MonitorInfo& monitor : monitors)
    if (monitor.primary) return monitor.work;
  return Rect::FromSize(0, 0, DisplayWidth(display, DefaultScreen(display)),
                        DisplayHeight(display, DefaultScreen(display)));
}

void SetDialogProperties(Display* display, Window box, Window owner, const Rect& where) {
  if (owner != 0) XSetTransientForHint(display, box, owner);
  Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, box, &delete_window, 1);
  const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(display, box, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&type), 1);
  // A box can be moved and closed, not resized, maximised or minimised: the manager's frame
  // offers only that (the Motif hints' functions and decorations: border, title, menu).
  const long motif[5] = {1L | 2L, 4L | 32L, 2L | 8L | 16L, 0, 0};
  const Atom motif_hints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(display, box, motif_hints, motif_hints, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(motif), 5);
  XSizeHints* hints = XAllocSizeHints();
  if (hints != nullptr) {
    hints->flags = PPosition | PMinSize | PMaxSize;
    hints->x = where.left;
    hints->y = where.top;
    hints->min_width = hints->max_width = where.Width();
    hints->min_height = hints->max_height = where.Height();
    XSetWMNormalHints(display, box, hints);
    XFree(hints);
  }
}

// Whether a window manager runs (it owns the WM_S0 selection of the screen).
bool WindowManagerRuns(Display* display) {
  const std::string name = "WM_S" + std::to_string(DefaultScreen(display));
  return XGetSelectionOwner(display, XInternAtom(display, name.c_str(), False)) != 0;
}

class MessageBoxWindow {
 public:
  MessageBoxWindow(EventLoop& loop, Window owner, const WidgetEvents& events,
                   const std::string& caption, const std::string& text, BoxIcon icon)
      : loop_(loop), events_(events), caption_(caption), icon_(icon) {
    Display* display = loop.display();
    // Without a window manager nothing would frame the box: it draws Wine's frame itself.
    framed_ = !WindowManagerRuns(display);
    const Rect work = WorkAreaFor(display, owner);
    // Long texts wrap at three quarters of the monitor's width.
    layout_ = LayOutMessageBox(text, std::max(work.Width() * 3 / 4 - 100, 100));
    // Centred on the monitor's work area as Wine's own box, frame included, is centred.
    const int left =
        (work.left + work.right - (layout_.width + kBoxFrameWidth)) / 2 + kBoxFrameLeft;
    const int top =
        (work.top + work.bottom - (layout_.height + kBoxFrameHeight)) / 2 + kBoxFrameTop;
    WidgetWindowSetup setup;
    setup.where = Rect::FromSize(left, top, layout_.width, layout_.height);
    if (framed_) {
      setup.where =
          Rect::FromSize(left - kBoxFrameLeft, top - kBoxFrameTop, layout_.width + kBoxFrameWidth,
                         layout_.height + kBoxFrameHeight);
      client_at_ = {kBoxFrameLeft, kBoxFrameTop};
    }
    setup.override_redirect = false;
    setup.name = caption;
    setup.events = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                   PointerMotionMask | FocusChangeMask | StructureNotifyMask;
    window_ = std::make_unique<WidgetWindow>(display, setup);
    SetDialogProperties(display, window_->id(), owner, setup.where);
    delete_window_ = XInternAtom(display, "WM_DELETE_WINDOW", False);
    Paint();
    loop.AddWindow(window_->id(), [this](XEvent& event) { Handle(event); });
    OpenBoxes().insert(window_->id());
  }

  ~MessageBoxWindow() {
    OpenBoxes().erase(window_->id());
    loop_.RemoveWindow(window_->id());
  }

  void Run() {
    Display* display = loop_.display();
    Window before = 0;
    int revert = 0;
    XGetInputFocus(display, &before, &revert);
    window_->Map();
    // The box takes the keyboard once it shows, so Return, Escape and Space reach it.
    if (WaitViewable(display, window_->id(), 2000))
      XSetInputFocus(display, window_->id(), RevertToParent, CurrentTime);
    window_->Present();
    loop_.RunUntil([this] { return answered_; });
    window_->Unmap();
    // The window that had the keyboard gets it back.
    if (before != 0 && before != PointerRoot) {
      XWindowAttributes attributes{};
      if (XGetWindowAttributes(display, before, &attributes) != 0 &&
          attributes.map_state == IsViewable)
        XSetInputFocus(display, before, RevertToParent, CurrentTime);
    }
    XFlush(display);
  }

 private:
  void Paint() {
    const bool down = button_down_ && pointer_on_button_;
    if (!framed_) {
      DrawMessageBox(window_->canvas(), layout_, icon_, down);
    } else {
      Picture client{PixelBuffer(layout_.width, layout_.height), std::nullopt};
      DrawMessageBox(client.pixels, layout_, icon_, down);
      DrawBoxFrame(window_->canvas(), caption_);
      DrawPicture(window_->canvas(), client_at_.x, client_at_.y, client);
    }
    window_->Present();
  }

  bool OnButton(int x, int y) const {
    return layout_.button.Contains({x - client_at_.x, y - client_at_.y});
  }
  bool OnClose(int x, int y) const {
    return framed_ && BoxCloseButton(window_->where().Width()).Contains({x, y});
  }

  void Handle(XEvent& event) {
    switch (event.type) {
      case Expose: window_->HandleExpose(event); break;
      case KeyPress: {
        if (events_.key_press) events_.key_press(event.xkey);
        const KeySym key = XLookupKeysym(&event.xkey, 0);
        if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape) answered_ = true;
        if (key == XK_space) space_down_ = true;
        break;
      }
      case KeyRelease:
        // A push button answers Space when the key comes up.
        if (XLookupKeysym(&event.xkey, 0) == XK_space && space_down_) answered_ = true;
        break;
      case ButtonPress:
        if (event.xbutton.button != Button1) break;
        close_down_ = OnClose(event.xbutton.x, event.xbutton.y);
        button_down_ = !close_down_;
        pointer_on_button_ = OnButton(event.xbutton.x, event.xbutton.y);
        Paint();
        break;
      case MotionNotify:
        if (button_down_ && pointer_on_button_ != OnButton(event.xmotion.x, event.xmotion.y)) {
          pointer_on_button_ = !pointer_on_button_;
          Paint();
        }
        break;
      case ButtonRelease:
        if (event.xbutton.button != Button1) break;
        if (close_down_ && OnClose(event.xbutton.x, event.xbutton.y)) answered_ = true;
        close_down_ = false;
        if (!button_down_) break;
        button_down_ = false;
        if (OnButton(event.xbutton.x, event.xbutton.y) && pointer_on_button_) answered_ = true;
        Paint();
        break;
      case FocusIn:
      case FocusOut:
        if (events_.focus_change) events_.focus_change(event.xfocus);
        break;
      case ClientMessage:
        if (Atom(event.xclient.data.l[0]) == delete_window_) answered_ = true;
        break;
      default: break;
    }
  }

  EventLoop& loop_;
  const WidgetEvents& events_;
  std::string caption_;
  BoxIcon icon_;
  bool framed_ = false;
  ScreenPoint client_at_{0, 0};  // the client area's top left in the window
  MessageBoxLayout layout_;
  std::unique_ptr<WidgetWindow> window_;
  Atom delete_window_ = 0;
  bool answered_ = false;
  bool space_down_ = false;
  bool button_down_ = false;
  bool pointer_on_button_ = false;
  bool close_down_ = false;
};

}  // namespace

void RunMessageBox(EventLoop& loop, Window owner, const WidgetEvents& events,
                   const std::string& caption, const std::string& text, BoxIcon icon) {
  KeepInputToBoxes(loop);
  MessageBoxWindow box(loop, owner, events, caption, text, icon);
  box.Run();
}

bool IsMessageBoxWindow(Window window) { return OpenBoxes().count(window) != 0; }

}  // namespace tintspot::x11
