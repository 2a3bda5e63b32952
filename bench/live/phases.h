// The measuring phases of the live benchmark, each on one running program.
//
// CPU phases: the time on a CPU of all threads (/proc/PID/task/*/schedstat) of the program, of
// the prefix's wineserver, of the prefix's other Wine processes and of Xvfb, read before and
// after the phase and scaled to seconds per 10 s of wall time. The benchmark itself only moves the
// pointer (or sleeps) then. The update rate and the latency are measured in phases of their own,
// since they poll the screen through Xvfb.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <vector>

#include "scene.h"
#include "subjects.h"

namespace livebench {

struct CpuFigures {
  double program = 0, wineserver = 0, xvfb = 0;
  double wine_other = 0;    // the prefix's other processes: shown, not part of the total
  double program_stat = 0;  // the program's from /proc/PID/stat, the check of `program`
  double machine = 0;       // the whole machine's busy time (every process, every CPU)
  long resident_kb = 0;     // the program's resident memory at the end of the phase
  double Total() const { return program + wineserver + xvfb; }
};

enum class Motion { kResting, kMoving };

// The pointer moving at 100 Hz along the scene's path, one step every 10 ms on a fixed schedule.
class PathMotion {
 public:
  explicit PathMotion(Scene& scene);
  // Moves the pointer until `end`.
  void RunUntil(std::chrono::steady_clock::time_point end);

 private:
  Scene& scene_;
  long step_ = 0;
  std::chrono::steady_clock::time_point next_;
};

// `motion`: the pointer rests on the probe (a static screen), or moves at 100 Hz along the
// scene's path over the gradient. One second of settling before the measurement.
CpuFigures MeasureCpu(Subject& subject, Scene& scene, Motion motion, double seconds,
                      pid_t xvfb_pid);

// A pixel of the program's window that shows the colour under the resting pointer: it takes on
// two different probe colours in turn. None if the program shows no such pixel (the floor).
std::optional<e2e::Point> FindColourPixel(Subject& subject, Scene& scene);

struct UpdateRate {
  double updates_per_second = 0;
  double polls_per_second = 0;  // how often the colour pixel was read (must be well above)
};
// The probe changes colour at every poll (every millisecond or so), so every tick that samples
// shows a new colour; the changes of the program's colour pixel are counted.
UpdateRate MeasureUpdates(Scene& scene, e2e::Point colour_pixel, double seconds);

struct Latencies {
  std::vector<double> ms;  // from the probe's change (server done) to the pixel showing it
  int missed = 0;          // changes not shown within a second
};
// Changes the probe's colour `samples` times, 20 to 50 ms apart at random (so at random phases
// of the program's timer), and times each until the colour pixel shows the new colour.
Latencies MeasureLatency(Scene& scene, e2e::Point colour_pixel, int samples);

}  // namespace livebench
