// The drawing operations the main window's picture is made of, and a
// rasteriser for those that need no font. A shell runs a list of them in
// order: later operations lie over earlier ones, and none draws outside its
// clip rectangle.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "colour_types.h"
#include "geometry.h"
#include "pixel_buffer.h"
#include "text_look.h"

namespace tintspot {

enum class DrawKind {
  Fill,    // box filled with colour
  Frame,   // the outermost pixels of box in colour (a one-pixel pen)
  Pixels,  // *pixels with its top left at box's, every pixel but *transparent
  Text,    // *text laid out in box by *look
};

struct DrawOp {
  DrawKind kind = DrawKind::Fill;
  Rect clip;  // nothing is drawn outside it; never empty
  Rect box;
  TColor colour = kBlack;
  const PixelBuffer* pixels = nullptr;
  std::optional<TColor> transparent;
  const std::string* text = nullptr;
  const TextLook* look = nullptr;
};

// A 32-bit image in memory, rows top down, each pixel 0x00RRGGBB (bytes
// blue, green, red, unused: a device-independent bitmap's layout, and an X
// image's of depth 24).
struct RasterImage {
  std::uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;
};

constexpr std::uint32_t ToRasterPixel(TColor colour) {
  return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

// `count` pixels from `from` (of any alignment) into `to` with red and blue changing places:
// TColors to raster pixels, or raster pixels (an X image's of depth 24) to TColors. Four at a
// time, read before written, so that the compiler makes each group one vector shuffle (the view
// and the screen's area pass through it at every tick).
void SwapRedAndBlue(const void* from, std::uint32_t* to, int count);

// Runs a Fill, Frame or Pixels operation on image (a Text operation is the
// shell's, which has the fonts). The clip must lie within the image.
void Rasterise(const DrawOp& op, RasterImage& image);

}  // namespace tintspot
