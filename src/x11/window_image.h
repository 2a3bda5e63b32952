// Puts the core's pictures into the program's windows: pixels converted to the window's visual
// through its channel masks (0x00RRGGBB as it is on a 24- or 32-bit screen), sent with XPutImage.
// The widgets' pictures are small and seldom redrawn, so they need no shared memory (the main
// window's back buffer has its own).
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

#include "geometry.h"
#include "pixel_buffer.h"
#include "pixel_format.h"

namespace tintspot::x11 {

class WindowImage {
 public:
  // For windows of the default visual and depth of the display's default screen.
  explicit WindowImage(Display* display);
  WindowImage(const WindowImage&) = delete;
  WindowImage& operator=(const WindowImage&) = delete;

  // Puts `part` of a 0x00RRGGBB image (rows of `width` pixels, as the core's RasterImage holds
  // them) at (x, y) of `target`.
  void PutRaster(Drawable target, GC gc, const std::uint32_t* pixels, int width, const Rect& part,
                 int x, int y);
  // Puts all of a PixelBuffer (0x00BBGGRR pixels) at (x, y) of `target`.
  void PutBuffer(Drawable target, GC gc, const PixelBuffer& buffer, int x, int y);

  const PixelFormat& format() const { return format_; }

 private:
  void Send(Drawable target, GC gc, int width, int height, int x, int y);

  Display* display_;
  Visual* visual_;
  int depth_;
  PixelFormat format_;
  bool direct_;                      // the visual is 0x00RRGGBB in 32 bits
  std::vector<std::uint32_t> rows_;  // the converted part, 32 bits a pixel
};

}  // namespace tintspot::x11
