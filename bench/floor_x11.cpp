// floor_x11: the cheapest native live picker tick, the yardstick of the live benchmark for the
// X11 build (floor.exe is the one for the Windows build).
//
// An unmanaged window of Tintspot's size at (40,40) and a 10 ms timer (the Windows build's 3 ms
// interval runs at 10 ms). Each tick does only what no tick of a live picker can avoid: one
// XQueryPointer on the root. It draws nothing. The timer is the shell's own: poll() on the
// connection (ppoll) with the time left to the next tick, ticks on a fixed schedule.
//
// Two variants show what the X traffic of a picker's tick costs on top, with no program
// around it:
//   --pixel  reads the pixel under the pointer (XGetImage) and fills a 40 x 40 rectangle of
//            the window in its colour when it changed;
//   --view   reads the 42 x 22 area around the pointer through MIT-SHM, enlarges it four
//            times and puts the 167 x 87 view into the window through MIT-SHM at every tick,
//            as a picker whose magnifier shows 400 % does while the pointer moves.
//   --drawing  does what --view does, and also writes a 48 x 48 swatch and five 66 x 13 text
//            rows in the read colour and puts them (two puts more, the rows as one), at every
//            tick: every pixel Tintspot writes and every request it makes while the pointer
//            moves over a screen whose colours change, with no program logic, text or picture
//            around them.
//
//   floor_x11 [--pixel | --view | --drawing] [DISPLAY]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr auto kInterval = std::chrono::milliseconds(10);
constexpr int kAreaWidth = 42, kAreaHeight = 22, kZoom = 4;
constexpr int kWindowWidth = 171, kWindowHeight = 234;
constexpr int kViewWidth = 167, kViewHeight = 87, kViewX = 2, kViewY = 126;
constexpr int kSwatchX = 115, kSwatchY = 25, kSwatchSize = 48;
constexpr int kRowsX = 40, kRowsY = 28, kRowWidth = 66, kRowHeight = 13, kRowPitch = 15, kRows = 5;

volatile int g_sink = 0;  // keeps the tick's result alive

enum class Mode { kPointer, kPixel, kView, kDrawing };

bool ShowsView(Mode mode) { return mode == Mode::kView || mode == Mode::kDrawing; }

// An XImage whose pixels are a shared segment the server attached.
struct SharedImage {
  XShmSegmentInfo info{};
  XImage* image = nullptr;

  bool Make(Display* display, int width, int height) {
    const int screen = DefaultScreen(display);
    image = XShmCreateImage(display, DefaultVisual(display, screen),
                            unsigned(DefaultDepth(display, screen)), ZPixmap, nullptr, &info,
                            unsigned(width), unsigned(height));
    if (image == nullptr) return false;
    info.shmid =
        shmget(IPC_PRIVATE, size_t(image->bytes_per_line) * size_t(height), IPC_CREAT | 0600);
    if (info.shmid < 0) return false;
    info.shmaddr = image->data = static_cast<char*>(shmat(info.shmid, nullptr, 0));
    info.readOnly = False;
    const bool attached = XShmAttach(display, &info);
    XSync(display, False);
    shmctl(info.shmid, IPC_RMID, nullptr);  // gone once both sides detach
    return attached;
  }
};

struct Ticker {
  Display* display;
  Window root, window;
  Mode mode;
  GC gc;
  int root_width, root_height;
  SharedImage area, view;
  unsigned long last_pixel = ~0ul;

  void Tick() {
    Window root_return = 0, child = 0;
    int x = 0, y = 0, win_x = 0, win_y = 0;
    unsigned mask = 0;
    XQueryPointer(display, root, &root_return, &child, &x, &y, &win_x, &win_y, &mask);
    g_sink = g_sink + x + y;
    if (mode == Mode::kPixel) ReadPixel(x, y);
    if (ShowsView(mode)) ShowView(x, y);
  }

  void ReadPixel(int x, int y) {
    XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    if (pixel == last_pixel) return;
    last_pixel = pixel;
    XSetForeground(display, gc, pixel);
    XFillRectangle(display, window, gc, 10, 10, 40, 40);
    XFlush(display);
  }

