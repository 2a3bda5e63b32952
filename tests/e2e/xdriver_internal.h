// Helpers shared by the xdriver source files; not part of the driver's interface.
#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>

namespace e2e {

// Replaces Xlib's default error handler (which ends the process) by one that records the error,
// so that asking about a window that has just gone away is an ordinary failure.
void InstallErrorHandler();

// Records X errors raised between its construction and Failed() (which syncs first).
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display);
  ~ErrorTrap();
  bool Failed();

 private:
  Display* display_;
  int saved_count_;
};

// A UTF8_STRING property of a window (e.g. _NET_WM_NAME), or nullopt.
std::optional<std::string> Utf8Property(Display* display, Window window, const char* property);

}  // namespace e2e
