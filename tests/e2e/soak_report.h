// The report of a long run: the samples as a table, a small ASCII plot per figure, and whether
// each figure stayed flat after the warm-up.
#pragma once

#include <ostream>
#include <vector>

#include "soak_probe.h"

namespace e2e {

void PrintSoakTable(std::ostream& out, const std::vector<SoakSample>& samples);

// `height` text rows, one column per sample, scaled between the figure's least and largest value.
void PrintSoakPlot(std::ostream& out, const std::vector<SoakSample>& samples,
                   const SoakFigure& figure, int height = 6);

// Compares every figure of the samples taken from `warm_up_minutes` on with the first of them:
// prints one line per figure and returns false if any grew by more than it may (or could not be
// read at all).
bool PrintSoakVerdict(std::ostream& out, const std::vector<SoakSample>& samples,
                      double warm_up_minutes);

}  // namespace e2e
