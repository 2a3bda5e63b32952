#include "xdriver_internal.h"

#include <X11/Xatom.h>

namespace e2e {
namespace {

int g_error_count = 0;

int RecordError(Display*, XErrorEvent*) {
  ++g_error_count;
  return 0;
}

}  // namespace

void InstallErrorHandler() { XSetErrorHandler(RecordError); }

ErrorTrap::ErrorTrap(Display* display) : display_(display) {
  XSync(display_, False);
  saved_count_ = g_error_count;
}

ErrorTrap::~ErrorTrap() { XSync(display_, False); }

bool ErrorTrap::Failed() {
  XSync(display_, False);
  return g_error_count != saved_count_;
}

std::optional<std::string> Utf8Property(Display* display, Window window, const char* property) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  Atom name = XInternAtom(display, property, False);
  Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  if (XGetWindowProperty(display, window, name, 0, 1 << 20, False, utf8, &type, &format, &count,
                         &remaining, &data) != Success) {
    return std::nullopt;
  }
  std::optional<std::string> result;
  if (data != nullptr && type == utf8 && format == 8) {
    result = std::string(reinterpret_cast<char*>(data), count);
  }
  if (data != nullptr) XFree(data);
  return result;
}

}  // namespace e2e
