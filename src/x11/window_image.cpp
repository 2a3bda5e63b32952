#include "window_image.h"

#include <X11/Xutil.h>

#include "draw_ops.h"

namespace tintspot::x11 {

WindowImage::WindowImage(Display* display)
    : display_(display),
      visual_(DefaultVisual(display, DefaultScreen(display))),
      depth_(DefaultDepth(display, DefaultScreen(display))),
      format_(visual_->red_mask, visual_->green_mask, visual_->blue_mask),
      direct_(format_.IsXrgb8888()) {}

void WindowImage::PutRaster(Drawable target, GC gc, const std::uint32_t* pixels, int width,
                            const Rect& part, int x, int y) {
  if (part.IsEmpty()) return;
  rows_.resize(std::size_t(part.Width()) * std::size_t(part.Height()));
  std::uint32_t* out = rows_.data();
  for (int row = part.top; row < part.bottom; ++row) {
    const std::uint32_t* in = pixels + std::size_t(row) * std::size_t(width);
    for (int column = part.left; column < part.right; ++column) {
      const std::uint32_t xrgb = in[column] & 0xFFFFFFu;
      *out++ = direct_ ? xrgb
                       : std::uint32_t(format_.FromColor(
                             MakeColor(xrgb >> 16, (xrgb >> 8) & 0xFFu, xrgb & 0xFFu)));
    }
  }
  Send(target, gc, part.Width(), part.Height(), x, y);
}

void WindowImage::PutBuffer(Drawable target, GC gc, const PixelBuffer& buffer, int x, int y) {
  if (buffer.Empty()) return;
  rows_.resize(buffer.Pixels().size());
  std::uint32_t* out = rows_.data();
  for (const TColor colour : buffer.Pixels())
    *out++ = direct_ ? ToRasterPixel(colour) : std::uint32_t(format_.FromColor(colour));
  Send(target, gc, buffer.Width(), buffer.Height(), x, y);
}

void WindowImage::Send(Drawable target, GC gc, int width, int height, int x, int y) {
  // An image of 32-bit units; Xlib converts it to the server's pixel layout (16 bits included)
  // as it sends it. The image does not own the rows.
  XImage* image = XCreateImage(display_, visual_, unsigned(depth_), ZPixmap, 0,
                               reinterpret_cast<char*>(rows_.data()), unsigned(width),
                               unsigned(height), 32, width * 4);
  if (!image) return;
  image->byte_order = LSBFirst;
  image->bits_per_pixel = 32;
  XPutImage(display_, target, gc, image, 0, 0, x, y, unsigned(width), unsigned(height));
  image->data = nullptr;
  XDestroyImage(image);
}

}  // namespace tintspot::x11
