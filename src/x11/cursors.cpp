#include "cursors.h"

#include <X11/Xcursor/Xcursor.h>

#include "icon_file.h"

namespace tintspot::x11 {

Cursor LoadCursorFile(Display* display, const std::vector<std::uint8_t>& cur_file) {
  const auto images = ParseIconFile(cur_file);
  if (!images || images->empty()) return 0;
  const ArgbImage& source = images->front();
  XcursorImage* image = XcursorImageCreate(source.width, source.height);
  if (image == nullptr) return 0;
  image->xhot = XcursorDim(source.hot_x);
  image->yhot = XcursorDim(source.hot_y);
  // Xcursor takes premultiplied alpha.
  for (size_t i = 0; i < source.pixels.size(); ++i) {
    const std::uint32_t p = source.pixels[i];
    const std::uint32_t a = p >> 24;
    auto channel = [&](int shift) { return ((((p >> shift) & 0xFFu) * a + 127) / 255) << shift; };
    image->pixels[i] = (a << 24) | channel(16) | channel(8) | channel(0);
  }
  const Cursor cursor = XcursorImageLoadCursor(display, image);
  XcursorImageDestroy(image);
  return cursor;
}

}  // namespace tintspot::x11
