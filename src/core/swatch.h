// The bevelled colour swatch: four one-pixel rings around a 40 x 40 centre,
// with the padlock on top while the sampler is locked.
#pragma once

#include "colour_types.h"
#include "pixel_buffer.h"

namespace tintspot {

constexpr int kSwatchSize = 48;
constexpr int kPadlockLeft = 35;
constexpr int kPadlockTop = 32;

struct SwatchInputs {
  TColor colour = kBlack;            // CurrentColor as it is stored
  TColor darkShadow = kBlack;        // the desktop's dark-shadow colour (ring 0)
  TColor centreFill = kBlack;        // colour as the drawing layer paints it
  const Picture* padlock = nullptr;  // drawn when not null

  bool operator==(const SwatchInputs& other) const {
    return colour == other.colour && darkShadow == other.darkShadow &&
           centreFill == other.centreFill && padlock == other.padlock;
  }
  bool operator!=(const SwatchInputs& other) const { return !(*this == other); }
};

// Composes the swatch. Rings 2 and 3 are the outer and inner shades of the
// colour's low three bytes; the centre is centreFill.
PixelBuffer ComposeSwatch(const SwatchInputs& inputs);

}  // namespace tintspot
