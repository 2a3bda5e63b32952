// The measuring build (CMake option TINTSPOT_TICK_PROFILE): times every stage
// of the sampling tick with the performance counter and writes a table of
// them to "tick-profile.txt" in the working folder when the program ends.
// In the ordinary build every part of it is empty and costs nothing.
#pragma once

namespace tintspot::win32::profile {

#ifdef TINTSPOT_TICK_PROFILE

// Times the scope it lives in under name. The time between two outermost
// stages of a tick is the core's own work and is booked as "core after NAME".
class Stage {
 public:
  explicit Stage(const char* name);
  ~Stage();
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

 private:
  const char* name_;
  long long start_;
};

// Brackets one sampling tick.
class Tick {
 public:
  Tick();
  ~Tick();
  Tick(const Tick&) = delete;
  Tick& operator=(const Tick&) = delete;
};

void WriteReport();

#else

class Stage {
 public:
  explicit Stage(const char*) {}
};
class Tick {
 public:
  Tick() {}
};
inline void WriteReport() {}

#endif

}  // namespace tintspot::win32::profile
