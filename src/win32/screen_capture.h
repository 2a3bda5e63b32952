// Reading the screen, for the core's screen reader: the monitors, the
// screen's depth, and raw copies of on-screen rectangles and single pixels
// through one screen device context, held from Begin to End. Copies go
// through a reused DIB section.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "colour_types.h"
#include "gdi_owners.h"
#include "gdi_util.h"
#include "geometry.h"
#include "pixel_buffer.h"

namespace tintspot::win32 {

class ScreenCapture {
 public:
  ScreenCapture();
  ScreenCapture(const ScreenCapture&) = delete;
  ScreenCapture& operator=(const ScreenCapture&) = delete;

  static std::vector<Rect> MonitorRects();
  static int BitsPerPixel();

  // Takes the screen device context; false when there is none.
  bool Begin();
  // BitBlt of part into the DIB, then into target at targetAt.
  bool Copy(const Rect& part, PixelBuffer& target, ScreenPoint targetAt);
  // GetPixel on the held device context (CLR_INVALID when none is held).
  TColor Pixel(ScreenPoint point);
  void End();

 private:
  DibSurface surface_;  // allocated once, at the largest capture size
  std::optional<WindowDc> screen_;
};

}  // namespace tintspot::win32
