// tintspot_live_bench: what the running program costs. Starts each program under test on a
// private Xvfb (the Win32 ones in a private Wine prefix), measures its CPU while the pointer
// moves and rests, its update rate, its latency, its start and its footprint, in alternating
// rounds, and prints tables.
//
//   tintspot_live_bench [--bin [LABEL=]PATH]... [--exe [LABEL=]PATH]... [--rounds N]
//                       [--seconds S] [--latency-samples N] [--update-seconds S]
//                       [--no-native] [--no-windows] [--no-tintspot] [--no-floor]
//                       [--wine-floor] [--empty-floor] [--getpixel-floor] [--no-gpick]
//                       [--floor-variants] [--turns N]
//
// Without --bin it measures the native tintspot of the build (if the build has one), without
// --exe $TINTSPOT_EXE, else the Tintspot.exe of the build. --turns N adds, after the rounds, N
// cycles of the native programs taking turns under one motion (see turns.h), with the floor as
// the reference.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "phases.h"
#include "proc_cpu.h"
#include "report.h"
#include "scene.h"
#include "subjects.h"
#include "tintspot_app.h"
#include "turns.h"
#include "wine_session.h"

#ifndef FLOOR_EXE_PATH
#define FLOOR_EXE_PATH ""
#endif
#ifndef FLOOR_X11_PATH
#define FLOOR_X11_PATH ""
#endif
#ifndef NATIVE_BIN_PATH
#define NATIVE_BIN_PATH ""
#endif

namespace livebench {
namespace {

using Programs = std::vector<std::pair<std::string, std::string>>;  // label, path

struct Options {
  Programs bins, exes;
  int rounds = 2;
  int turns = 0;  // cycles of the native programs taking turns; 0: none
  double seconds = 10;
  int latency_samples = 60;
  double update_seconds = 5;
  bool native = true, windows = true, floor = true, wine_floor = false, empty_floor = false,
       getpixel_floor = false, floor_variants = false, gpick = true;
};

[[noreturn]] void Usage(const char* problem) {
  std::cerr << "tintspot_live_bench: " << problem
            << "\nusage: tintspot_live_bench [--bin [LABEL=]PATH]... [--exe [LABEL=]PATH]...\n"
               "         [--rounds N] [--seconds S] [--latency-samples N] [--update-seconds S]\n"
               "         [--no-native] [--no-windows] [--no-tintspot] [--no-floor] "
               "[--wine-floor]\n"
               "         [--empty-floor] [--getpixel-floor] [--floor-variants] [--no-gpick]\n"
               "         [--turns N]\n";
  std::exit(2);
}

// "[LABEL=]PATH" (a path that exists as given wins over a label).
std::pair<std::string, std::string> LabelledPath(std::string v) {
  std::string label;
  auto eq = v.find('=');
  if (eq != std::string::npos && !std::filesystem::exists(v)) {
    label = v.substr(0, eq);
    v = v.substr(eq + 1);
  }
  if (!std::filesystem::exists(v)) Usage(("no such file: " + v).c_str());
  return {label, std::filesystem::absolute(v).string()};
}

// Unlabelled programs are named `base`, or `base` A, B, ... when there are several.
void NameUnlabelled(Programs& programs, const std::string& base) {
  for (size_t i = 0; i < programs.size(); ++i) {
    if (!programs[i].first.empty()) continue;
    programs[i].first = programs.size() == 1 ? base : base + " " + char('A' + i);
  }
}

Options Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) Usage(("missing value after " + arg).c_str());
      return argv[++i];
    };
    if (arg == "--bin") {
      o.bins.push_back(LabelledPath(value()));
    } else if (arg == "--exe") {
      o.exes.push_back(LabelledPath(value()));
    } else if (arg == "--rounds") {
      o.rounds = std::max(1, std::atoi(value().c_str()));
    } else if (arg == "--turns") {
      o.turns = std::max(0, std::atoi(value().c_str()));
    } else if (arg == "--seconds") {
      o.seconds = std::max(1.0, std::atof(value().c_str()));
    } else if (arg == "--latency-samples") {
      o.latency_samples = std::max(1, std::atoi(value().c_str()));
    } else if (arg == "--update-seconds") {
      o.update_seconds = std::max(1.0, std::atof(value().c_str()));
    } else if (arg == "--no-native") {
      o.native = false;
    } else if (arg == "--no-windows") {
      o.windows = false;
    } else if (arg == "--no-tintspot") {
      o.native = o.windows = false;
    } else if (arg == "--no-floor") {
      o.floor = false;
    } else if (arg == "--wine-floor") {
      o.wine_floor = true;
    } else if (arg == "--empty-floor") {
      o.empty_floor = true;
    } else if (arg == "--getpixel-floor") {
      o.getpixel_floor = true;
    } else if (arg == "--floor-variants") {
      o.floor_variants = true;
    } else if (arg == "--no-gpick") {
      o.gpick = false;
    } else {
      Usage(("unknown argument " + arg).c_str());
    }
  }
  if (!o.native) o.bins.clear();
  if (!o.windows) o.exes.clear();
  if (o.bins.empty() && o.native) {
    if (std::filesystem::exists(NATIVE_BIN_PATH)) {
      o.bins.push_back({"", NATIVE_BIN_PATH});
    } else {
      std::cout << "the build has no native tintspot: it is not measured (--bin PATH)\n";
    }
  }
  if (o.exes.empty() && o.windows) o.exes.push_back({"", e2e::TintspotExePath()});
  NameUnlabelled(o.bins, "tintspot");
  NameUnlabelled(o.exes, "Tintspot.exe");
  if (o.rounds < 2) std::cout << "one round only: the figures are small, give them two or more\n";
  return o;
}

