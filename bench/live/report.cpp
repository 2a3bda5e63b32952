#include "report.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <limits>

#include "footprint.h"

namespace livebench {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

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

const SubjectResults* Find(const std::vector<SubjectResults>& results, Kind kind) {
  for (const SubjectResults& s : results) {
    if (s.kind == kind) return &s;
  }
  return nullptr;
}

bool IsTintspot(const SubjectResults& s) {
  return s.kind == Kind::kNative || s.kind == Kind::kWindows;
}

// How far the rounds' totals of a phase lie apart: (max - min) / median, in percent.
double Spread(const SubjectResults& s, const char* phase) {
  std::vector<double> totals;
  for (const RoundResult& r : s.rounds) {
    auto it = r.cpu.find(phase);
    if (it != r.cpu.end()) totals.push_back(it->second.Total());
  }
  if (totals.size() < 2) return kNone;
  auto [low, high] = std::minmax_element(totals.begin(), totals.end());
  return (*high - *low) / Median(totals) * 100.0;
}

double LatencyPercentile(const SubjectResults& s, double p) {
  return OverRounds(
      s, [&](const RoundResult& r) { return r.latency ? Percentile(r.latency->ms, p) : kNone; });
}

std::vector<double> StartSeconds(const SubjectResults& s) {
  std::vector<double> all;
  for (const RoundResult& r : s.rounds)
    all.insert(all.end(), r.start_seconds.begin(), r.start_seconds.end());
  return all;
}

// The largest resident memory at the end of a phase, in MB.
double ResidentMegabytes(const SubjectResults& s) {
  long most = 0;
  for (const RoundResult& r : s.rounds) {
    for (const auto& [phase, figures] : r.cpu) most = std::max(most, figures.resident_kb);
  }
  return most > 0 ? double(most) / 1024.0 : kNone;
}

// The floor's CPU per tick while moving, in ms.
double FloorMsPerTick(const SubjectResults& floor) {
  return CpuTotal(floor, kMoving) / (kFloorTicksPerSecond * 10.0) * 1000.0;
}

double Megabytes(long bytes) { return bytes < 0 ? kNone : double(bytes) / (1024.0 * 1024.0); }

// "0.84 (at most 1.6) ok", or "over" when the figure misses its target.
std::string Against(double value, double limit, bool at_most, int decimals = 2) {
  if (std::isnan(value)) return "-";
  const bool met = at_most ? value <= limit : value >= limit;
  return Fixed(value, decimals) + (at_most ? " (at most " : " (at least ") +
         Fixed(limit, decimals) + ")  " + (met ? "ok" : "MISSED");
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

void PrintCpu(std::ostream& out, const std::vector<SubjectResults>& results, double seconds) {
  const size_t rounds = results.empty() ? 0 : results.front().rounds.size();
  Line(out,
       "\nCPU seconds per 10 s (time on a CPU of every thread, /proc/PID/task/*/schedstat, over "
       "%.0f s phases), median of %zu rounds",
       seconds, rounds);
  Line(out,
       "total = program + wineserver + Xvfb; spread = (max - min) / median of the rounds' totals; "
       "\"other Wine\" (the prefix's system processes) is not in the total; machine = every "
       "process on every CPU (/proc/stat), so machine - total is what else ran");
  Line(out, "%-20s %-27s %8s %10s %6s %7s %7s   %10s %8s", "program", "phase", "program",
       "wineserver", "Xvfb", "total", "spread", "other Wine", "machine");
  for (const SubjectResults& s : results) {
    const bool wine = s.kind == Kind::kWindows || s.kind == Kind::kWineFloor;
    auto wine_only = [&](double v) { return wine ? Fixed(v, 3) : std::string("-"); };
    for (const char* phase : {kMoving, kResting, kHiddenResting, kHiddenMoving}) {
      double total = CpuTotal(s, phase);
      if (std::isnan(total)) continue;
      Line(out, "%-20s %-27s %8s %10s %6s %7s %6s%%   %10s %8s", s.name.c_str(), phase,
           Fixed(Cpu(s, phase, &CpuFigures::program), 3).c_str(),
           wine_only(Cpu(s, phase, &CpuFigures::wineserver)).c_str(),
           Fixed(Cpu(s, phase, &CpuFigures::xvfb), 3).c_str(), Fixed(total, 3).c_str(),
           Fixed(Spread(s, phase), 0).c_str(),
           wine_only(Cpu(s, phase, &CpuFigures::wine_other)).c_str(),
           Fixed(Cpu(s, phase, &CpuFigures::machine)).c_str());
    }
  }
  // The threads' sum misses the time of threads that ended during the phase; /proc/PID/stat
  // keeps it, in 10 ms steps.
  for (const SubjectResults& s : results) {
    for (size_t round = 0; round < s.rounds.size(); ++round) {
      for (const auto& [phase, f] : s.rounds[round].cpu) {
        if (std::fabs(f.program_stat - f.program) > 0.03 + 0.1 * f.program) {
          Line(out, "note: %s, round %zu, %s: /proc/PID/stat says %.3f s, the threads %.3f s",
               s.name.c_str(), round + 1, phase.c_str(), f.program_stat, f.program);
        }
      }
    }
  }
}

void PrintUpdates(std::ostream& out, const std::vector<SubjectResults>& results) {
  Line(out,
       "\nUpdates and latency (own phases, pointer resting on a changing probe, read back from a "
       "pixel of the program's window that shows the sampled colour), median of rounds");
  Line(out, "%-20s %9s %8s %15s %8s %13s %18s", "program", "updates/s", "polls/s", "latency median",
       "p95", "samples/miss", "ms CPU per update");
  for (const SubjectResults& s : results) {
    double polls = OverRounds(
        s, [](const RoundResult& r) { return r.updates ? r.updates->polls_per_second : kNone; });
    int samples = 0, missed = 0;
    for (const RoundResult& r : s.rounds) {
      if (r.latency) samples += int(r.latency->ms.size()), missed += r.latency->missed;
    }
    if (std::isnan(UpdatesPerSecond(s)) && samples == 0) {
      if (s.kind == Kind::kFloor || s.kind == Kind::kWineFloor) {
        Line(out, "%-20s %9s   (shows no colour; %s ms CPU per tick at 100 ticks/s)",
             s.name.c_str(), "-", Fixed(FloorMsPerTick(s), 3).c_str());
      } else {
        Line(out, "%-20s %9s   (no pixel of its window showed the colour)", s.name.c_str(), "-");
      }
      continue;
    }
    Line(out, "%-20s %9s %8s %12s ms %5s ms %8d/%-4d %18s", s.name.c_str(),
         Fixed(UpdatesPerSecond(s), 1).c_str(), Fixed(polls, 0).c_str(),
         Fixed(LatencyPercentile(s, 50), 1).c_str(), Fixed(LatencyPercentile(s, 95), 1).c_str(),
         samples, missed, Fixed(MsPerUpdate(s), 3).c_str());
  }
}

void PrintFootprint(std::ostream& out, const std::vector<SubjectResults>& results,
                    std::map<std::string, Footprint>& footprints) {
  Line(out,
       "\nStart and footprint (start: launch to the window viewable, for Tintspot also painted, "
       "median and slowest of every start; resident: the largest VmRSS at the end of a phase)");
  Line(out, "%-20s %8s %8s %12s %9s %12s", "program", "start s", "slowest", "resident MB",
       "file MB", "stripped MB");
  for (const SubjectResults& s : results) {
    const std::vector<double> starts = StartSeconds(s);
    const Footprint* f = s.binary.empty() ? nullptr : &footprints[s.binary];
    Line(out, "%-20s %8s %8s %12s %9s %12s", s.name.c_str(), Fixed(Median(starts), 3).c_str(),
         Fixed(starts.empty() ? kNone : *std::max_element(starts.begin(), starts.end()), 3).c_str(),
         Fixed(ResidentMegabytes(s), 1).c_str(),
         f ? Fixed(Megabytes(f->file_bytes), 3).c_str() : "-",
         f ? Fixed(Megabytes(f->stripped_bytes), 3).c_str() : "-");
  }
  for (const SubjectResults& s : results) {
    if (!IsTintspot(s) || s.binary.empty()) continue;
    const Footprint& f = footprints[s.binary];
    std::string own, through;
    for (const Library& l : f.libraries) {
      // Only a library the program links itself has to be in a group.
      const std::string group = l.group.empty() ? (l.direct ? "OTHER" : "") : l.group;
      (l.direct ? own : through) += " " + l.name + (group.empty() ? "" : " [" + group + "]");
    }
    out << s.name << " links:" << (own.empty() ? " (not known)" : own) << "\n";
    if (!through.empty()) out << "  and loads through them:" << through << "\n";
  }
}

// The figures the native build has to meet, for each Tintspot (the Windows build's beside it).
void PrintTargets(std::ostream& out, const std::vector<SubjectResults>& results,
                  std::map<std::string, Footprint>& footprints) {
  const SubjectResults* floor = Find(results, Kind::kFloor);
  const SubjectResults* windows = Find(results, Kind::kWindows);
  const SubjectResults* gpick = Find(results, Kind::kGpick);
  Line(out, "\nFigures against the native build's targets (totals: program + wineserver + Xvfb)");
  for (const SubjectResults& s : results) {
    if (!IsTintspot(s)) continue;
    Line(out, "%s:", s.name.c_str());
    if (floor) {
      Line(out, "  moving, CPU per update / floor's per tick:   %s",
           Against(MsPerUpdate(s) / FloorMsPerTick(*floor), 1.6, true, 3).c_str());
      for (const SubjectResults& variant : results) {
        if (variant.kind != Kind::kFloor || &variant == floor) continue;
        Line(out, "    / %s's per tick: %s (the variant itself: %s x the floor's)",
             variant.name.c_str(), Fixed(MsPerUpdate(s) / FloorMsPerTick(variant), 3).c_str(),
             Fixed(FloorMsPerTick(variant) / FloorMsPerTick(*floor), 3).c_str());
      }
      Line(out, "  at rest, CPU / floor's at rest:               %s",
           Against(CpuTotal(s, kResting) / CpuTotal(*floor, kResting), 1.15, true, 3).c_str());
    }
    Line(out, "  latency p95, ms:                              %s",
         Against(LatencyPercentile(s, 95), 11, true, 1).c_str());
    Line(out, "  updates/s:                                    %s",
         Against(UpdatesPerSecond(s), 95, false, 2).c_str());
    Line(out, "  start, median s:                              %s",
         Against(Median(StartSeconds(s)), 0.2, true, 3).c_str());
    Line(out, "  resident MB:                                  %s",
         Against(ResidentMegabytes(s), 12, true, 1).c_str());
    if (!s.binary.empty()) {
      const Footprint& f = footprints[s.binary];
      Line(out, "  binary MB (pictures built in), stripped:      %s",
           Against(Megabytes(f.stripped_bytes), 1, true, 3).c_str());
      const char* what = s.kind == Kind::kWindows ? "imports only Windows system DLLs:     "
                                                  : "links only X, FreeType, C/C++ runtime:";
      const char* verdict = f.libraries.empty() ? "-" : f.OnlyKnownGroups() ? "yes" : "NO";
      Line(out, "  %s        %s", what, verdict);
    }
    for (const SubjectResults* other : {windows, gpick}) {
      if (other == nullptr || other == &s) continue;
      Line(out, "  / %-16s per update moving %s, per 10 s moving %s, at rest %s",
           (other->name + ":").c_str(), Fixed(MsPerUpdate(s) / MsPerUpdate(*other)).c_str(),
           Fixed(CpuTotal(s, kMoving) / CpuTotal(*other, kMoving)).c_str(),
           Fixed(CpuTotal(s, kResting) / CpuTotal(*other, kResting)).c_str());
    }
  }
  // Several builds of one kind: each against the first.
  for (Kind kind : {Kind::kNative, Kind::kWindows}) {
    const SubjectResults* first = Find(results, kind);
    for (const SubjectResults& s : results) {
      if (s.kind != kind || &s == first) continue;
      Line(out, "%s / %s: moving %s, resting %s, per update %s", s.name.c_str(),
           first->name.c_str(), Fixed(CpuTotal(s, kMoving) / CpuTotal(*first, kMoving)).c_str(),
           Fixed(CpuTotal(s, kResting) / CpuTotal(*first, kResting)).c_str(),
           Fixed(MsPerUpdate(s) / MsPerUpdate(*first)).c_str());
    }
  }
}

}  // namespace

double Median(std::vector<double> values) {
  values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }),
               values.end());
  if (values.empty()) return kNone;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return kNone;
  std::sort(values.begin(), values.end());
  size_t rank = size_t(std::ceil(p / 100.0 * double(values.size())));
  return values[std::max<size_t>(rank, 1) - 1];
}

double UpdatesPerSecond(const SubjectResults& s) {
  return OverRounds(
      s, [](const RoundResult& r) { return r.updates ? r.updates->updates_per_second : kNone; });
}

void PrintReport(std::ostream& out, const std::vector<SubjectResults>& results, double seconds) {
  std::map<std::string, Footprint> footprints;
  for (const SubjectResults& s : results) {
    if (!s.binary.empty() && !footprints.count(s.binary)) footprints[s.binary] = Inspect(s.binary);
  }
  PrintCpu(out, results, seconds);
  PrintUpdates(out, results);
  PrintFootprint(out, results, footprints);
  PrintTargets(out, results, footprints);
}

}  // namespace livebench
