#include "emblem.h"

#include "palette.h"

namespace skin {

namespace {

TColor Darker(TColor colour, int sixteenths) { return Blend(colour, Rgb(0, 0, 0), sixteenths); }
TColor Lighter(TColor colour, int sixteenths) {
  return Blend(colour, Rgb(255, 255, 255), sixteenths);
}

}  // namespace

void BevelledSquare(PixelBuffer& image, int x, int y, int size, TColor colour) {
  const int bevel = size >= 12 ? 2 : 1;
  const int last = size - 1;
  // Edge in a deep shade of the colour.
  FillRect(image, x, y, size, size, Darker(colour, 5));
  // Face with a light upper left bevel and a dark lower right one.
  for (int i = 0; i < bevel; ++i) {
    const int a = 1 + i;
    const int b = last - 1 - i;
    HLine(image, x + a, x + b, y + a, Lighter(colour, 10 - 3 * i));
    VLine(image, x + a, y + a, y + b, Lighter(colour, 10 - 3 * i));
    HLine(image, x + a + 1, x + b, y + b, Darker(colour, 3 + i));
    VLine(image, x + b, y + a + 1, y + b, Darker(colour, 3 + i));
  }
  const int inner = 1 + bevel;
  const int face = size - 2 * inner;
  if (face > 0) {
    // A soft light from the top of the face down to the colour itself.
    VerticalGradient(image, x + inner, y + inner, face, face, Lighter(colour, 3), colour);
  }
}

void Emblem(PixelBuffer& image, int x, int y, int square, int gap) {
  const int step = square + gap;
  BevelledSquare(image, x, y, square, palette::kGreen);
  BevelledSquare(image, x + step, y, square, palette::kEmblemOrange);
  BevelledSquare(image, x, y + step, square, palette::kPurple);
  BevelledSquare(image, x + step, y + step, square, palette::kRed);
}

}  // namespace skin
