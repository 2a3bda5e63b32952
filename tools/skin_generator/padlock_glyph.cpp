#include "padlock_glyph.h"

namespace tintspot {

namespace {
// Shackle over a solid body with a two-pixel keyhole; the body's bottom
// corners are cut off.
constexpr const char* kShape[kPadlockHeight] = {
    "..###..",  //
    ".#...#.",  //
    ".#...#.",  //
    ".#...#.",  //
    "#######",  //
    "#######",  //
    "###.###",  //
    "###.###",  //
    "#######",  //
    "#######",  //
    ".#####.",  //
};
}  // namespace

Picture MakePadlock(TColor ink) {
  // The key must differ from the ink; it never reaches the screen.
  const TColor key = ink == 0xFF00FFu ? 0x00FF00u : 0xFF00FFu;
  Picture picture{PixelBuffer(kPadlockWidth, kPadlockHeight, key), key};
  for (int y = 0; y < kPadlockHeight; ++y)
    for (int x = 0; x < kPadlockWidth; ++x)
      if (kShape[y][x] == '#') picture.pixels.Set(x, y, ink);
  return picture;
}

}  // namespace tintspot
