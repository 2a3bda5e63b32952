// The live benchmark's results over its rounds, and the tables, ratios and targets it prints.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "phases.h"
#include "subjects.h"

namespace livebench {

// Phase names, in the order of the table.
inline const char* const kMoving = "pointer moving 100 Hz";
inline const char* const kResting = "pointer resting";
inline const char* const kHiddenResting = "magnifier hidden, resting";
inline const char* const kHiddenMoving = "magnifier hidden, moving";

// What one round measured on one program.
struct RoundResult {
  std::map<std::string, CpuFigures> cpu;  // by phase name
  std::optional<UpdateRate> updates;
  std::optional<Latencies> latency;
  std::vector<double> start_seconds;  // launch to window, of each start in the round
};

struct SubjectResults {
  std::string name;
  Kind kind;
  std::string binary;  // the file whose size and libraries are shown; empty for none
  std::vector<RoundResult> rounds;
};

// The floor program's timer: its CPU per tick is its CPU per 10 s over this many ticks a second.
inline constexpr double kFloorTicksPerSecond = 100;

// The median of the values that are numbers (NaN if none is).
double Median(std::vector<double> values);
// The nearest-rank percentile `p` (0 to 100) of the values (NaN if there are none).
double Percentile(std::vector<double> values, double p);
// The median over the rounds of the program's update rate (NaN where none was measured).
double UpdatesPerSecond(const SubjectResults& s);

void PrintReport(std::ostream& out, const std::vector<SubjectResults>& results, double seconds);

}  // namespace livebench
