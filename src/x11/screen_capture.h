// Reads rectangles of the root window (every mapped window as the screen shows it) into the
// core's pixel layout.
//
// The read goes through one MIT-SHM segment made at start and kept for the program's life;
// where the server offers no shared memory (a remote display, or no MIT-SHM), through
// XGetImage. The request is clipped to the root first (a read reaching outside it is a
// BadMatch): what lies outside the root, or on no monitor, reads as black.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <memory>
#include <vector>

#include "geometry.h"
#include "pixel_buffer.h"
#include "pixel_format.h"
#include "shm_segment.h"

namespace tintspot::x11 {

class ScreenCapture {
 public:
  // Areas up to max_width x max_height are read through the shared segment, larger ones
  // through XGetImage.
  ScreenCapture(Display* display, int max_width, int max_height);
  ~ScreenCapture();
  ScreenCapture(const ScreenCapture&) = delete;
  ScreenCapture& operator=(const ScreenCapture&) = delete;

  bool UsesSharedMemory() const { return segment_ != nullptr; }

  // After a change of the display: the root's size and, when given, the monitors' rectangles
  // (pixels of the root on none of them read as black; empty: the whole root shows).
  void RefreshRootSize();
  void SetMonitorAreas(std::vector<Rect> monitors) { monitors_ = std::move(monitors); }

  // Reads `area` (root coordinates) into `out`, which takes the area's size. False when the
  // server refused the read; `out` is then black.
  bool Read(const Rect& area, PixelBuffer& out);
  // The same into the part of `out` (which holds it) with its top left at `at`; on a refused
  // read that part is left as it was.
  bool ReadInto(const Rect& area, PixelBuffer& out, ScreenPoint at);

 private:
  XImage* ReadPart(const Rect& part);
  XImage* SharedImage(int width, int height);
  // Each writes the read `part` into `out` with its top left at `at`.
  void Convert(XImage* image, const Rect& part, ScreenPoint at, PixelBuffer& out);
  void ConvertThroughColormap(XImage* image, const Rect& part, ScreenPoint at, PixelBuffer& out);
  void BlackenOffMonitors(const Rect& part, ScreenPoint at, PixelBuffer& out) const;
  void DetachSegment();

  Display* display_;
  Window root_;
  Visual* visual_ = nullptr;
  Colormap colormap_ = 0;
  int depth_ = 0;
  int root_width_ = 0, root_height_ = 0;
  int max_width_, max_height_;
  PixelFormat format_;
  bool true_colour_ = true;
  std::vector<Rect> monitors_;

  std::unique_ptr<ShmSegment> segment_;  // none: reads go through XGetImage
  XImage* shared_image_ = nullptr;       // the segment's image at its current size
};

}  // namespace tintspot::x11
