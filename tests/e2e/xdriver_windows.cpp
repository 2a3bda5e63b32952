// XDriver: pattern windows, the clipboard and screenshots.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "subprocess.h"
#include "xdriver.h"
#include "xdriver_internal.h"

namespace e2e {

// ---- Pattern windows ----

PatternWindow XDriver::CreatePatternWindow(const Rect& rect, Rgb colour) {
  return CreatePatternWindow(rect, [colour](int, int) { return colour; });
}

PatternWindow XDriver::CreatePatternWindow(const Rect& rect,
                                           const std::function<Rgb(int, int)>& pixel) {
  int screen = DefaultScreen(display_);
  int depth = DefaultDepth(display_, screen);
  Visual* visual = DefaultVisual(display_, screen);
  unsigned w = unsigned(rect.width), h = unsigned(rect.height);
  XImage* image = XCreateImage(display_, visual, unsigned(depth), ZPixmap, 0, nullptr, w, h, 32, 0);
  if (image == nullptr) throw std::runtime_error("XCreateImage failed");
  image->data = static_cast<char*>(malloc(size_t(image->bytes_per_line) * h));
  for (int y = 0; y < rect.height; ++y) {
    for (int x = 0; x < rect.width; ++x) XPutPixel(image, x, y, PackPixel(pixel(x, y)));
  }
  PatternWindow result;
  result.driver_ = this;
  result.rect_ = rect;
  result.pixmap_ = XCreatePixmap(display_, root_, w, h, unsigned(depth));
  GC gc = XCreateGC(display_, result.pixmap_, 0, nullptr);
  XPutImage(display_, result.pixmap_, gc, image, 0, 0, 0, 0, w, h);
  XFreeGC(display_, gc);
  XDestroyImage(image);

  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;  // placed exactly where asked, even under a window manager
  attributes.background_pixmap = result.pixmap_;
  attributes.border_pixel = 0;
  result.window_ =
      XCreateWindow(display_, root_, rect.x, rect.y, w, h, 0, depth, InputOutput, visual,
                    CWOverrideRedirect | CWBackPixmap | CWBorderPixel, &attributes);
  XStoreName(display_, result.window_, "e2e pattern");
  XMapRaised(display_, result.window_);
  Sync();
  return result;
}

PatternWindow::PatternWindow(PatternWindow&& other) noexcept { *this = std::move(other); }

PatternWindow& PatternWindow::operator=(PatternWindow&& other) noexcept {
  if (this != &other) {
    Destroy();
    driver_ = other.driver_;
    window_ = other.window_;
    pixmap_ = other.pixmap_;
    rect_ = other.rect_;
    other.window_ = 0;
    other.pixmap_ = 0;
  }
  return *this;
}

void PatternWindow::Move(int x, int y) {
  XMoveWindow(driver_->display(), window_, x, y);
  rect_.x = x;
  rect_.y = y;
  driver_->Sync();
}

void PatternWindow::Raise() {
  XRaiseWindow(driver_->display(), window_);
  driver_->Sync();
}

void PatternWindow::Lower() {
  XLowerWindow(driver_->display(), window_);
  driver_->Sync();
}

void PatternWindow::Fill(Rgb colour) {
  Display* display = driver_->display();
  GC gc = XCreateGC(display, window_, 0, nullptr);
  XSetForeground(display, gc, driver_->PackPixel(colour));
  // The background too, so that the window stays so when it is uncovered.
  XFillRectangle(display, pixmap_, gc, 0, 0, unsigned(rect_.width), unsigned(rect_.height));
  XFillRectangle(display, window_, gc, 0, 0, unsigned(rect_.width), unsigned(rect_.height));
  XFreeGC(display, gc);
  driver_->Sync();
}

void PatternWindow::Destroy() {
  if (window_ == 0) return;
  XDestroyWindow(driver_->display(), window_);
  XFreePixmap(driver_->display(), pixmap_);
  driver_->Sync();
  window_ = 0;
  pixmap_ = 0;
}

// ---- Clipboard ----

Window XDriver::HelperWindow() {
  if (helper_ == 0) {
    helper_ = XCreateSimpleWindow(display_, root_, 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display_, helper_, PropertyChangeMask);
  }
  return helper_;
}

Time XDriver::ServerTime() {
  // A property change on our own window reports the server's time in its PropertyNotify.
  Window window = HelperWindow();
  Atom stamp = XInternAtom(display_, "E2E_TIMESTAMP", False);
  XChangeProperty(display_, window, stamp, XA_STRING, 8, PropModeReplace, nullptr, 0);
  XEvent event;
  do {
    XWindowEvent(display_, window, PropertyChangeMask, &event);
  } while (event.xproperty.atom != stamp);
  return event.xproperty.time;
}

std::optional<std::string> XDriver::ClipboardText(int timeout_ms) {
  Atom clipboard = XInternAtom(display_, "CLIPBOARD", False);
  if (XGetSelectionOwner(display_, clipboard) == None) return std::nullopt;
  Window window = HelperWindow();
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (const char* target_name : {"UTF8_STRING", "STRING"}) {
    // Each request has a property of its own and a real time, and only its own answer counts:
    // an answer to an earlier request that came too late is told apart by both.
    const Atom target = XInternAtom(display_, target_name, False);
    const Atom property =
        XInternAtom(display_, ("E2E_CLIPBOARD_" + std::to_string(++requests_)).c_str(), False);
    const Time time = ServerTime();
    XConvertSelection(display_, clipboard, target, property, window, time);
    XFlush(display_);
    XEvent event;
    auto answers = [&] {
      const XSelectionEvent& e = event.xselection;
      return e.selection == clipboard &&
             (e.property == property ||
              (e.property == None && e.target == target && e.time == time));
    };
    do {
      while (!XCheckTypedWindowEvent(display_, window, SelectionNotify, &event)) {
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    } while (!answers());
    if (event.xselection.property == None) continue;  // owner refused this target
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::optional<std::string> text;
    if (XGetWindowProperty(display_, window, property, 0, 1 << 20, True, AnyPropertyType, &type,
                           &format, &count, &remaining, &data) == Success &&
        format == 8 && type != XInternAtom(display_, "INCR", False)) {
      text = std::string(reinterpret_cast<char*>(data), count);
    }
    if (data != nullptr) XFree(data);
    return text;
  }
  return std::nullopt;
}

// ---- Screenshots ----

bool XDriver::SaveScreenshot(const Rect& area, const std::string& png_path) {
  Image image = Capture(area);
  std::string ppm_path = png_path + ".ppm";
  {
    std::ofstream ppm(ppm_path, std::ios::binary);
    ppm << "P6\n" << image.width << " " << image.height << "\n255\n";
    for (const Rgb& c : image.pixels) ppm.put(char(c.r)).put(char(c.g)).put(char(c.b));
    if (!ppm) return false;
  }
  RunResult converted = Run({"convert", ppm_path, png_path}, {}, std::chrono::seconds(30));
  unlink(ppm_path.c_str());
  return converted.exit_code == 0;
}

}  // namespace e2e
