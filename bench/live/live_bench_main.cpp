// tintspot_live_bench: what the running program costs. Starts each program under test on a
// private Xvfb (the Win32 ones in a private Wine prefix), measures its CPU while the pointer
// moves and rests, its update rate and its latency, in alternating rounds, and prints a table.
//
//   tintspot_live_bench [--exe [LABEL=]PATH]... [--rounds N] [--seconds S]
//                       [--latency-samples N] [--update-seconds S]
//                       [--no-tintspot] [--no-floor] [--empty-floor] [--getpixel-floor]
//                       [--no-gpick]
//
// Without --exe it measures $TINTSPOT_EXE, else the Tintspot.exe of the build.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "phases.h"
#include "proc_cpu.h"
#include "report.h"
#include "scene.h"
#include "subjects.h"
#include "tintspot_app.h"
#include "wine_session.h"

#ifndef FLOOR_EXE_PATH
#define FLOOR_EXE_PATH ""
#endif

namespace livebench {
namespace {

struct Options {
  std::vector<std::pair<std::string, std::string>> exes;  // label, path
  int rounds = 2;
  double seconds = 10;
  int latency_samples = 60;
  double update_seconds = 5;
  bool tintspot = true, floor = true, empty_floor = false, getpixel_floor = false, gpick = true;
};

[[noreturn]] void Usage(const char* problem) {
  std::cerr << "tintspot_live_bench: " << problem
            << "\nusage: tintspot_live_bench [--exe [LABEL=]PATH]... [--rounds N] [--seconds S]\n"
               "         [--latency-samples N] [--update-seconds S] [--no-floor] "
               "[--empty-floor] [--getpixel-floor] [--no-gpick] [--no-tintspot]\n";
  std::exit(2);
}

Options Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) Usage(("missing value after " + arg).c_str());
      return argv[++i];
    };
    if (arg == "--exe") {
      std::string v = value(), label;
      auto eq = v.find('=');
      if (eq != std::string::npos && !std::filesystem::exists(v)) {
        label = v.substr(0, eq);
        v = v.substr(eq + 1);
      }
      if (!std::filesystem::exists(v)) Usage(("no such exe: " + v).c_str());
      o.exes.push_back({label, std::filesystem::absolute(v).string()});
    } else if (arg == "--rounds") {
      o.rounds = std::max(1, std::atoi(value().c_str()));
    } else if (arg == "--seconds") {
      o.seconds = std::max(1.0, std::atof(value().c_str()));
    } else if (arg == "--latency-samples") {
      o.latency_samples = std::max(1, std::atoi(value().c_str()));
    } else if (arg == "--update-seconds") {
      o.update_seconds = std::max(1.0, std::atof(value().c_str()));
    } else if (arg == "--no-tintspot") {
      o.tintspot = false;
    } else if (arg == "--no-floor") {
      o.floor = false;
    } else if (arg == "--empty-floor") {
      o.empty_floor = true;
    } else if (arg == "--getpixel-floor") {
      o.getpixel_floor = true;
    } else if (arg == "--no-gpick") {
      o.gpick = false;
    } else {
      Usage(("unknown argument " + arg).c_str());
    }
  }
  if (!o.tintspot) o.exes.clear();
  if (o.exes.empty() && o.tintspot) o.exes.push_back({"", e2e::TintspotExePath()});
  for (size_t i = 0; i < o.exes.size(); ++i) {
    if (!o.exes[i].first.empty()) continue;
    o.exes[i].first = o.exes.size() == 1 ? "Tintspot" : std::string("Tintspot ") + char('A' + i);
  }
  return o;
}

void Progress(const std::string& name, const std::string& what, const CpuFigures& f) {
  std::cerr << "[bench] " << name << ", " << what << ": program " << f.program << " wineserver "
            << f.wineserver << " Xvfb " << f.xvfb << " total " << f.Total() << " (other Wine "
            << f.wine_other << ")\n";
}

// One round on one program: CPU moving and resting, then update rate and latency; for Tintspot
// also CPU with the magnifier hidden (a second start).
RoundResult MeasureRound(Subject& subject, Scene& scene, const Options& o, pid_t xvfb) {
  RoundResult r;
  if (!subject.Start(true)) return r;
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
  }
  subject.Stop();
  if (subject.HasMagnifier() && subject.Start(false)) {
    for (auto [phase, motion] :
         {std::pair{kHiddenResting, Motion::kResting}, {kHiddenMoving, Motion::kMoving}}) {
      r.cpu[phase] = MeasureCpu(subject, scene, motion, o.seconds, xvfb);
      Progress(subject.name(), phase, r.cpu[phase]);
    }
    subject.Stop();
  }
  return r;
}

int Run(const Options& o) {
  std::vector<std::unique_ptr<Subject>> subjects;
  std::vector<SubjectResults> results;
  for (const auto& [label, path] : o.exes) {
    subjects.push_back(MakeTintspot(label, path));
    results.push_back({label, true, false, false, {}});
    std::cout << label << ": " << path << "\n";
  }
  if (o.floor || o.empty_floor || o.getpixel_floor) {
    if (!std::filesystem::exists(FLOOR_EXE_PATH)) {
      std::cerr << "floor.exe was not built (no MinGW compiler?)\n";
      return 1;
    }
  }
  if (o.floor) {
    subjects.push_back(MakeFloor("floor", FLOOR_EXE_PATH, ""));
    results.push_back({"floor", false, true, false, {}});
  }
  if (o.empty_floor) {
    subjects.push_back(MakeFloor("floor, empty tick", FLOOR_EXE_PATH, "empty"));
    results.push_back({"floor, empty tick", false, false, false, {}});
  }
  if (o.getpixel_floor) {
    subjects.push_back(MakeFloor("floor + GetPixel", FLOOR_EXE_PATH, "getpixel"));
    results.push_back({"floor + GetPixel", false, false, false, {}});
  }
  if (o.gpick && GpickInstalled()) {
    subjects.push_back(MakeGpick("gpick 100 Hz"));
    results.push_back({"gpick 100 Hz", false, false, true, {}});
  } else if (o.gpick) {
    std::cout << "gpick is not installed: no comparison with it\n";
  }

  e2e::WineSession& session = e2e::WineSession::Get();
  const pid_t xvfb = FindOwnChild("Xvfb");
  if (xvfb == 0) std::cout << "the X server is not this benchmark's own: its CPU is not counted\n";
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
  PrintReport(std::cout, results, o.seconds);
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
