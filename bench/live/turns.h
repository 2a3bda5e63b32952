// Taking turns: native programs measured in quick alternation under one continuous motion.
//
// A round's phase measures one program for 10 s at a time, and on a virtual machine the cost of
// the same work moves by tens of percent from one such phase to the next, so the ratio of two
// programs' figures moves with it. Here all the programs run at once, all but one of them
// stopped (SIGSTOP). Each in turn runs, raised above the others, for a settling time and a
// measured second while the pointer moves at 100 Hz throughout. A cycle gives every program a
// turn, and each program's ratio to the reference is taken within the cycle, where the machine
// was the same for all of them; the median of those ratios is the figure.
#pragma once

#include <sys/types.h>

#include <ostream>
#include <string>
#include <vector>

#include "scene.h"
#include "subjects.h"

namespace livebench {

struct TurnResults {
  std::string name;
  std::vector<double> totals;     // per cycle: the program's and Xvfb's CPU s per 10 s
  double updates_per_second = 0;  // from the rounds; 0 if they did not measure it
};

// Takes `cycles` turns of each of `subjects` (all started; the first is the reference).
std::vector<TurnResults> TakeTurns(const std::vector<Subject*>& subjects, Scene& scene, int cycles,
                                   pid_t xvfb_pid);

// Each program's median total and its ratios to the first, per cycle: median and quartiles;
// per update against the reference's per tick (100 a second) where the update rate is known.
void PrintTurns(std::ostream& out, const std::vector<TurnResults>& results);

}  // namespace livebench
