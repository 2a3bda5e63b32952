// Writes a picture as a PNG file (8-bit RGBA), for the desktop icons of the
// Linux package.
#pragma once

#include <cstdint>
#include <vector>

#include "pixel_buffer.h"

namespace skin {

// The picture's transparent colour becomes fully transparent, every other
// pixel fully opaque. The image data is stored, not compressed: the package
// that ships the files compresses them as a whole. The same picture always
// gives the same bytes (no time or text chunks).
std::vector<std::uint8_t> PngFile(const tintspot::Picture& picture);

}  // namespace skin
