// The connection to the X server and what happens when it fails.
//
// The X11 shell talks to the server through Xlib rather than XCB: every extension it needs
// (MIT-SHM, DAMAGE, RandR, Xinerama, Xcursor) has an Xlib binding in Debian's base X packages,
// the test driver already speaks Xlib, and the calls that matter per tick (the pointer query
// and the screen read) are round trips either way, so XCB's pipelining would gain nothing.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tintspot::x11 {

// Opens `name` (nullptr: $DISPLAY). When it cannot, writes one line naming the display to
// stderr and returns nullptr; the caller then ends with exit status 1.
Display* OpenDisplay(const char* name = nullptr);

// Installs the process's X error handler: an error never ends the program. The first error is
// written to stderr (one line), later ones are only counted.
void InstallErrorLog();
// How many X errors arrived since InstallErrorLog.
std::uint64_t ErrorCount();

// Installs the handler of a lost connection: it calls `on_lost` (which must not use X: the
// connection is gone; saving the settings file is what it is for), writes one line to stderr
// and ends the process with exit status 1.
void SetConnectionLostHook(std::function<void()> on_lost);

// The text to show once at start when the X server is XWayland (`wayland_display` is the value
// of WAYLAND_DISPLAY, nullptr when unset); nullopt on a plain X11 session.
std::optional<std::string> WaylandNotice(const char* wayland_display);

}  // namespace tintspot::x11
