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
  events.focus_change = [&shell](XFocusChangeEvent& event) { shell.focus.Noted(event); };
  return events;
}

FocusTracker::Reports FocusReportsFor(Shell& shell) {
  FocusTracker::Reports reports;
  reports.window_of = [&shell](Window window) { return shell.platform.WindowOf(window); };
  reports.moved = [&shell](ProgramWindow now, ProgramWindow before) {
    shell.zoomList.SetFocused(now == ProgramWindow::ZoomList);
    if (now == ProgramWindow::None) {
      shell.core.FocusWentToOtherApplication();
      return;
    }
    // Between the main window and its zoom list the activation stays where it was.
    const bool mainBefore = before == ProgramWindow::Main || before == ProgramWindow::ZoomList;
    if (!(mainBefore && (now == ProgramWindow::Main || now == ProgramWindow::ZoomList)))
      shell.core.FocusWentTo(now == ProgramWindow::ZoomList ? ProgramWindow::Main : now);
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
  loop.AddFilter([this](XEvent& event) { return clipboard.HandleEvent(event); });
  loop.AddFilter([this](XEvent& event) {
    if (!monitorWatch.IsChange(event)) return false;
    platform.ReadDisplay();
    damage.Invalidate();
    core.DisplayChanged();
    return false;  // the root's other watchers may want it too
  });
  loop.AddWindow(main.id(), [this](XEvent& event) { HandleMainEvent(*this, event); });
}

Shell::~Shell() {
  for (Cursor cursor : {cursors.arrow, cursors.hand, cursors.dropper})
    if (cursor != 0) XFreeCursor(display, cursor);
}

}  // namespace tintspot::x11
