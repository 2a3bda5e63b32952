#include "report.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <limits>

namespace livebench {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

double Median(std::vector<double> values) {
  values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }),
               values.end());
  if (values.empty()) return kNone;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Nearest-rank percentile.
double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return kNone;
  std::sort(values.begin(), values.end());
  size_t rank = size_t(std::ceil(p / 100.0 * double(values.size())));
  return values[std::max<size_t>(rank, 1) - 1];
}

// The median over the rounds of one figure of a round (NaN where a round lacks it).
double OverRounds(const SubjectResults& s, const std::function<double(const RoundResult&)>& f) {
  std::vector<double> values;
  for (const RoundResult& r : s.rounds) values.push_back(f(r));
  return Median(values);
}

double Cpu(const SubjectResults& s, const char* phase, double CpuFigures::*part) {
  return OverRounds(s, [&](const RoundResult& r) {
    auto it = r.cpu.find(phase);
    return it == r.cpu.end() ? kNone : it->second.*part;
  });
}

double CpuTotal(const SubjectResults& s, const char* phase) {
  return OverRounds(s, [&](const RoundResult& r) {
    auto it = r.cpu.find(phase);
    return it == r.cpu.end() ? kNone : it->second.Total();
  });
}

double UpdatesPerSecond(const SubjectResults& s) {
  return OverRounds(
      s, [](const RoundResult& r) { return r.updates ? r.updates->updates_per_second : kNone; });
}

// Total CPU per update while moving, in ms: the moving phase's total over the updates of 10 s.
double MsPerUpdate(const SubjectResults& s) {
  return CpuTotal(s, kMoving) / (UpdatesPerSecond(s) * 10.0) * 1000.0;
}

std::string Fixed(double v, int decimals = 2) {
  if (std::isnan(v)) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

const SubjectResults* Find(const std::vector<SubjectResults>& results, bool SubjectResults::*kind) {
  for (const SubjectResults& s : results) {
    if (s.*kind) return &s;
  }
  return nullptr;
}

void Line(std::ostream& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Line(std::ostream& out, const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  out << text << "\n";
}

}  // namespace

void PrintReport(std::ostream& out, const std::vector<SubjectResults>& results, double seconds) {
  const size_t rounds = results.empty() ? 0 : results.front().rounds.size();
  Line(out,
       "\nCPU seconds per 10 s (utime + stime from /proc/PID/stat over %.0f s phases), "
       "median of %zu rounds",
       seconds, rounds);
  Line(out,
       "total = program + wineserver + Xvfb; \"other Wine\" (the prefix's system processes) "
       "is not in the total");
  Line(out, "%-24s %-27s %8s %10s %6s %7s   %10s", "program", "phase", "program", "wineserver",
       "Xvfb", "total", "other Wine");
  for (const SubjectResults& s : results) {
    auto wine = [&](double v) { return s.is_gpick ? std::string("-") : Fixed(v); };
    for (const char* phase : {kMoving, kResting, kHiddenResting, kHiddenMoving}) {
      double total = CpuTotal(s, phase);
      if (std::isnan(total)) continue;
      Line(out, "%-24s %-27s %8s %10s %6s %7s   %10s", s.name.c_str(), phase,
           Fixed(Cpu(s, phase, &CpuFigures::program)).c_str(),
           wine(Cpu(s, phase, &CpuFigures::wineserver)).c_str(),
           Fixed(Cpu(s, phase, &CpuFigures::xvfb)).c_str(), Fixed(total).c_str(),
           wine(Cpu(s, phase, &CpuFigures::wine_other)).c_str());
    }
  }

  Line(out,
       "\nUpdates and latency (own phases, pointer resting on a changing probe), median of "
       "rounds");
  Line(out, "%-24s %9s %8s %15s %8s %13s %18s", "program", "updates/s", "polls/s", "latency median",
       "p95", "samples/miss", "ms CPU per update");
  for (const SubjectResults& s : results) {
    double polls = OverRounds(
        s, [](const RoundResult& r) { return r.updates ? r.updates->polls_per_second : kNone; });
    double median = OverRounds(
        s, [](const RoundResult& r) { return r.latency ? Percentile(r.latency->ms, 50) : kNone; });
    double p95 = OverRounds(
        s, [](const RoundResult& r) { return r.latency ? Percentile(r.latency->ms, 95) : kNone; });
    int samples = 0, missed = 0;
    for (const RoundResult& r : s.rounds) {
      if (r.latency) samples += int(r.latency->ms.size()), missed += r.latency->missed;
    }
    if (std::isnan(UpdatesPerSecond(s)) && samples == 0) {
      Line(out, "%-24s %9s   (shows no colour)", s.name.c_str(), "-");
      continue;
    }
    Line(out, "%-24s %9s %8s %12s ms %5s ms %8d/%-4d %18s", s.name.c_str(),
         Fixed(UpdatesPerSecond(s), 1).c_str(), Fixed(polls, 0).c_str(), Fixed(median, 1).c_str(),
         Fixed(p95, 1).c_str(), samples, missed, Fixed(MsPerUpdate(s), 3).c_str());
  }

  const SubjectResults* floor = Find(results, &SubjectResults::is_floor);
  const SubjectResults* gpick = Find(results, &SubjectResults::is_gpick);
  Line(out, "\nRatios (totals: program + wineserver + Xvfb)");
  const SubjectResults* first = Find(results, &SubjectResults::is_tintspot);
  for (const SubjectResults& s : results) {
    if (!s.is_tintspot) continue;
    if (&s != first) {
      Line(out, "%-24s / %s: moving %s, resting %s, per update %s", s.name.c_str(),
           first->name.c_str(), Fixed(CpuTotal(s, kMoving) / CpuTotal(*first, kMoving)).c_str(),
           Fixed(CpuTotal(s, kResting) / CpuTotal(*first, kResting)).c_str(),
           Fixed(MsPerUpdate(s) / MsPerUpdate(*first)).c_str());
    }
    if (floor) {
      Line(out, "%-24s at rest / %s at rest:              %s", s.name.c_str(), floor->name.c_str(),
           Fixed(CpuTotal(s, kResting) / CpuTotal(*floor, kResting)).c_str());
    }
    if (gpick) {
      Line(out, "%-24s per update while moving / %s's:  %s", s.name.c_str(), gpick->name.c_str(),
           Fixed(MsPerUpdate(s) / MsPerUpdate(*gpick)).c_str());
      Line(out, "%-24s per 10 s moving / %s's: %s, resting / %s's: %s", s.name.c_str(),
           gpick->name.c_str(), Fixed(CpuTotal(s, kMoving) / CpuTotal(*gpick, kMoving)).c_str(),
           gpick->name.c_str(), Fixed(CpuTotal(s, kResting) / CpuTotal(*gpick, kResting)).c_str());
    }
  }
}

}  // namespace livebench