  void ShowView(int x, int y) {
    const int left = std::clamp(x - kAreaWidth / 2, 0, root_width - kAreaWidth);
    const int top = std::clamp(y - kAreaHeight / 2, 0, root_height - kAreaHeight);
    if (!XShmGetImage(display, root, area.image, left, top, AllPlanes)) return;
    for (int row = 0; row < kViewHeight; ++row) {
      const auto* from = reinterpret_cast<const std::uint32_t*>(
          area.image->data + size_t(row / kZoom) * size_t(area.image->bytes_per_line));
      std::uint32_t* to = WindowRow(kViewY + row) + kViewX;
      for (int col = 0; col < kViewWidth; ++col) to[col] = from[col / kZoom];
    }
    if (mode == Mode::kDrawing) {
      const auto* centre = reinterpret_cast<const std::uint32_t*>(
          area.image->data + size_t(kAreaHeight / 2) * size_t(area.image->bytes_per_line));
      const std::uint32_t colour = centre[kAreaWidth / 2];
      for (int row = 0; row < kSwatchSize; ++row)
        std::fill_n(WindowRow(kSwatchY + row) + kSwatchX, kSwatchSize, colour);
      for (int text = 0; text < kRows; ++text)
        for (int row = 0; row < kRowHeight; ++row)
          std::fill_n(WindowRow(kRowsY + text * kRowPitch + row) + kRowsX, kRowWidth,
                      colour + text);
      XShmPutImage(display, window, gc, view.image, kSwatchX, kSwatchY, kSwatchX, kSwatchY,
                   kSwatchSize, kSwatchSize, False);
      XShmPutImage(display, window, gc, view.image, kRowsX, kRowsY, kRowsX, kRowsY, kRowWidth,
                   (kRows - 1) * kRowPitch + kRowHeight, False);
    }
    XShmPutImage(display, window, gc, view.image, kViewX, kViewY, kViewX, kViewY, kViewWidth,
                 kViewHeight, False);
    XFlush(display);
  }

  std::uint32_t* WindowRow(int row) {
    return reinterpret_cast<std::uint32_t*>(view.image->data +
                                            size_t(row) * size_t(view.image->bytes_per_line));
  }
};

}  // namespace

int main(int argc, char** argv) {
  Mode mode = Mode::kPointer;
  const char* display_name = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--pixel") == 0) {
      mode = Mode::kPixel;
    } else if (std::strcmp(argv[i], "--view") == 0) {
      mode = Mode::kView;
    } else if (std::strcmp(argv[i], "--drawing") == 0) {
      mode = Mode::kDrawing;
    } else {
      display_name = argv[i];
    }
  }
  Display* display = XOpenDisplay(display_name);
  if (display == nullptr) {
    std::fprintf(stderr, "floor_x11: cannot open the X display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(display);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = WhitePixel(display, DefaultScreen(display));
  const Window window =
      XCreateWindow(display, root, 40, 40, kWindowWidth, kWindowHeight, 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
  XStoreName(display, window, "Tintspot floor");
  const long pid = long(getpid());  // how the benchmark finds the window of its process
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
  XMapWindow(display, window);
  XFlush(display);
  const int screen = DefaultScreen(display);
  Ticker ticker{display,
                root,
                window,
                mode,
                XCreateGC(display, window, 0, nullptr),
                DisplayWidth(display, screen),
                DisplayHeight(display, screen),
                {},
                {},
                ~0ul};
  if (ShowsView(mode) && (DefaultDepth(display, screen) != 24 || !XShmQueryExtension(display) ||
                          !ticker.area.Make(display, kAreaWidth, kAreaHeight) ||
                          !ticker.view.Make(display, kWindowWidth, kWindowHeight))) {
    std::fprintf(stderr, "floor_x11: --view and --drawing need MIT-SHM and a 24-bit screen\n");
    return 1;
  }

  using Clock = std::chrono::steady_clock;
  auto next = Clock::now() + kInterval;
  while (true) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
    const auto now = Clock::now();
    if (now >= next) {
      ticker.Tick();
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
