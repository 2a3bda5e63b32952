#include "pixel_buffer.h"

#include <algorithm>

namespace tintspot {

PixelBuffer::PixelBuffer(int width, int height, TColor fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

void PixelBuffer::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
}

void PixelBuffer::Fill(TColor colour) { std::fill(pixels_.begin(), pixels_.end(), colour); }

void PixelBuffer::DrawRectangle(int left, int top, int right, int bottom, TColor pen, TColor fill) {
  if (right <= left || bottom <= top) return;
  const int x0 = std::max(left, 0);
  const int y0 = std::max(top, 0);
  const int x1 = std::min(right, width_);
  const int y1 = std::min(bottom, height_);
  if (x0 >= x1 || y0 >= y1) return;
  for (int y = y0; y < y1; ++y) {
    TColor* row = &pixels_[Index(0, y)];
    if (y == top || y == bottom - 1) {
      std::fill(row + x0, row + x1, pen);
      continue;
    }
    std::fill(row + x0, row + x1, fill);
    if (left >= x0) row[left] = pen;
    if (right - 1 < x1) row[right - 1] = pen;
  }
}

void DrawPicture(PixelBuffer& target, int x, int y, const Picture& picture) {
  const PixelBuffer& source = picture.pixels;
  for (int sy = 0; sy < source.Height(); ++sy) {
    for (int sx = 0; sx < source.Width(); ++sx) {
      const TColor colour = source.At(sx, sy);
      if (picture.transparent && *picture.transparent == colour) continue;
      if (target.Contains(x + sx, y + sy)) target.Set(x + sx, y + sy, colour);
    }
  }
}

}  // namespace tintspot
