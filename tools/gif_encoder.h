// Writes pictures as single-frame GIF89a files, for the tools that make and
// check the skin; the program itself only reads them (gif_decoder.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pixel_buffer.h"

namespace tintspot {

struct GifEncoding {
  std::optional<std::vector<std::uint8_t>> bytes;  // set on success
  std::string error;                               // set (non-empty) on failure
};

// The file holds, in this order: the GIF89a header; a logical screen of the
// picture's size with background index 0; a global colour table of the
// picture's colours in the order they first appear row by row (the
// transparent colour, when no pixel has it, last), padded to a power of two
// with black, or white when black is the transparent colour; a Graphic
// Control Extension naming the transparent index only when the picture has
// a transparent colour; the one image, not interlaced, covering the screen;
// its LZW data, with a clear code whenever the code table fills; the
// trailer. The same picture always gives the same bytes.
//
// Refused: an empty picture, one wider or higher than the decoder accepts,
// more than 256 colours (the transparent colour included), and pixel or
// transparent values that are not 0x00BBGGRR colours.
GifEncoding EncodeGif(const Picture& picture);

}  // namespace tintspot
