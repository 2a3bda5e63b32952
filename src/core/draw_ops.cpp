#include "draw_ops.h"

#include <algorithm>
#include <cstring>

namespace tintspot {
namespace {

void FillBox(const Rect& area, std::uint32_t pixel, RasterImage& image) {
  for (int y = area.top; y < area.bottom; ++y)
    std::fill_n(image.bits + static_cast<std::ptrdiff_t>(y) * image.width + area.left, area.Width(),
                pixel);
}

void Plot(int x, int y, std::uint32_t pixel, const Rect& clip, RasterImage& image) {
  if (clip.Contains(ScreenPoint{x, y}))
    image.bits[static_cast<std::ptrdiff_t>(y) * image.width + x] = pixel;
}

void FrameBox(const Rect& box, std::uint32_t pixel, const Rect& clip, RasterImage& image) {
  for (int x = box.left; x < box.right; ++x) {
    Plot(x, box.top, pixel, clip, image);
    Plot(x, box.bottom - 1, pixel, clip, image);
  }
  for (int y = box.top; y < box.bottom; ++y) {
    Plot(box.left, y, pixel, clip, image);
    Plot(box.right - 1, y, pixel, clip, image);
  }
}

void CopyPixels(const DrawOp& op, RasterImage& image) {
  const PixelBuffer& pixels = *op.pixels;
  const int left = op.box.left;
  const int top = op.box.top;
  const Rect drawn =
      Rect::FromSize(left, top, pixels.Width(), pixels.Height()).Intersection(op.clip);
  for (int y = drawn.top; y < drawn.bottom; ++y) {
    std::uint32_t* to = image.bits + static_cast<std::ptrdiff_t>(y) * image.width + drawn.left;
    const TColor* from = &pixels.Pixels()[static_cast<std::size_t>(y - top) *
                                              static_cast<std::size_t>(pixels.Width()) +
                                          static_cast<std::size_t>(drawn.left - left)];
    const int width = drawn.Width();
    if (!op.transparent) {
      SwapRedAndBlue(from, to, width);
      continue;
    }
    for (int x = 0; x < width; ++x)
      if (from[x] != *op.transparent) to[x] = ToRasterPixel(from[x]);
  }
}

}  // namespace

void SwapRedAndBlue(const void* from, std::uint32_t* to, int count) {
  const auto* bytes = static_cast<const unsigned char*>(from);
  int x = 0;
  for (; x + 4 <= count; x += 4) {
    std::uint32_t p[4];
    std::memcpy(p, bytes + std::size_t(x) * 4, sizeof p);
    to[x] = ToRasterPixel(p[0]);
    to[x + 1] = ToRasterPixel(p[1]);
    to[x + 2] = ToRasterPixel(p[2]);
    to[x + 3] = ToRasterPixel(p[3]);
  }
  for (; x < count; ++x) {
    std::uint32_t p = 0;
    std::memcpy(&p, bytes + std::size_t(x) * 4, sizeof p);
    to[x] = ToRasterPixel(p);
  }
}

void Rasterise(const DrawOp& op, RasterImage& image) {
  switch (op.kind) {
    case DrawKind::Fill:
      FillBox(op.box.Intersection(op.clip), ToRasterPixel(op.colour), image);
      break;
    case DrawKind::Frame: FrameBox(op.box, ToRasterPixel(op.colour), op.clip, image); break;
    case DrawKind::Pixels: CopyPixels(op, image); break;
    case DrawKind::Text: break;
  }
}

}  // namespace tintspot
