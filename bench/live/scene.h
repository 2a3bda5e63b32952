// What the pointer of the live benchmark moves over: a static colour gradient (every pixel a
// different colour, so a moving pointer changes the sampled colour at every step) and a solid
// "probe" square whose colour the benchmark changes under the resting pointer.
#pragma once

#include "xdriver.h"

namespace livebench {

class Scene {
 public:
  explicit Scene(e2e::XDriver& x);
  ~Scene();
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  e2e::XDriver& x() { return x_; }
  e2e::Point ProbeCentre() const;
  // Fills the probe with `colour`; the request is only flushed (no round trip).
  void SetProbe(e2e::Rgb colour);
  // Moves the pointer through XTest like a mouse; flushed, no round trip.
  void MovePointer(e2e::Point to);
  // Step `step` of a closed path over the gradient, a few pixels from the step before.
  e2e::Point PathPoint(long step) const;

 private:
  e2e::XDriver& x_;
  e2e::PatternWindow gradient_;
  Window probe_ = 0;
};

}  // namespace livebench
