// The window's top strip, 171 x 19: the title with the emblem and the name,
// then the always-on-top, minimize and close tabs. The whole strip is drawn
// at once so that the slanted edges meet across picture borders; each
// picture is cut out of it.
#pragma once

#include "canvas.h"
#include "fonts.h"

namespace skin {

constexpr int kStripWidth = 171;
constexpr int kStripHeight = 19;
constexpr int kTopTabLeft = 112;
constexpr int kMinTabLeft = 132;
constexpr int kCloseTabLeft = 152;

struct StripLook {
  TColor nameInk;             // colour of "Tintspot"
  bool onTopLit = false;      // orange plus
  bool minPressed = false;    // orange minus
  bool closePressed = false;  // orange cross
};

PixelBuffer TitleStrip(const FontFiles& fonts, const StripLook& look);

// The part of image at (left, top) of the given size.
PixelBuffer Crop(const PixelBuffer& image, int left, int top, int width, int height);

}  // namespace skin
