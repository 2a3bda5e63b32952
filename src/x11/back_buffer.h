// The main window's back buffer: 0x00RRGGBB pixels of the whole client area, as the core's
// RasterImage holds them. Where the server shares memory and its visual takes those pixels as
// they are, the buffer is a shared segment and a put moves no pixels through the connection;
// elsewhere it is ordinary memory, converted and sent with XPutImage.
//
// A shared put is read by the server when it reaches the request, not when it is made. The
// painter draws between sampling ticks, each of which waits for a reply from the server first,
// so what the server reads is what the put asked for, or a later drawing that its own put
// shows next.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "geometry.h"
#include "shm_segment.h"
#include "window_image.h"

namespace tintspot::x11 {

class BackBuffer {
 public:
  BackBuffer(Display* display, int width, int height);
  ~BackBuffer();
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;

  std::uint32_t* bits() { return bits_; }
  const std::uint32_t* bits() const { return bits_; }
  bool Shared() const { return shared_image_ != nullptr; }

  // Puts `part` of the buffer at the same place of `target`.
  void Put(Drawable target, GC gc, const Rect& part);

 private:
  Display* display_;
  int width_;
  std::unique_ptr<ShmSegment> segment_;
  XImage* shared_image_ = nullptr;
  std::vector<std::uint32_t> local_;  // without a shared segment
  std::uint32_t* bits_ = nullptr;
  WindowImage image_;
};

}  // namespace tintspot::x11
