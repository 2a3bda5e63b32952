// Shapes the skin's glyphs are made of, built on the canvas's Shape.
#pragma once

#include "canvas.h"

namespace skin {

// The box [left, right) x [top, bottom), grown by grow pixels all round with
// rounded corners.
Shape Box(double left, double top, double right, double bottom, double grow = 0);
Shape Union(Shape a, Shape b);
// Points of the shape that do not lie in the hole.
Shape Minus(Shape shape, Shape hole);

// A faint halo: every pixel within reach of the shape (but outside it) gets
// colour with the given peak coverage, fading out with distance.
void Halo(PixelBuffer& image, const Shape& near, const Shape& far, TColor colour, double peak);

}  // namespace skin
