#include "turns.h"

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "phases.h"
#include "proc_cpu.h"
#include "report.h"

namespace livebench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kSettle = std::chrono::milliseconds(300);
constexpr auto kMeasured = std::chrono::milliseconds(1000);

void Signal(Subject& subject, int signal) {
  for (pid_t pid : subject.Pids()) kill(pid, signal);
}

}  // namespace

std::vector<TurnResults> TakeTurns(const std::vector<Subject*>& subjects, Scene& scene, int cycles,
                                   pid_t xvfb_pid) {
  std::vector<TurnResults> results(subjects.size());
  for (size_t i = 0; i < subjects.size(); ++i) results[i].name = subjects[i]->name();
  for (Subject* subject : subjects) Signal(*subject, SIGSTOP);
  PathMotion motion(scene);
  motion.RunUntil(Clock::now() + std::chrono::seconds(1));
  for (int cycle = 0; cycle < cycles; ++cycle) {
    // Every other cycle in reverse order, so that no program always follows the same one.
    std::vector<size_t> order(subjects.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (cycle % 2) std::reverse(order.begin(), order.end());
    for (size_t i : order) {
      Subject& subject = *subjects[i];
      Signal(subject, SIGCONT);
      subject.Raise();
      motion.RunUntil(Clock::now() + kSettle);
      const double program = CpuSeconds(subject.Pids()), xvfb = CpuSeconds(xvfb_pid);
      const auto start = Clock::now();
      motion.RunUntil(start + kMeasured);
      const double used = CpuSeconds(subject.Pids()) - program + CpuSeconds(xvfb_pid) - xvfb;
      const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
      Signal(subject, SIGSTOP);
      results[i].totals.push_back(used * 10.0 / seconds);
    }
  }
  for (Subject* subject : subjects) Signal(*subject, SIGCONT);
  return results;
}

void PrintTurns(std::ostream& out, const std::vector<TurnResults>& results) {
  if (results.empty() || results.front().totals.empty()) return;
  const TurnResults& reference = results.front();
  char line[256];
  std::snprintf(line, sizeof line,
                "\nTaking turns (%zu cycles: each program %.1f s settling and %.1f s measured "
                "in turn, the others stopped, the pointer moving at 100 Hz throughout)\n",
                reference.totals.size(), std::chrono::duration<double>(kSettle).count(),
                std::chrono::duration<double>(kMeasured).count());
  out << line;
  std::snprintf(line, sizeof line, "%-20s %14s %30s %22s\n", "program", "total per 10 s",
                ("per cycle / " + reference.name + ": median (quartiles)").c_str(),
                "per update / its tick");
  out << line;
  for (const TurnResults& r : results) {
    std::vector<double> ratios;
    for (size_t c = 0; c < r.totals.size() && c < reference.totals.size(); ++c)
      ratios.push_back(r.totals[c] / reference.totals[c]);
    const double ratio = Median(ratios);
    char per_update[32] = "-";
    if (r.updates_per_second > 0)
      std::snprintf(per_update, sizeof per_update, "%.2f",
                    ratio * kFloorTicksPerSecond / r.updates_per_second);
    std::snprintf(line, sizeof line, "%-20s %14.3f %15.2f (%.2f-%.2f) %22s\n", r.name.c_str(),
                  Median(r.totals), ratio, Percentile(ratios, 25), Percentile(ratios, 75),
                  per_update);
    out << line;
  }
}

}  // namespace livebench
