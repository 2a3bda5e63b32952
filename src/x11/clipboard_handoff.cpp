#include "clipboard_handoff.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <string>

namespace tintspot::x11 {
namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? int(left.count()) : 0;
}

bool SaveToManager(ClipboardOwner& owner, std::chrono::milliseconds wait) {
  Display* display = owner.display();
  const Atom manager = XInternAtom(display, "CLIPBOARD_MANAGER", False);
  const Atom save = XInternAtom(display, "SAVE_TARGETS", False);
  if (XGetSelectionOwner(display, manager) == None) return false;
  // No property: the manager asks for TARGETS and saves all of them.
  XConvertSelection(display, manager, save, None, owner.window(), CurrentTime);
  XFlush(display);
  const auto deadline = Clock::now() + wait;
  while (true) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (owner.HandleEvent(event)) continue;
      if (event.type == SelectionNotify && event.xselection.selection == manager &&
          event.xselection.target == save)
        return event.xselection.property != None;
    }
    const int left = RemainingMs(deadline);
    if (left == 0) return false;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, left);
  }
}

int QuietError(Display*, XErrorEvent*) { return 0; }

[[noreturn]] void KeepInChild(const std::string& display_name, const std::string& text,
                              int ready_fd) {
  // Detached from the terminal, the working folder and the program's output, so that nothing
  // waits for the keeper to end.
  setsid();
  if (chdir("/") != 0) _exit(1);
  const int null = open("/dev/null", O_RDWR);
  if (null >= 0) {
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    if (null > 2) close(null);
  }
  XSetErrorHandler(QuietError);
  XSetIOErrorHandler(nullptr);
  Display* display = XOpenDisplay(display_name.c_str());
  if (display == nullptr) _exit(1);
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  ClipboardOwner keeper(display, window);
  if (!keeper.Take(text, CurrentTime)) _exit(1);
  const char ready = '1';
  if (write(ready_fd, &ready, 1) != 1) _exit(1);
  close(ready_fd);
  while (keeper.Owns()) {
    XEvent event;
    XNextEvent(display, &event);
    keeper.HandleEvent(event);
  }
  _exit(0);
}

pid_t StartKeeper(ClipboardOwner& owner, std::chrono::milliseconds wait) {
  const std::string display_name = DisplayString(owner.display());
  const std::string text = owner.text();
  XFlush(owner.display());
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    // The parent's connection stays the parent's: the child never writes to it.
    close(ConnectionNumber(owner.display()));
    KeepInChild(display_name, text, fds[1]);
  }
  close(fds[1]);
  char ready = 0;
  bool ok = false;
  if (child > 0) {
    pollfd fd{fds[0], POLLIN, 0};
    ok = poll(&fd, 1, int(wait.count())) == 1 && read(fds[0], &ready, 1) == 1 && ready == '1';
  }
  close(fds[0]);
  return ok ? child : -1;
}

}  // namespace

HandOff KeepClipboardAfterExit(ClipboardOwner& owner, std::chrono::milliseconds manager_wait,
                               std::chrono::milliseconds child_wait) {
  // A program that took the selection from us meanwhile keeps it.
  XEvent event;
  while (XCheckTypedWindowEvent(owner.display(), owner.window(), SelectionClear, &event))
    owner.HandleEvent(event);
  const Atom clipboard = XInternAtom(owner.display(), "CLIPBOARD", False);
  if (!owner.Owns() || XGetSelectionOwner(owner.display(), clipboard) != owner.window()) return {};
  if (SaveToManager(owner, manager_wait)) return {ClipboardKeeper::kManager, -1};
  const pid_t child = StartKeeper(owner, child_wait);
  if (child > 0) return {ClipboardKeeper::kChild, child};
  return {ClipboardKeeper::kLost, -1};
}

}  // namespace tintspot::x11
