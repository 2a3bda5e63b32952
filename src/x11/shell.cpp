#include "shell.h"

#include <X11/cursorfont.h>

#include "cursors.h"
#include "embedded_resources.h"
#include "icon_file.h"
#include "magnifier.h"

namespace tintspot::x11 {
namespace {

std::vector<ArgbImage> ProgramIcons() {
  auto icons = ParseIconFile(EmbeddedBytes("MAINICON", ResourceKind::ICON));
  return icons ? std::move(*icons) : std::vector<ArgbImage>{};
}

WidgetEvents EventsFor(Shell& shell) {
  WidgetEvents events;
  events.key_press = [&shell](XKeyEvent& event) { PreviewKey(shell, event); };
  events.focus_change = [&shell](XFocusChangeEvent& event) { FocusChanged(shell, event); };
  return events;
}

FocusTracker::Reports FocusReportsFor(Shell& shell) {
  FocusTracker::Reports reports;
  // The main window and its zoom list are one window to the X focus.
  reports.window_of = [&shell](Window window) {
    const ProgramWindow of = shell.platform.WindowOf(window);
    return of == ProgramWindow::ZoomList ? ProgramWindow::Main : of;
  };
  reports.moved = [&shell](ProgramWindow now, ProgramWindow) {
    shell.zoomList.SetFocused(now == ProgramWindow::Main && shell.state.zoomFocused);
    if (now == ProgramWindow::None) {
      shell.core.FocusWentToOtherApplication();
      return;
    }
    shell.core.FocusWentTo(now);
    if (now == ProgramWindow::Main) shell.core.MainWindowFocused();
  };
  reports.activation = [&shell](bool active) {
    try {
      shell.core.ApplicationActivationChanged(active);
    } catch (...) {
      ShowHandlerError(shell);
    }
  };
  return reports;
}

}  // namespace

Shell::Shell(Display* display_)
    : display(display_),
      root(DefaultRootWindow(display_)),
      loop(display_),
      // The frameless window's rectangle is its client area, at full height until the core
      // lays it out.
      main(display_, 0, 0, kMainWidth, kMainHeightFull, "Tintspot", ProgramIcons()),
      painter(display_, main.id(), [this](SystemColour c) { return platform.SystemColor(c); }),
      capture(display_, kMagWidth, kMagHeight),
      damage(display_),
      pointerRest(display_),
      monitorWatch(display_),
      clipboard(display_, main.id()),
      widgetEvents(EventsFor(*this)),
      focus(loop, FocusReportsFor(*this)),
      zoomList(loop, main.id(), widgetEvents, [] {}),
      tooltips(loop, main.id()),
      help(loop, widgetEvents),
      menu(loop, widgetEvents),
      moveLoop(*this),
      platform(*this),
      core(platform) {
  state.placed = Rect::FromSize(0, 0, kMainWidth, kMainHeightFull);
  state.frame = main.id();
  cursors.arrow = XCreateFontCursor(display, XC_left_ptr);
  cursors.hand = LoadCursorFile(display, EmbeddedBytes("HAND", ResourceKind::CURSOR));
  cursors.dropper = LoadCursorFile(display, EmbeddedBytes("DROPPER", ResourceKind::CURSOR));
  platform.ReadDisplay();

  loop.AddFilter([this](XEvent& event) { return damage.HandleEvent(event); });
  loop.AddFilter([this](XEvent& event) { return pointerRest.HandleEvent(event); });
  loop.AddFilter([this](XEvent& event) { return clipboard.HandleEvent(event); });
  loop.AddFilter([this](XEvent& event) {
    if (!monitorWatch.IsChange(event)) return false;
    platform.ReadDisplay();
    damage.Invalidate();
    pointerRest.Doubt();
    core.DisplayChanged();
    return false;  // the root's other watchers may want it too
  });
  loop.AddWindow(main.id(), [this](XEvent& event) { HandleMainEvent(*this, event); });
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

Shell::~Shell() {
  for (Cursor cursor : {cursors.arrow, cursors.hand, cursors.dropper})
    if (cursor != 0) XFreeCursor(display, cursor);
}

}  // namespace tintspot::x11
