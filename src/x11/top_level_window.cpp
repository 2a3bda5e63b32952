#include "top_level_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>

namespace tintspot::x11 {
namespace {

Atom AtomOf(Display* display, const char* name) { return XInternAtom(display, name, False); }

}  // namespace

TopLevelWindow::TopLevelWindow(Display* display, int x, int y, int width, int height,
                               const std::string& title, const std::vector<ArgbImage>& icons,
                               long event_mask)
    : display_(display) {
  // The program paints every pixel of its window: the server neither clears what is exposed
  // (no background) nor throws the contents away when the height changes (they stay put at the
  // top), so a change of height shows no black flash before the repaint.
  XSetWindowAttributes attributes{};
  attributes.background_pixmap = None;
  attributes.bit_gravity = NorthWestGravity;
  attributes.event_mask = event_mask;
  window_ = XCreateWindow(display_, DefaultRootWindow(display_), x, y, unsigned(width),
                          unsigned(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                          CWBackPixmap | CWBitGravity | CWEventMask, &attributes);

  XClassHint class_hint{};
  char res_name[] = "tintspot", res_class[] = "Tintspot";
  class_hint.res_name = res_name;
  class_hint.res_class = res_class;
  XWMHints wm_hints{};
  wm_hints.flags = InputHint | StateHint;
  wm_hints.input = True;
  wm_hints.initial_state = NormalState;
  // Also sets WM_CLIENT_MACHINE, which gives _NET_WM_PID its meaning.
  XSetWMProperties(display_, window_, nullptr, nullptr, nullptr, 0, nullptr, &wm_hints,
                   &class_hint);
  SetTitle(title);
  SetSizeHints(x, y, width, height);
  SetNoDecorations();
  SetIcons(icons);
  const long pid = long(getpid());
  XChangeProperty(display_, window_, AtomOf(display_, "_NET_WM_PID"), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
  wm_delete_ = AtomOf(display_, "WM_DELETE_WINDOW");
  XSetWMProtocols(display_, window_, &wm_delete_, 1);
}

TopLevelWindow::~TopLevelWindow() {
  if (window_ != 0) XDestroyWindow(display_, window_);
}

void TopLevelWindow::SetTitle(const std::string& title) {
  XStoreName(display_, window_, title.c_str());
  XChangeProperty(display_, window_, AtomOf(display_, "_NET_WM_NAME"),
                  AtomOf(display_, "UTF8_STRING"), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()), int(title.size()));
}

void TopLevelWindow::SetSizeHints(int x, int y, int width, int height) {
  XSizeHints hints{};
  hints.flags = PPosition | USPosition | PMinSize | PMaxSize;
  hints.x = x;
  hints.y = y;
  hints.min_width = hints.max_width = width;
  hints.min_height = hints.max_height = height;
  XSetWMNormalHints(display_, window_, &hints);
}

void TopLevelWindow::SetNoDecorations() {
  // flags (decorations given), functions, decorations (none), input mode, status
  const long motif[5] = {2, 0, 0, 0, 0};
  const Atom atom = AtomOf(display_, "_MOTIF_WM_HINTS");
  XChangeProperty(display_, window_, atom, atom, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(motif), 5);
}

void TopLevelWindow::SetIcons(const std::vector<ArgbImage>& icons) {
  // Each image as width, height, then its pixels, all CARDINALs (longs for Xlib).
  std::vector<long> data;
  for (const ArgbImage& icon : icons) {
    data.push_back(icon.width);
    data.push_back(icon.height);
    for (std::uint32_t p : icon.pixels) data.push_back(long(p));
  }
  if (data.empty()) return;
  XChangeProperty(display_, window_, AtomOf(display_, "_NET_WM_ICON"), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(data.data()),
                  int(data.size()));
}

void TopLevelWindow::Show() {
  XMapRaised(display_, window_);
  mapped_ = true;
  XFlush(display_);
}

void TopLevelWindow::Minimize() {
  XIconifyWindow(display_, window_, DefaultScreen(display_));
  XFlush(display_);
}

void TopLevelWindow::MoveTo(int x, int y) {
  placement_asked_ = NextRequest(display_);
  XMoveWindow(display_, window_, x, y);
  XFlush(display_);
}

void TopLevelWindow::Resize(int width, int height) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display_, window_, &attributes);
  SetSizeHints(attributes.x, attributes.y, width, height);
  placement_asked_ = NextRequest(display_);
  XResizeWindow(display_, window_, unsigned(width), unsigned(height));
  XFlush(display_);
}

bool TopLevelWindow::WindowManagerRuns() const {
  // An EWMH manager names its check window on the root, and the window names itself.
  const Atom check = AtomOf(display_, "_NET_SUPPORTING_WM_CHECK");
  auto checkWindow = [&](Window of) -> Window {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    Window found = 0;
    if (XGetWindowProperty(display_, of, check, 0, 1, False, XA_WINDOW, &type, &format, &count,
                           &left, &data) == Success &&
        type == XA_WINDOW && format == 32 && count == 1)
      found = Window(*reinterpret_cast<unsigned long*>(data));
    if (data != nullptr) XFree(data);
    return found;
  };
  const Window root = DefaultRootWindow(display_);
  const Window manager = checkWindow(root);
  if (manager == 0) return false;
  // A manager that ended leaves the property behind: its window is asked for only while it is
  // still a child of the root (asking a window that is gone would be an X error).
  Window returned_root = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  bool exists = false;
  if (XQueryTree(display_, root, &returned_root, &parent, &children, &count)) {
    exists = std::find(children, children + count, manager) != children + count;
    if (children != nullptr) XFree(children);
  }
  return exists && checkWindow(manager) == manager;
}

void TopLevelWindow::SetAlwaysOnTop(bool above) {
  const Atom state = AtomOf(display_, "_NET_WM_STATE");
  const Atom above_atom = AtomOf(display_, "_NET_WM_STATE_ABOVE");
  if (!mapped_ || !WindowManagerRuns()) {
    // Before the window is shown its state is a property the window manager reads at mapping;
    // with no manager at all nobody else keeps it, and the window is raised as it would be.
    if (mapped_ && above) XRaiseWindow(display_, window_);
    if (above) {
      XChangeProperty(display_, window_, state, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(&above_atom), 1);
    } else {
      XDeleteProperty(display_, window_, state);
    }
    XFlush(display_);
    return;
  }
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = window_;
  message.xclient.message_type = state;
  message.xclient.format = 32;
  message.xclient.data.l[0] = above ? 1 : 0;  // _NET_WM_STATE_ADD / _REMOVE
  message.xclient.data.l[1] = long(above_atom);
  message.xclient.data.l[2] = 0;
  message.xclient.data.l[3] = 1;  // from an application
  XSendEvent(display_, DefaultRootWindow(display_), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &message);
  XFlush(display_);
}

}  // namespace tintspot::x11
