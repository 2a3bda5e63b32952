// floor_x11: the cheapest native live picker tick, the yardstick of the live benchmark for the
// X11 build (floor.exe is the one for the Windows build).
//
// An unmanaged window of Tintspot's size at (40,40) and a 10 ms timer (the Windows build's 3 ms
// interval runs at 10 ms). Each tick does only what no tick of a live picker can avoid: one
// XQueryPointer on the root. It draws nothing. The timer is the shell's own: poll() on the
// connection (ppoll) with the time left to the next tick, ticks on a fixed schedule.
//
//   floor_x11 [DISPLAY]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr auto kInterval = std::chrono::milliseconds(10);

volatile int g_sink = 0;  // keeps the tick's result alive

void Tick(Display* display, Window root) {
  Window root_return = 0, child = 0;
  int root_x = 0, root_y = 0, win_x = 0, win_y = 0;
  unsigned mask = 0;
  XQueryPointer(display, root, &root_return, &child, &root_x, &root_y, &win_x, &win_y, &mask);
  g_sink = g_sink + root_x + root_y;
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(argc > 1 ? argv[1] : nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "floor_x11: cannot open the X display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(display);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = WhitePixel(display, DefaultScreen(display));
  const Window window =
      XCreateWindow(display, root, 40, 40, 171, 234, 0, CopyFromParent, InputOutput, CopyFromParent,
                    CWOverrideRedirect | CWBackPixel, &attributes);
  XStoreName(display, window, "Tintspot floor");
  const long pid = long(getpid());  // how the benchmark finds the window of its process
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
  XMapWindow(display, window);
  XFlush(display);

  using Clock = std::chrono::steady_clock;
  auto next = Clock::now() + kInterval;
  while (true) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
    const auto now = Clock::now();
    if (now >= next) {
      Tick(display, root);
      next += kInterval;
      if (next < now) next = now + kInterval;  // a late tick does not make up for lost ones
      continue;
    }
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(next - now).count();
    const timespec timeout{time_t(wait / 1000000000), long(wait % 1000000000)};
    ppoll(&fd, 1, &timeout, nullptr);
  }
}
