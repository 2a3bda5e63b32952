// tintspot: the process entry of the X11 build. Opens the display (one line on stderr and exit
// status 1 when it cannot), builds the shell, lets the core restore its settings and lay the
// window out, shows it and runs the loop until the core agrees to close. The copied value is
// then handed on, so that it outlives the program.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "clipboard_handoff.h"
#include "shell.h"
#include "x_connection.h"

namespace tintspot::x11 {
namespace {

constexpr std::chrono::milliseconds kManagerWait{1000};
constexpr std::chrono::milliseconds kKeeperWait{2000};

Shell* g_shell = nullptr;  // for the handler of a lost connection, which gets no context

int Run(Display* display) {
  InstallErrorLog();
  const std::optional<std::string> wayland = WaylandNotice(std::getenv("WAYLAND_DISPLAY"));
  if (wayland) std::fprintf(stderr, "tintspot: %s\n", wayland->c_str());

  auto shell = std::make_unique<Shell>(display);
  g_shell = shell.get();
  SetConnectionLostHook([] {
    // No X any more: the core saves what it knows through the settings file alone.
    if (g_shell == nullptr) return;
    g_shell->platform.ConnectionLost();
    try {
      g_shell->core.FormClose();
    } catch (...) {
    }
  });
  shell->core.FormCreate();
  shell->main.Show();
  if (wayland) shell->platform.ShowInfoBox("Tintspot", *wayland);
  shell->loop.RunUntil([&shell] { return shell->state.closed; });

  XUnmapWindow(display, shell->main.id());
  XFlush(display);
  KeepClipboardAfterExit(shell->clipboard, kManagerWait, kKeeperWait);
  g_shell = nullptr;
  shell.reset();
  return 0;
}

}  // namespace
}  // namespace tintspot::x11

int main() {
  Display* display = tintspot::x11::OpenDisplay();
  if (display == nullptr) return 1;
  int status = 1;
  try {
    status = tintspot::x11::Run(display);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tintspot: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "tintspot: unexpected error\n");
  }
  XCloseDisplay(display);
  return status;
}
