// Drives an X display the way a user would (pointer, buttons, keys through XTest) and reads
// back what is on the screen, which windows exist and the clipboard.
#pragma once

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
  uint32_t ColorRef() const { return r | (g << 8) | (uint32_t(b) << 16); }  // 0x00BBGGRR
  static Rgb FromColorRef(uint32_t c) { return {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)}; }
};
std::string ToString(const Rgb& c);  // "r,g,b"
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) { return os << ToString(c); }

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};
inline std::ostream& operator<<(std::ostream& os, const Point& p) {
  return os << p.x << "," << p.y;
}

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Rect& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};
std::string ToString(const Rect& r);  // "WxH+X+Y"
inline std::ostream& operator<<(std::ostream& os, const Rect& r) { return os << ToString(r); }

// A rectangle of screen pixels, row by row.
struct Image {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;
  const Rgb& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

enum class Button { kLeft = 1, kMiddle = 2, kRight = 3 };

enum Modifier : unsigned { kNoModifier = 0, kCtrl = 1, kShift = 2, kAlt = 4 };

class XDriver;

// An X window of our own with known content, kept drawn by the X server itself (the content is
// the window's background pixmap, so uncovering it needs no Expose handling by the test).
class PatternWindow {
 public:
  PatternWindow() = default;
  PatternWindow(PatternWindow&& other) noexcept;
  PatternWindow& operator=(PatternWindow&& other) noexcept;
  PatternWindow(const PatternWindow&) = delete;
  PatternWindow& operator=(const PatternWindow&) = delete;
  ~PatternWindow() { Destroy(); }

  Window id() const { return window_; }
  const Rect& rect() const { return rect_; }
  void Move(int x, int y);
  void Raise();  // above all other top-level windows
  void Lower();  // below all other top-level windows
  // Draws the whole window in `colour` (an ordinary drawing of a client into its own window).
  void Fill(Rgb colour);
  void Destroy();

 private:
  friend class XDriver;
  XDriver* driver_ = nullptr;
  Window window_ = 0;
  Pixmap pixmap_ = 0;
  Rect rect_;
};

class XDriver {
 public:
  // Opens `display_name` (empty: $DISPLAY); throws std::runtime_error when it cannot.
  explicit XDriver(const std::string& display_name = "");
  ~XDriver();
  XDriver(const XDriver&) = delete;
  XDriver& operator=(const XDriver&) = delete;

  Display* display() const { return display_; }
  Window root() const { return root_; }
  int ScreenWidth() const;
  int ScreenHeight() const;
  void Sync();  // flushes requests and waits until the server has processed them

  // Pointer. MovePointer goes through XTest (like a real mouse); WarpPointer through XWarpPointer.
  void MovePointer(int x, int y);
  void WarpPointer(int x, int y);
  Point PointerPosition();
  void ButtonDown(Button button);
  void ButtonUp(Button button);
  void Click(Button button = Button::kLeft);
  void DoubleClick(Button button = Button::kLeft, int gap_ms = 60);

  // Keys by keysym (XK_space, XK_c, XK_F1 ...). A keysym that needs Shift on this keyboard map
  // (for example XK_A) gets it added. Throws std::runtime_error for a keysym without a key.
  void KeyDown(KeySym keysym);
  void KeyUp(KeySym keysym);
  void TapKey(KeySym keysym, unsigned modifiers = kNoModifier);
  // Holds the key down until the server's auto-repeat has made `presses` presses of it (without
  // releases in between), then releases it; takes about 0.2 s + 0.15 s per further press.
  // Returns the number of presses the server made: more than asked when the release came only
  // after a further repeat (a loaded machine), fewer only when the server did not repeat.
  [[nodiscard]] int RepeatKey(KeySym keysym, int presses, unsigned modifiers = kNoModifier);

  // Screen contents, read from the root window (what is visible, all windows included).
  Rgb PixelAt(int x, int y);
  Image Capture(const Rect& area);
  // Writes the area as PNG (through a PPM and ImageMagick's `convert`); false on failure.
  bool SaveScreenshot(const Rect& area, const std::string& png_path);

  // The programs' top-level windows, bottom to top: the children of the root, and under a
  // reparenting window manager the clients inside its frames instead of the frames.
  std::vector<Window> TopLevelWindows();
  // Whether a client holds the pointer grabbed (as Wine does while a menu tracks the pointer).
  bool PointerGrabbed();
  // Whether a window manager runs on the display (owns the WM_S0 selection).
  bool WindowManagerRunning();
  // Top-level windows (see TopLevelWindows) whose WM_NAME or _NET_WM_NAME is `name`.
  std::vector<Window> FindWindows(const std::string& name, bool viewable_only = true);
  std::optional<Window> FindWindow(const std::string& name, bool viewable_only = true);
  std::optional<std::string> WindowName(Window window);
  std::optional<long> WindowPid(Window window);  // _NET_WM_PID (Wine sets it)
  // Outer geometry in root coordinates; nullopt when the window no longer exists.
  std::optional<Rect> Geometry(Window window);
  bool IsWindowViewable(Window window);
  bool IsOverrideRedirect(Window window);
  void Focus(Window window);
  Window FocusedWindow();
  // Asks the window to close as a window manager would (WM_PROTOCOLS / WM_DELETE_WINDOW).
  void SendDeleteWindow(Window window);
  // A format-32 property (WM_STATE, _NET_WM_STATE ...) as its items; empty when it is not set.
  std::vector<unsigned long> Property32(Window window, const char* name);
  unsigned long AtomOf(const char* name);
  // Whether `window` is `ancestor` or lies inside it.
  bool IsInside(Window window, Window ancestor);
  // An EWMH client message about `window` to the root (as pagers and taskbars send them).
  void SendRootMessage(Window window, const char* type, const std::vector<long>& data);

  // The CLIPBOARD selection as text (UTF8_STRING, else STRING); nullopt if it has no owner,
  // cannot be converted to text, or the owner does not answer within the time limit.
  std::optional<std::string> ClipboardText(int timeout_ms = 2000);

  PatternWindow CreatePatternWindow(const Rect& rect, Rgb colour);
  PatternWindow CreatePatternWindow(const Rect& rect, const std::function<Rgb(int, int)>& pixel);

 private:
  friend class PatternWindow;
  unsigned long PackPixel(Rgb c) const;
  Rgb UnpackPixel(unsigned long pixel) const;
  KeyCode KeyCodeFor(KeySym keysym, bool* needs_shift);
  void PressModifiers(unsigned modifiers, bool down);
  Window HelperWindow();
  Time ServerTime();
  std::vector<Window> Children(Window window);
  bool HasProperty(Window window, const char* name);

  Display* display_ = nullptr;
  Window root_ = 0;
  Window helper_ = 0;  // unmapped window that receives selection conversions
  int requests_ = 0;   // selection conversions asked so far
};

}  // namespace e2e
