// The 7 x 11 padlock drawn on the swatch while the sampler is locked.
#pragma once

#include "pixel_buffer.h"

namespace tintspot {

constexpr int kPadlockWidth = 7;
constexpr int kPadlockHeight = 11;

// The glyph in one opaque ink on a transparent key colour.
Picture MakePadlock(TColor ink);

}  // namespace tintspot
