// Reading the screen: the screen device context held for one tick, copies
// of screen areas through a reused DIB section, and single pixels.
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
  ~ScreenCapture();
  ScreenCapture(const ScreenCapture&) = delete;
  ScreenCapture& operator=(const ScreenCapture&) = delete;

  void Acquire();
  void Release();
  // Copies the screen area at origin of target's size into target; pixels
  // outside the virtual screen and off every monitor are black.
  void CopyArea(ScreenPoint origin, PixelBuffer& target);
  // GetPixel on the screen; CLR_INVALID when the pixel cannot be read.
  TColor Pixel(ScreenPoint point);
  // The monitor layout changed.
  void ForgetMonitors() { monitorsKnown_ = false; }

 private:
  HDC Source();
  void LearnMonitors();

  HDC screen_ = nullptr;  // held between Acquire and Release
  DibSurface surface_;    // allocated once, at the largest capture size
  std::vector<RECT> monitors_;
  bool monitorsKnown_ = false;
};

}  // namespace tintspot::win32
