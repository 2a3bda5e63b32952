// The swatch: rings at their exact columns and rows, the centre, and the
// padlock laid over it with its transparent pixels left out.
#include "swatch.h"

#include <gtest/gtest.h>

#include "colour_model.h"
#include "fake_platform.h"
#include "gif_decoder.h"

namespace tintspot {
namespace {

constexpr TColor kShadow = MakeColor(106, 106, 106);

// The ring a pixel belongs to: 0 to 3, or 4 for the centre.
int RingOf(int x, int y) {
  const int fromEdge = std::min(std::min(x, y), std::min(47 - x, 47 - y));
  return std::min(fromEdge, 4);
}

TEST(Swatch, RingsSurroundTheCentre) {
  const TColor colour = MakeColor(51, 102, 153);
  SwatchInputs inputs;
  inputs.colour = colour;
  inputs.centreFill = colour;
  inputs.darkShadow = kShadow;
  const PixelBuffer swatch = ComposeSwatch(inputs);
  ASSERT_EQ(swatch.Width(), 48);
  ASSERT_EQ(swatch.Height(), 48);
  const TColor expected[5] = {kShadow, kWhite, MakeColor(34, 68, 102), MakeColor(44, 88, 133),
                              colour};
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x)
      ASSERT_EQ(swatch.At(x, y), expected[RingOf(x, y)]) << x << "," << y;
}

TEST(Swatch, CentreFillIsIndependentOfTheReadoutColour) {
  // A failed read: rings describe white, the centre is what the drawing
  // layer makes of the value.
  SwatchInputs inputs;
  inputs.colour = kClrInvalid;
  inputs.centreFill = kBlack;
  inputs.darkShadow = kShadow;
  const PixelBuffer swatch = ComposeSwatch(inputs);
  EXPECT_EQ(swatch.At(2, 20), MakeColor(204, 204, 204));
  EXPECT_EQ(swatch.At(3, 20), MakeColor(235, 235, 235));
  EXPECT_EQ(swatch.At(24, 24), kBlack);
}

TEST(Swatch, PadlockCoversItsCellAndLeavesTransparentPixels) {
  const TColor colour = MakeColor(200, 30, 30);
  // The white padlock of the committed skin.
  const std::vector<std::uint8_t> gif = testing::LoadCommittedSkin().at("IMGLOCKWHITE");
  const Picture padlock = *DecodeGif(gif.data(), gif.size()).picture;
  ASSERT_TRUE(padlock.transparent.has_value());
  SwatchInputs inputs;
  inputs.colour = colour;
  inputs.centreFill = colour;
  inputs.darkShadow = kShadow;
  const PixelBuffer plain = ComposeSwatch(inputs);
  inputs.padlock = &padlock;
  const PixelBuffer locked = ComposeSwatch(inputs);
  int ink = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) {
      const bool inCell = x >= 35 && x <= 41 && y >= 32 && y <= 42;
      if (!inCell) {
        ASSERT_EQ(locked.At(x, y), plain.At(x, y)) << x << "," << y;
        continue;
      }
      const TColor glyph = padlock.pixels.At(x - 35, y - 32);
      const bool opaque = glyph != *padlock.transparent;
      EXPECT_EQ(locked.At(x, y), opaque ? kWhite : colour) << x << "," << y;
      ink += opaque;
    }
  }
  // A real glyph: mostly ink, with transparent pixels in its cell too.
  EXPECT_GT(ink, 40);
  EXPECT_LT(ink, 7 * 11);
}

}  // namespace
}  // namespace tintspot
