#include "x_connection.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tintspot::x11 {
namespace {

std::uint64_t g_error_count = 0;
std::function<void()> g_on_lost;

int LogError(Display* display, XErrorEvent* error) {
  if (g_error_count++ == 0) {
    char text[256] = {0};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr,
                 "tintspot: X error %s (request %u.%u, resource 0x%lx); further errors are "
                 "not shown\n",
                 text, unsigned(error->request_code), unsigned(error->minor_code),
                 error->resourceid);
  }
  return 0;
}

int ConnectionLost(Display* display) {
  if (g_on_lost) g_on_lost();
  std::fprintf(stderr, "tintspot: lost the connection to the X display %s\n",
               DisplayString(display));
  std::exit(1);
}

}  // namespace

Display* OpenDisplay(const char* name) {
  Display* display = XOpenDisplay(name);
  if (display == nullptr) {
    const char* shown = name != nullptr ? name : std::getenv("DISPLAY");
    std::fprintf(stderr, "tintspot: cannot open the X display \"%s\"\n",
                 shown != nullptr ? shown : "");
  }
  return display;
}

void InstallErrorLog() {
  g_error_count = 0;
  XSetErrorHandler(LogError);
}

std::uint64_t ErrorCount() { return g_error_count; }

void SetConnectionLostHook(std::function<void()> on_lost) {
  g_on_lost = std::move(on_lost);
  XSetIOErrorHandler(ConnectionLost);
}

std::optional<std::string> WaylandNotice(const char* wayland_display) {
  if (wayland_display == nullptr || *wayland_display == '\0') return std::nullopt;
  return "This is a Wayland session. Tintspot runs through XWayland and can read only the "
         "colours of X11 windows: colours outside X11 windows cannot be read here.";
}

}  // namespace tintspot::x11
