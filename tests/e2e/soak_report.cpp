#include "soak_report.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace e2e {

namespace {

std::string Cell(long value, int width) {
  char text[32];
  if (value < 0) {
    std::snprintf(text, sizeof text, "%*s", width, "n/a");
  } else {
    std::snprintf(text, sizeof text, "%*ld", width, value);
  }
  return text;
}

}  // namespace

void PrintSoakTable(std::ostream& out, const std::vector<SoakSample>& samples) {
  out << "   min";
  for (const SoakFigure& f : SoakFigures()) {
    char name[32];
    std::snprintf(name, sizeof name, " %12s", f.name);
    out << name;
  }
  out << "\n";
  for (const SoakSample& s : samples) {
    char minutes[16];
    std::snprintf(minutes, sizeof minutes, "%6.1f", s.minutes);
    out << minutes;
    for (const SoakFigure& f : SoakFigures()) out << " " << Cell(s.*f.value, 12);
    out << "\n";
  }
}

void PrintSoakPlot(std::ostream& out, const std::vector<SoakSample>& samples,
                   const SoakFigure& figure, int height) {
  long low = -1, high = -1;
  for (const SoakSample& s : samples) {
    const long v = s.*figure.value;
    if (v < 0) continue;
    low = low < 0 ? v : std::min(low, v);
    high = std::max(high, v);
  }
  out << figure.name << " (" << low << " .. " << high << ")\n";
  if (high < 0) return;
  for (int row = height - 1; row >= 0; --row) {
    out << (row == height - 1 ? Cell(high, 10)
            : row == 0        ? Cell(low, 10)
                              : std::string(10, ' '))
        << " |";
    for (const SoakSample& s : samples) {
      const long v = s.*figure.value;
      // The row a value falls in; a flat line sits on the bottom row.
      const int at = v < 0 || high == low ? 0 : int((v - low) * (height - 1) / (high - low));
      out << (v < 0 ? ' ' : at == row ? '*' : at > row ? ':' : ' ');
    }
    out << "\n";
  }
  out << std::string(11, ' ') << "+" << std::string(samples.size(), '-') << " samples\n";
}

bool PrintSoakVerdict(std::ostream& out, const std::vector<SoakSample>& samples,
                      double warm_up_minutes) {
  std::vector<SoakSample> after;
  for (const SoakSample& s : samples) {
    if (s.minutes >= warm_up_minutes) after.push_back(s);
  }
  if (after.size() < 2) {
    out << "too few samples after the warm-up of " << warm_up_minutes << " min\n";
    return false;
  }
  bool flat = true;
  for (const SoakFigure& f : SoakFigures()) {
    const long first = after.front().*f.value, last = after.back().*f.value;
    long most = first;
    for (const SoakSample& s : after) most = std::max(most, s.*f.value);
    const bool ok =
        first >= 0 && last - first <= f.allowed_growth && most - first <= 2 * f.allowed_growth;
    flat = flat && ok;
    char line[160];
    std::snprintf(line, sizeof line, "%-12s after %.1f min: first %ld, last %ld, max %ld -> %s\n",
                  f.name, warm_up_minutes, first, last, most,
                  first < 0 ? "NOT MEASURED"
                  : ok      ? "flat"
                            : "GROWS");
    out << line;
  }
  return flat;
}

}  // namespace e2e
