// The enlarged view around the cursor.
#pragma once

#include "geometry.h"
#include "pixel_buffer.h"

namespace tintspot {

constexpr int kMagWidth = 167;
constexpr int kMagHeight = 87;
constexpr int kZoomLevels = 7;

// Magnification of each zoom-list item ("Zoom: 100%" ... "Zoom: 2800%").
int ZoomFactorOf(int index);
const char* ZoomItemText(int index);

// The screen area the view shows: W div zoom x H div zoom pixels, centred on
// the cursor's pixel (every size is odd), origin by truncating division.
Rect MagnifierSource(ScreenPoint cursor, int zoomFactor, int viewWidth, int viewHeight);

// Enlarges source over the whole of view, each source pixel becoming a solid
// block. View pixel (x, y) shows source pixel
//   ((2x + 1) * srcW div 2W, (2y + 1) * srcH div 2H),
// the source pixel under the view pixel's centre, so the blocks are spread
// evenly and symmetrically (at 2800% 33, 34, 33, 34, 33 wide and 29 high).
void EnlargeInto(const PixelBuffer& source, PixelBuffer& view);

// Inverts the four cross-hair arms around the view's centre (W div 2,
// H div 2): pixels 2 to 5 away to the left, right, above and below. The
// centre and its four neighbours stay as they are.
void InvertCrossHair(PixelBuffer& view);

// The start-up content of the view: white with a one-pixel black frame.
void ResetMagnifierView(PixelBuffer& view);

}  // namespace tintspot
