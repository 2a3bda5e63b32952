// x11_helper: runs one desktop primitive of the X11 build in a process of its own, for the
// tests that watch what a process does when it ends or fails.
//
//   x11_helper open DISPLAY              opens DISPLAY; exit 1 (and one line) when it cannot
//   x11_helper errors                    makes three requests fail, then prints "errors=N"
//   x11_helper lost FILE                 queries the pointer every 10 ms until the connection
//                                        is lost; the lost-connection hook writes FILE
//   x11_helper copy TEXT MANAGER_WAIT_MS puts TEXT on the clipboard, then ends, handing it on;
//                                        prints "keeper=manager|child|lost|none" and "pid=N"
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "clipboard_handoff.h"
#include "root_pointer.h"
#include "x_connection.h"

namespace x11 = tintspot::x11;

namespace {

int Errors(Display* display) {
  x11::InstallErrorLog();
  const Window missing = 0x7FFFFF;  // no window has this id on a fresh server
  XMapWindow(display, missing);
  XUnmapWindow(display, missing);
  XRaiseWindow(display, missing);
  XSync(display, False);
  std::printf("errors=%llu\n", static_cast<unsigned long long>(x11::ErrorCount()));
  return 0;
}

int Lost(Display* display, const std::string& file) {
  x11::SetConnectionLostHook([file] { std::ofstream(file) << "saved\n"; });
  std::printf("ready\n");
  std::fflush(stdout);
  while (true) {
    x11::QueryRootPointer(display, DefaultRootWindow(display));
    usleep(10000);
  }
}

int Copy(Display* display, const std::string& text, int manager_wait_ms) {
  x11::InstallErrorLog();
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  x11::ClipboardOwner owner(display, window);
  if (!owner.Take(text, CurrentTime)) return 1;
  const x11::HandOff handoff = x11::KeepClipboardAfterExit(
      owner, std::chrono::milliseconds(manager_wait_ms), std::chrono::milliseconds(5000));
  const char* names[] = {"none", "manager", "child", "lost"};
  std::printf("keeper=%s\npid=%d\n", names[int(handoff.keeper)], int(handoff.child));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "open" && argc == 3) {
    Display* display = x11::OpenDisplay(argv[2]);
    return display == nullptr ? 1 : 0;
  }
  Display* display = x11::OpenDisplay();
  if (display == nullptr) return 1;
  if (command == "errors") return Errors(display);
  if (command == "lost" && argc == 3) return Lost(display, argv[2]);
  if (command == "copy" && argc == 4) return Copy(display, argv[2], std::atoi(argv[3]));
  std::fprintf(stderr, "x11_helper: bad usage\n");
  return 2;
}
