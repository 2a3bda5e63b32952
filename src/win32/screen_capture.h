// Reading the screen: one read per tick that copies a screen area through a
// reused DIB section and answers the colour of one pixel in it, with the
// screen device context held only for the span of the read.
#pragma once

#include <windows.h>

#include <vector>

#include "colour_types.h"
#include "gdi_util.h"
#include "geometry.h"
#include "pixel_buffer.h"

namespace tintspot::win32 {

class ScreenCapture {
 public:
  ScreenCapture();
  ScreenCapture(const ScreenCapture&) = delete;
  ScreenCapture& operator=(const ScreenCapture&) = delete;

  // Copies the screen area at origin of target's size into target (pixels
  // outside the virtual screen and off every monitor are black) and answers
  // the colour GetPixel on the screen gives for point: CLR_INVALID when it
  // cannot be read.
  TColor Capture(ScreenPoint origin, PixelBuffer& target, ScreenPoint point);
  // The monitor layout or the screen's depth changed.
  void ForgetMonitors() { layoutKnown_ = false; }

 private:
  void LearnLayout(HDC screen);

  DibSurface surface_;  // allocated once, at the largest capture size
  std::vector<RECT> monitors_;
  RECT virtualScreen_{};
  bool exactCopies_ = false;  // a copied pixel has GetPixel's colour (see Capture)
  bool layoutKnown_ = false;
};

}  // namespace tintspot::win32
