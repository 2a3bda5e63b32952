// The row under the readouts, 171 x 16: the magnifier bar (133 wide), then
// the help key and the menu key (19 wide each). Drawn whole and cut into
// pictures like the title strip.
#pragma once

#include "canvas.h"
#include "fonts.h"

namespace skin {

constexpr int kRowWidth = 171;
constexpr int kRowHeight = 16;
constexpr int kMagBarWidth = 133;
constexpr int kHelpKeyLeft = 133;
constexpr int kMenuKeyLeft = 152;
constexpr int kKeyWidth = 19;

struct RowLook {
  bool magnifierShown = false;  // orange text, upward triangle
  bool helpPressed = false;
  bool menuPressed = false;
};

PixelBuffer ButtonRow(const FontFiles& fonts, const RowLook& look);

}  // namespace skin
