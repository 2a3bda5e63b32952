// The readout panel imgMain, 171 x 90: the row captions, the light-blue box
// the five readouts are written on, the place of the swatch and the hint
// below it.
#pragma once

#include "canvas.h"
#include "fonts.h"

namespace skin {

constexpr int kPanelWidth = 171;
constexpr int kPanelHeight = 90;

// Where the readout labels lie on the panel: 66 x 13 each, 15 rows apart.
constexpr int kReadoutLeft = 40;
constexpr int kReadoutWidth = 66;
constexpr int kReadoutTop = 9;
constexpr int kReadoutHeight = 13;
constexpr int kReadoutPitch = 15;
constexpr int kReadoutRows = 5;

// Where the swatch is painted: 48 x 48.
constexpr int kSwatchLeft = 115;
constexpr int kSwatchTop = 6;
constexpr int kSwatchSize = 48;

PixelBuffer ReadoutPanel(const FontFiles& fonts);

}  // namespace skin
