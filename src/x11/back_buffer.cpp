#include "back_buffer.h"

#include <X11/Xutil.h>

#include <cstring>

namespace tintspot::x11 {

BackBuffer::BackBuffer(Display* display, int width, int height)
    : display_(display), width_(width), image_(display) {
  const std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
  const int screen = DefaultScreen(display);
  if (image_.format().IsXrgb8888()) {
    auto segment = std::make_unique<ShmSegment>(display, bytes);
    if (segment->attached()) {
      XImage* image = XShmCreateImage(
          display, DefaultVisual(display, screen), unsigned(DefaultDepth(display, screen)), ZPixmap,
          segment->data(), segment->info(), unsigned(width), unsigned(height));
      // The segment holds the buffer only if the server reads it as the core writes it.
      if (image != nullptr && image->bits_per_pixel == 32 && image->bytes_per_line == width * 4 &&
          image->byte_order == HostByteOrder()) {
        shared_image_ = image;
        segment_ = std::move(segment);
        bits_ = reinterpret_cast<std::uint32_t*>(segment_->data());
        std::memset(bits_, 0, bytes);
        return;
      }
      if (image != nullptr) {
        image->data = nullptr;
        XDestroyImage(image);
      }
    }
  }
  local_.assign(std::size_t(width) * std::size_t(height), 0);
  bits_ = local_.data();
}

BackBuffer::~BackBuffer() {
  if (shared_image_ != nullptr) {
    shared_image_->data = nullptr;  // the segment is not the image's to free
    XDestroyImage(shared_image_);
  }
}

void BackBuffer::Put(Drawable target, GC gc, const Rect& part) {
  if (part.IsEmpty()) return;
  if (shared_image_ == nullptr) {
    image_.PutRaster(target, gc, bits_, width_, part, part.left, part.top);
    return;
  }
  XShmPutImage(display_, target, gc, shared_image_, part.left, part.top, part.left, part.top,
               unsigned(part.Width()), unsigned(part.Height()), False);
}

}  // namespace tintspot::x11
