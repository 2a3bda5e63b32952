// Writes a cursor as a .cur file: one 32 x 32 image, two colours, with its
// AND and XOR masks.
#pragma once

#include <cstdint>
#include <vector>

#include "cursor_art.h"

namespace skin {

// Black is AND 0 / XOR 0, white AND 0 / XOR 1, transparent AND 1 / XOR 0.
// Throws std::invalid_argument on a character other than '.', 'X' and 'o'.
std::vector<std::uint8_t> CursorFile(const CursorArt& art);

}  // namespace skin
