// The program's emblem: a 2 x 2 grid of bevelled squares, green top left,
// orange top right, purple bottom left, red bottom right.
#pragma once

#include "canvas.h"

namespace skin {

// Draws one bevelled square of the given size with its top left at (x, y).
void BevelledSquare(PixelBuffer& image, int x, int y, int size, TColor colour);

// Draws the grid with its top left at (x, y): squares of the given size with
// gap pixels between them (left untouched).
void Emblem(PixelBuffer& image, int x, int y, int square, int gap);

}  // namespace skin
