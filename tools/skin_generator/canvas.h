// Drawing on a skin picture: exact fills and one-pixel lines, and
// anti-aliased shapes whose coverage is rounded to a few alpha levels so that
// every picture keeps within the 256 colours a GIF file can hold.
#pragma once

#include <functional>
#include <vector>

#include "pixel_buffer.h"

namespace skin {

using tintspot::PixelBuffer;
using tintspot::TColor;

// Coverage is rounded to sixteenths.
constexpr int kAlphaLevels = 16;

constexpr TColor Rgb(unsigned r, unsigned g, unsigned b) { return tintspot::MakeColor(r, g, b); }

// The colour level/kAlphaLevels of the way from under to over, per channel,
// rounded to nearest; blending is plain arithmetic on the stored values.
TColor Blend(TColor under, TColor over, int level);
// Rounds a coverage in [0, 1] to a level of 0..kAlphaLevels.
int CoverageLevel(double coverage);

// Lays colour over the pixel with the given coverage; pixels outside the
// picture are left out.
void Cover(PixelBuffer& image, int x, int y, TColor colour, double coverage);

void FillRect(PixelBuffer& image, int left, int top, int width, int height, TColor colour);
void HLine(PixelBuffer& image, int left, int right, int y, TColor colour);  // inclusive
void VLine(PixelBuffer& image, int x, int top, int bottom, TColor colour);  // inclusive

// Row y of top..bottom (inclusive) gets the colour (y - top)/(bottom - top)
// of the way from first to last, rounded per channel.
TColor GradientAt(TColor first, TColor last, int top, int bottom, int y);
void VerticalGradient(PixelBuffer& image, int left, int top, int width, int height, TColor first,
                      TColor last);

// A shape given by whether a point (in pixel units, pixel (x, y) covering
// [x, x+1) x [y, y+1)) lies inside it.
using Shape = std::function<bool(double x, double y)>;
// Fraction of the pixel inside the shape, from 4 x 4 samples.
double Coverage(const Shape& shape, int x, int y);
// Covers every pixel of the picture with colour by its coverage.
void FillShape(PixelBuffer& image, const Shape& shape, TColor colour);
// Like FillShape, with the colour of each pixel from colourAt(x, y).
void FillShape(PixelBuffer& image, const Shape& shape,
               const std::function<TColor(int x, int y)>& colourAt);

struct Point {
  double x;
  double y;
};
// A polygon (even-odd rule) as a shape.
Shape Polygon(std::vector<Point> corners);
// A straight stroke of the given width between two points, square ends.
Shape Stroke(Point from, Point to, double width);
// A disc and a ring (the band between two radii).
Shape Disc(Point centre, double radius);
Shape Ring(Point centre, double inner, double outer);

}  // namespace skin
