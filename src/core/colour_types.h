// Basic colour type shared by every layer of the program.
#pragma once

#include <cstdint>

namespace tintspot {

// A colour as the screen and the drawing layer hand it over: 0x00BBGGRR,
// red in the low byte. A value with its top bit set is not an RGB colour but
// a reference to a system colour (its low byte is the index); the failed
// pixel read CLR_INVALID (0xFFFFFFFF) is such a value.
using TColor = std::uint32_t;

constexpr TColor kClrInvalid = 0xFFFFFFFFu;
constexpr TColor kBlack = 0x000000u;
constexpr TColor kWhite = 0xFFFFFFu;

constexpr TColor MakeColor(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned RedOf(TColor c) { return c & 0xFFu; }
constexpr unsigned GreenOf(TColor c) { return (c >> 8) & 0xFFu; }
constexpr unsigned BlueOf(TColor c) { return (c >> 16) & 0xFFu; }

// True when the value names a system colour rather than an RGB triple.
constexpr bool IsSystemColorReference(TColor c) { return (c & 0x80000000u) != 0; }

}  // namespace tintspot
