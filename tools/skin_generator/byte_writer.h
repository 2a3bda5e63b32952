// Little-endian fields of the icon and cursor files.
#pragma once

#include <cstdint>
#include <vector>

namespace skin {

inline void PutU8(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
}
inline void PutU16(std::vector<std::uint8_t>& out, unsigned value) {
  PutU8(out, value);
  PutU8(out, value >> 8);
}
inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFFu);
  PutU16(out, value >> 16);
}

// A BITMAPINFOHEADER of an icon or cursor image: the height counts the XOR
// and the AND mask together.
inline void PutIconBitmapHeader(std::vector<std::uint8_t>& out, int size, int bitCount,
                                std::uint32_t imageBytes, unsigned coloursUsed) {
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(size));
  PutU32(out, static_cast<std::uint32_t>(size * 2));
  PutU16(out, 1);
  PutU16(out, static_cast<unsigned>(bitCount));
  PutU32(out, 0);  // uncompressed
  PutU32(out, imageBytes);
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, coloursUsed);
  PutU32(out, 0);
}

// Bytes of one row of a 1-bit mask, padded to whole 32-bit words.
inline int MaskStride(int width) { return (width + 31) / 32 * 4; }

}  // namespace skin
