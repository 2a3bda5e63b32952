#include "pixel_format.h"

#include <cstdint>
#include <cstring>

namespace tintspot::x11 {

int HostByteOrder() {
  const std::uint16_t probe = 1;
  unsigned char first = 0;
  std::memcpy(&first, &probe, 1);
  return first == 1 ? LSBFirst : MSBFirst;
}

PixelFormat::Channel::Channel(unsigned long m) : mask(m) {
  if (mask == 0) return;
  while (((mask >> shift) & 1u) == 0) ++shift;
  while (bits < int(sizeof(unsigned long) * 8) - shift && ((mask >> (shift + bits)) & 1u) != 0)
    ++bits;
}

unsigned PixelFormat::Channel::Eight(unsigned long pixel) const {
  if (bits == 0) return 0;
  const unsigned long value = (pixel & mask) >> shift;
  if (bits >= 8) return unsigned(value >> (bits - 8)) & 0xFFu;
  // Repeat the bits until 8 are filled.
  unsigned wide = 0;
  int filled = 0;
  while (filled < 8) {
    wide = (wide << bits) | unsigned(value);
    filled += bits;
  }
  return (wide >> (filled - 8)) & 0xFFu;
}

PixelFormat::PixelFormat(unsigned long red_mask, unsigned long green_mask, unsigned long blue_mask)
    : red_(red_mask), green_(green_mask), blue_(blue_mask) {}

bool PixelFormat::IsXrgb8888() const {
  return red_.mask == 0xFF0000u && green_.mask == 0xFF00u && blue_.mask == 0xFFu;
}

}  // namespace tintspot::x11
