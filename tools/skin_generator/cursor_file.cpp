#include "cursor_file.h"

#include <stdexcept>
#include <string>

#include "byte_writer.h"

namespace skin {

std::vector<std::uint8_t> CursorFile(const CursorArt& art) {
  const int stride = MaskStride(kCursorSize);
  std::vector<std::uint8_t> xorMask(static_cast<std::size_t>(stride * kCursorSize), 0);
  std::vector<std::uint8_t> andMask(xorMask.size(), 0);
  for (int y = 0; y < kCursorSize; ++y) {
    // Rows are stored bottom up.
    const std::size_t row = static_cast<std::size_t>((kCursorSize - 1 - y) * stride);
    for (int x = 0; x < kCursorSize; ++x) {
      const std::uint8_t bit = static_cast<std::uint8_t>(0x80u >> (x % 8));
      const std::size_t at = row + static_cast<std::size_t>(x / 8);
      switch (art.rows[y][x]) {
        case '.': andMask[at] |= bit; break;
        case 'o': xorMask[at] |= bit; break;
        case 'X': break;
        default:
          throw std::invalid_argument("cursor pixel " + std::to_string(x) + "," +
                                      std::to_string(y) + " is neither '.', 'X' nor 'o'");
      }
    }
  }
  const std::uint32_t palette = 2 * 4;
  const std::uint32_t imageBytes = static_cast<std::uint32_t>(40 + palette + 2 * xorMask.size());

  std::vector<std::uint8_t> out;
  // Directory: one cursor image.
  PutU16(out, 0);
  PutU16(out, 2);
  PutU16(out, 1);
  PutU8(out, kCursorSize);
  PutU8(out, kCursorSize);
  PutU8(out, 2);  // colours
  PutU8(out, 0);
  PutU16(out, static_cast<unsigned>(art.hotX));
  PutU16(out, static_cast<unsigned>(art.hotY));
  PutU32(out, imageBytes);
  PutU32(out, 22);
  // The image: header, black and white, then the XOR and AND masks.
  PutIconBitmapHeader(out, kCursorSize, 1, static_cast<std::uint32_t>(2 * xorMask.size()), 2);
  PutU32(out, 0x00000000u);
  PutU32(out, 0x00FFFFFFu);
  out.insert(out.end(), xorMask.begin(), xorMask.end());
  out.insert(out.end(), andMask.begin(), andMask.end());
  return out;
}

}  // namespace skin
