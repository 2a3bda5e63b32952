// One MIT-SHM segment shared with the X server, made once and kept until the owner goes: the
// screen read and the main window's back buffer each hold one, so a tick moves no pixels
// through the connection.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstddef>

namespace tintspot::x11 {

class ShmSegment {
 public:
  // Not attached where the server offers no MIT-SHM or cannot map the segment (a display on
  // another machine), or the system refuses one of `bytes`.
  ShmSegment(Display* display, std::size_t bytes);
  ~ShmSegment();
  ShmSegment(const ShmSegment&) = delete;
  ShmSegment& operator=(const ShmSegment&) = delete;

  bool attached() const { return attached_; }
  char* data() const { return info_.shmaddr; }
  // For XShmCreateImage and its kin.
  XShmSegmentInfo* info() { return &info_; }

 private:
  Display* display_;
  XShmSegmentInfo info_{};
  bool attached_ = false;
};

}  // namespace tintspot::x11
