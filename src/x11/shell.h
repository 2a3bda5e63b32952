// Everything the X11 shell is made of, built in order and wired together: the connection's
// loop, the main window and its painter, the screen, the widgets, the Platform and the core.
// The parts reach each other through this one object, as the Win32 shell's do through Shell.
#pragma once

// clang-format off
#include "xlib_names.h"  // first: before any of the core's headers
// clang-format on

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "child_processes.h"
#include "clipboard_owner.h"
#include "damage_tracker.h"
#include "event_loop.h"
#include "focus_tracker.h"
#include "frm_main.h"
#include "help_popup_window.h"
#include "main_painter.h"
#include "monitors.h"
#include "move_loop.h"
#include "options_menu_popup.h"
#include "pointer_rest.h"
#include "screen_capture.h"
#include "tooltip_windows.h"
#include "top_level_window.h"
#include "widget_events.h"
#include "x11_platform.h"
#include "zoom_list_box.h"

namespace tintspot::x11 {

// The main window's cursors: HAND and DROPPER from the program's own cursor files.
struct MainCursors {
  Cursor arrow = 0, hand = 0, dropper = 0;
  Cursor shown = 0;  // the one the main window has now
};

// What the shell knows of the main window between events.
struct MainWindowState {
  Rect placed;          // in root coordinates, as last configured (or asked for)
  Window frame = 0;     // the child of the root that holds the window (itself without a manager)
  bool mapped = false;  // viewable now
  bool shownOnce = false;
  // Asked to show, not yet mapped: when, and how often asked again (a window manager that was
  // still starting has been seen to drop the requests of a window shown meanwhile).
  std::chrono::steady_clock::time_point showAsked{};
  int showRetries = 0;
  bool iconic = false;  // minimised by the window manager
  bool captured = false;
  // The zoom list has the keyboard focus, as Windows gives it to the child control. The X focus
  // stays on the main window itself (as under Wine, whose child windows are not X windows): the
  // keys of both are the zoom list's while this holds.
  bool zoomFocused = false;
  ScreenPoint pressedAt;  // the last press on the main window, in root coordinates
  bool closed = false;    // the core agreed to close: the loop ends
  // The help popup hidden with the minimised window, and where it was.
  bool helpHiddenWithMain = false;
  ScreenPoint helpAt;
};

struct Shell {
  explicit Shell(Display* display);
  ~Shell();
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  Display* const display;
  const Window root;
  EventLoop loop;
  TopLevelWindow main;
  MainWindowState state;
  MainPainter painter;
  ScreenCapture capture;
  DamageTracker damage;
  PointerRest pointerRest;
  MonitorWatch monitorWatch;
  std::vector<MonitorInfo> monitors;
  ClipboardOwner clipboard;
  MainCursors cursors;
  ChildProcesses children;
  WidgetEvents widgetEvents;
  FocusTracker focus;
  ZoomListBox zoomList;
  TooltipWindows tooltips;
  HelpPopupWindow help;
  OptionsMenuPopup menu;
  MoveLoop moveLoop;
  X11Platform platform;
  TfrmMain core;
};

// The main window's handlers (main_window_events.cpp): every event of the main window, and the
// key presses and focus changes of every window of the program.
void HandleMainEvent(Shell& shell, XEvent& event);
void PreviewKey(Shell& shell, XKeyEvent& event);
// Runs the core's close handling; the loop ends when it agrees (and the message boxes still
// open are answered, as Windows destroys them with their owner).
void CloseMainWindow(Shell& shell);
// The child of the root that holds `window`: a reparenting manager's frame, or itself.
Window TopLevelOf(Display* display, Window window);
// A focus change on one of the program's windows (the widgets' among them).
void FocusChanged(Shell& shell, XFocusChangeEvent& event);
// Shows the main window (again, when an earlier request to show it went unanswered).
void ShowMainWindow(Shell& shell);
// Shows an error raised by an event handler in the core's error box.
void ShowHandlerError(Shell& shell);

}  // namespace tintspot::x11
