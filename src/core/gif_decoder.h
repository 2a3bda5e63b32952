// Reads the skin pictures, which are stored as single-frame GIF images.
//
// What is accepted:
// - signature "GIF89a" or "GIF87a";
// - a logical screen and a first image of 1..kGifMaxDimension pixels each way;
// - a global and/or a local colour table (the local one wins for the image);
// - LZW data with clear codes, code sizes up to 12 bits and a full table that
//   is kept until the next clear ("deferred clear"); data after the last
//   pixel is ignored, data that ends before the last pixel is an error;
// - interlaced or sequential rows;
// - a Graphic Control Extension before the image: its transparent colour
//   index becomes Picture::transparent, the colour of that index. Since the
//   drawing layer leaves out every pixel of that colour, a file in which an
//   opaque pixel has the same colour as the transparent index is refused;
// - any other extension is skipped, and so is everything after the first
//   image's data (the trailer is not required).
// The image is placed at its position on the logical screen. It must lie
// wholly inside the screen; the screen pixels it does not cover take the
// colour of the global table's background index (so a frame that leaves
// part of the screen uncovered needs a global table). Those background
// pixels count as opaque unless the image uses the global table and the
// background index is its transparent index.
//
// Bad input never throws and is never read out of bounds; it gives an error
// text instead of a picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "pixel_buffer.h"

namespace tintspot {

// Largest width and height, of the logical screen and of the image, that the
// decoder accepts: bounds the memory a hostile header can ask for.
constexpr int kGifMaxDimension = 4096;

struct GifResult {
  std::optional<Picture> picture;  // set on success
  std::string error;               // set (non-empty) on failure
};

GifResult DecodeGif(const std::uint8_t* data, std::size_t size);

}  // namespace tintspot
