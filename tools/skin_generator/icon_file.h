// Writes the program icon: a .ico file of 256-colour images with AND masks.
#pragma once

#include <cstdint>
#include <vector>

#include "pixel_buffer.h"

namespace skin {

// The emblem as an icon image of size x size pixels (16 to 256); the
// transparent colour marks the pixels the icon leaves out.
tintspot::Picture IconImage(int size);

// One 8-bit image per picture (square, at most 256 pixels wide, at most 256
// opaque colours). The palette lists black first, then the colours in the
// order they first appear row by row; transparent pixels are black in the
// colour image and set in the AND mask. Throws std::invalid_argument when a
// picture does not fit.
std::vector<std::uint8_t> IconFile(const std::vector<tintspot::Picture>& images);

}  // namespace skin
