// The rules of reading the screen, on top of the shell's primitive answers
// (where the pointer is, which window lies at a point, the monitors, raw
// copies of on-screen rectangles, single pixels):
// - a pointer position that cannot be read leaves the last one;
// - a point is over the program's own window when it lies in the main
//   window's rectangle and the window there is the main window or the zoom
//   list's closed field; the dropped-down item list counts as another window,
//   like any other the program shows, and a point outside the main
//   rectangle is foreign without asking the desktop;
// - screen pixels off every monitor read as black;
// - the colour of the sampled point comes from the copy when the copy holds
//   it exactly as a read of that one pixel would give it, and from such a
//   read otherwise;
// - the monitors and the screen's depth are asked once, and again only after
//   the display changed.
#pragma once

#include <optional>
#include <vector>

#include "colour_types.h"
#include "geometry.h"
#include "pixel_buffer.h"
#include "platform.h"

namespace tintspot {

class ScreenReader {
 public:
  explicit ScreenReader(Platform& platform) : platform_(platform) {}

  // The pointer's screen position; the last one read when it cannot be read.
  ScreenPoint Cursor();
  // True when point is over the main window or its closed zoom list.
  bool IsOwnWindowAt(ScreenPoint point);
  // One read of the screen: copies the screen rectangle with its top left at
  // origin and the size of area into area (pixels off every monitor black),
  // and answers the colour of the pixel at point: kClrInvalid when it cannot
  // be read. The screen is held only for the span of the call.
  TColor Capture(ScreenPoint origin, PixelBuffer& area, ScreenPoint point);
  // What a read of the screen rectangle area at point would answer, when the
  // desktop can tell that nothing was drawn on it since the last complete
  // read of the same area at the same point: that read's colour (and its copy
  // is the one taken then). nullopt: the screen must be read. Ask it before
  // every read, since asking starts the desktop's next period.
  std::optional<TColor> Unchanged(const Rect& area, ScreenPoint point);
  // The monitor layout or the screen's depth changed.
  void DisplayChanged() {
    layoutKnown_ = false;
    lastRead_.reset();
  }

 private:
  Platform& platform_;
  ScreenPoint lastCursor_;
  std::vector<Rect> monitors_;
  // At 24 bits per pixel and more the screen holds 8-bit channels, which a
  // copy keeps exactly, as a read of one pixel does; below that the two take
  // different conversions to 8-bit channels.
  bool exactCopies_ = false;
  bool layoutKnown_ = false;
  // The last read in which every copy succeeded and the point was read.
  struct Read {
    Rect area;
    ScreenPoint point;
    TColor colour;
  };
  std::optional<Read> lastRead_;
};

}  // namespace tintspot
