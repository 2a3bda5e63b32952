// Owners of GDI handles: each gives back what it holds when it goes out of
// scope, on every path, exceptions included. Not copyable; small on purpose.
#pragma once

#include <windows.h>

namespace tintspot::win32 {

// A window's device context from GetDC, released with ReleaseDC. A null
// window gives the screen's.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() { Release(); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  // Gives the device context back before the scope ends (to time it, say).
  void Release() {
    if (dc_) ReleaseDC(hwnd_, dc_);
    dc_ = nullptr;
  }

 private:
  HWND hwnd_;
  HDC dc_;
};

// A paint cycle: BeginPaint now, EndPaint at the end of the scope, also when
// BeginPaint gave no device context, so that the window is validated.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd_, &paint_); }
  ~PaintScope() { EndPaint(hwnd_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC dc() const { return dc_; }
  const RECT& update() const { return paint_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// A font, brush, pen or bitmap, deleted with DeleteObject. It must not be
// selected into a device context any more when its owner goes.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_ = nullptr;
};

// An object selected into a device context for the scope; the object that
// was selected before goes back at its end.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace tintspot::win32
