#include "swatch.h"

#include "colour_model.h"

namespace tintspot {

PixelBuffer ComposeSwatch(const SwatchInputs& inputs) {
  const Shades shades = ShadesOf(inputs.colour);
  // What three nested rectangles would leave (a dark-shadow outline filled white, then two
  // outlines in the shades filled with the colour), drawn ring by ring so that each pixel is
  // written about once: the swatch is composed anew at every tick that changes the colour.
  const TColor rings[] = {inputs.darkShadow, kWhite, shades.outer, shades.inner};
  PixelBuffer swatch(kSwatchSize, kSwatchSize, inputs.centreFill);
  constexpr int kLast = kSwatchSize - 1;
  for (int ring = 0; ring < 4; ++ring) {
    const int near = ring, far = kLast - ring;
    for (int i = near; i <= far; ++i) {
      swatch.Set(i, near, rings[ring]);
      swatch.Set(i, far, rings[ring]);
      swatch.Set(near, i, rings[ring]);
      swatch.Set(far, i, rings[ring]);
    }
  }
  if (inputs.padlock) DrawPicture(swatch, kPadlockLeft, kPadlockTop, *inputs.padlock);
  return swatch;
}

}  // namespace tintspot