void Progress(const std::string& name, const std::string& what, const CpuFigures& f) {
  std::cerr << "[bench] " << name << ", " << what << ": program " << f.program << " wineserver "
            << f.wineserver << " Xvfb " << f.xvfb << " total " << f.Total() << " (other Wine "
            << f.wine_other << ", machine " << f.machine << ", " << f.resident_kb << " kB)\n";
}

// One round on one program: CPU moving and resting, then update rate and latency; for Tintspot
// also CPU with the magnifier hidden (a second start).
RoundResult MeasureRound(Subject& subject, Scene& scene, const Options& o, pid_t xvfb) {
  RoundResult r;
  if (!subject.Start(true)) return r;
  r.start_seconds.push_back(subject.start_seconds());
  for (auto [phase, motion] : {std::pair{kMoving, Motion::kMoving}, {kResting, Motion::kResting}}) {
    r.cpu[phase] = MeasureCpu(subject, scene, motion, o.seconds, xvfb);
    Progress(subject.name(), phase, r.cpu[phase]);
  }
  if (auto pixel = FindColourPixel(subject, scene)) {
    r.updates = MeasureUpdates(scene, *pixel, o.update_seconds);
    r.latency = MeasureLatency(scene, *pixel, o.latency_samples);
    std::cerr << "[bench] " << subject.name() << ": " << r.updates->updates_per_second
              << " updates/s (" << r.updates->polls_per_second << " polls/s), "
              << r.latency->ms.size() << " latencies, " << r.latency->missed << " missed\n";
  } else if (subject.IsTintspot() || subject.kind() == Kind::kGpick) {
    std::cerr << "[bench] " << subject.name() << ": no pixel of its window shows the colour\n";
  }
  subject.Stop();
  if (subject.HasMagnifier() && subject.Start(false)) {
    r.start_seconds.push_back(subject.start_seconds());
    for (auto [phase, motion] :
         {std::pair{kHiddenResting, Motion::kResting}, {kHiddenMoving, Motion::kMoving}}) {
      r.cpu[phase] = MeasureCpu(subject, scene, motion, o.seconds, xvfb);
      Progress(subject.name(), phase, r.cpu[phase]);
    }
    subject.Stop();
  }
  return r;
}

// The native programs taking turns, the floor first: the first floor program, as in the report
// (the programs under Wine are left out: stopping a Wine process stops none of the prefix's
// other processes).
std::vector<TurnResults> MeasureTurns(std::vector<std::unique_ptr<Subject>>& subjects,
                                      const std::vector<SubjectResults>& results, Scene& scene,
                                      int cycles, pid_t xvfb) {
  struct Taking {
    Subject* subject;
    double updates_per_second;  // from the rounds
  };
  std::vector<Taking> taking;
  for (size_t i = 0; i < subjects.size(); ++i) {
    Subject& subject = *subjects[i];
    if (subject.kind() != Kind::kNative && subject.kind() != Kind::kFloor) continue;
    if (!subject.Start(true)) continue;
    const double rate = UpdatesPerSecond(results[i]);
    taking.push_back({&subject, std::isnan(rate) ? 0 : rate});
  }
  const auto reference = std::find_if(taking.begin(), taking.end(), [](const Taking& t) {
    return t.subject->kind() == Kind::kFloor;
  });
  std::vector<TurnResults> turns;
  if (reference == taking.end()) {
    std::cout << "\nno turns: the floor program is not running\n";
  } else {
    std::rotate(taking.begin(), reference, reference + 1);
    std::vector<Subject*> programs;
    for (const Taking& t : taking) programs.push_back(t.subject);
    std::cerr << "[bench] taking turns: " << programs.size() << " programs, " << cycles
              << " cycles\n";
    turns = TakeTurns(programs, scene, cycles, xvfb);
    for (size_t i = 0; i < turns.size(); ++i)
      turns[i].updates_per_second = taking[i].updates_per_second;
  }
  for (const Taking& t : taking) t.subject->Stop();
  return turns;
}

