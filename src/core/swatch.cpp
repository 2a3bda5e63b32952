#include "swatch.h"

#include "colour_model.h"

namespace tintspot {

PixelBuffer ComposeSwatch(const SwatchInputs& inputs) {
  const Shades shades = ShadesOf(inputs.colour);
  PixelBuffer swatch(kSwatchSize, kSwatchSize);
  const int w = swatch.Width();
  const int h = swatch.Height();
  swatch.DrawRectangle(0, 0, w, h, inputs.darkShadow, kWhite);
  swatch.DrawRectangle(2, 2, w - 2, h - 2, shades.outer, inputs.centreFill);
  swatch.DrawRectangle(3, 3, w - 3, h - 3, shades.inner, inputs.centreFill);
  if (inputs.padlock) DrawPicture(swatch, kPadlockLeft, kPadlockTop, *inputs.padlock);
  return swatch;
}

}  // namespace tintspot
