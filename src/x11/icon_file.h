// The program's cursor (.cur) and icon (.ico) files as ARGB images.
//
// Both are an icon directory followed by device-independent bitmaps: a colour image (1, 4 or
// 8 bits through a palette, 24 bits, or 32 bits with alpha) of twice the entry's height, its
// lower half in the file being the 1-bit AND mask that makes pixels transparent. A cursor's
// entry holds its hot spot.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tintspot::x11 {

struct ArgbImage {
  int width = 0, height = 0;
  int hot_x = 0, hot_y = 0;           // a cursor's hot spot (0,0 for an icon)
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, not premultiplied, top row first
};

// Every image of the file, in the file's order; nullopt when the data is not such a file (or
// uses a form left out here: PNG entries, compressed bitmaps).
std::optional<std::vector<ArgbImage>> ParseIconFile(const std::vector<std::uint8_t>& data);

}  // namespace tintspot::x11