double LoadAverage() {
  std::ifstream in("/proc/loadavg");
  double one_minute = 0;
  in >> one_minute;
  return one_minute;
}

int Run(const Options& o) {
  std::vector<std::unique_ptr<Subject>> subjects;
  for (const auto& [label, path] : o.bins) subjects.push_back(MakeNativeTintspot(label, path));
  for (const auto& [label, path] : o.exes) subjects.push_back(MakeWindowsTintspot(label, path));
  if (o.floor) {
    if (!std::filesystem::exists(FLOOR_X11_PATH)) {
      std::cerr << "floor_x11 was not built (no X11 development files?)\n";
      return 1;
    }
    subjects.push_back(MakeNativeFloor("floor", FLOOR_X11_PATH));
    if (o.floor_variants) {
      subjects.push_back(MakeNativeFloor("floor + pixel", FLOOR_X11_PATH, "--pixel"));
      subjects.push_back(MakeNativeFloor("floor + view", FLOOR_X11_PATH, "--view"));
      subjects.push_back(MakeNativeFloor("floor + drawing", FLOOR_X11_PATH, "--drawing"));
    }
  }
  if (o.wine_floor || o.empty_floor || o.getpixel_floor) {
    if (!std::filesystem::exists(FLOOR_EXE_PATH)) {
      std::cerr << "floor.exe was not built (no MinGW compiler?)\n";
      return 1;
    }
  }
  if (o.wine_floor) subjects.push_back(MakeWineFloor("floor.exe", FLOOR_EXE_PATH, ""));
  if (o.empty_floor) {
    subjects.push_back(MakeWineFloor("floor.exe, empty tick", FLOOR_EXE_PATH, "empty"));
  }
  if (o.getpixel_floor) {
    subjects.push_back(MakeWineFloor("floor.exe + GetPixel", FLOOR_EXE_PATH, "getpixel"));
  }
  if (o.gpick && GpickInstalled()) {
    subjects.push_back(MakeGpick("gpick 100 Hz"));
  } else if (o.gpick) {
    std::cout << "gpick is not installed: no comparison with it\n";
  }
  std::vector<SubjectResults> results;
  for (const auto& subject : subjects) {
    results.push_back({subject->name(), subject->kind(), subject->Binary(), {}});
    if (!subject->Binary().empty())
      std::cout << subject->name() << ": " << subject->Binary() << "\n";
  }

  e2e::WineSession& session = e2e::WineSession::Get();
  const pid_t xvfb = FindOwnChild("Xvfb");
  if (xvfb == 0) std::cout << "the X server is not this benchmark's own: its CPU is not counted\n";
  std::cout << "load average at the start: " << LoadAverage() << "\n";
  Scene scene(session.x());
  for (int round = 0; round < o.rounds; ++round) {
    // Every other round in reverse order, so slow drifts of the machine's load even out.
    std::vector<size_t> order(subjects.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (round % 2) std::reverse(order.begin(), order.end());
    for (size_t i : order) {
      std::cerr << "[bench] round " << round + 1 << ": " << subjects[i]->name() << "\n";
      results[i].rounds.push_back(MeasureRound(*subjects[i], scene, o, xvfb));
    }
  }
  std::cout << "load average at the end: " << LoadAverage() << "\n";
  PrintReport(std::cout, results, o.seconds);
  if (o.turns > 0) PrintTurns(std::cout, MeasureTurns(subjects, results, scene, o.turns, xvfb));
  return 0;
}

}  // namespace
}  // namespace livebench

int main(int argc, char** argv) {
  const livebench::Options options = livebench::Parse(argc, argv);
  int code = 1;
  try {
    code = livebench::Run(options);
  } catch (const std::exception& e) {
    std::cerr << "tintspot_live_bench: " << e.what() << "\n";
  }
  e2e::WineSession::Shutdown();
  return code;
}
