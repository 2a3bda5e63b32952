#include "phases.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <random>
#include <thread>

#include "proc_cpu.h"
#include "wait_until.h"
#include "wine_session.h"

namespace livebench {
namespace {

using Clock = std::chrono::steady_clock;
using e2e::milliseconds;
using e2e::Rgb;

std::vector<pid_t> Without(std::vector<pid_t> pids, const std::vector<pid_t>& excluded) {
  pids.erase(std::remove_if(pids.begin(), pids.end(),
                            [&](pid_t p) {
                              return std::find(excluded.begin(), excluded.end(), p) !=
                                     excluded.end();
                            }),
             pids.end());
  return pids;
}

struct CpuReading {
  double program, wineserver, xvfb, wine_other, machine, program_stat;
};

}  // namespace

PathMotion::PathMotion(Scene& scene) : scene_(scene), next_(Clock::now()) {}

void PathMotion::RunUntil(Clock::time_point end) {
  for (; next_ < end; next_ += milliseconds(10)) {
    scene_.MovePointer(scene_.PathPoint(step_++));
    std::this_thread::sleep_until(next_ + milliseconds(10));
  }
}

CpuFigures MeasureCpu(Subject& subject, Scene& scene, Motion motion, double seconds,
                      pid_t xvfb_pid) {
  const std::vector<pid_t> program = subject.Pids();
  PrefixProcesses prefix;
  if (subject.UsesWine()) prefix = FindPrefixProcesses(e2e::WineSession::Get().prefix());
  const std::vector<pid_t> others = Without(prefix.others, program);
  auto read = [&] {
    return CpuReading{CpuSeconds(program),
                      prefix.wineserver ? CpuSeconds(prefix.wineserver) : 0,
                      xvfb_pid ? CpuSeconds(xvfb_pid) : 0,
                      CpuSeconds(others),
                      MachineBusySeconds(),
                      StatCpuSeconds(program)};
  };

  PathMotion moving(scene);
  // Moves the pointer at 100 Hz until `end`, or leaves it resting on the probe.
  auto run_until = [&](Clock::time_point end) {
    if (motion == Motion::kResting) {
      std::this_thread::sleep_until(end);
      return;
    }
    moving.RunUntil(end);
  };
  if (motion == Motion::kResting) scene.MovePointer(scene.ProbeCentre());
  // Settles for a second, and for more while something else keeps the machine busy (a Wine
  // prefix ending after the previous program, say): what else runs on the two CPUs slows the
  // measured programs' wake-ups and shows in their figures.
  constexpr double kQuietOthers = 0.05;  // CPU s per s busy outside the measured processes
  constexpr int kMoreSettleSeconds = 15;
  CpuReading last = read();
  for (int more = 0; more <= kMoreSettleSeconds; ++more) {
    run_until(Clock::now() + milliseconds(1000));
    const CpuReading now = read();
    const double own = (now.program - last.program) + (now.wineserver - last.wineserver) +
                       (now.xvfb - last.xvfb) + (now.wine_other - last.wine_other);
    const double others = (now.machine - last.machine) - own;
    last = now;
    if (others <= kQuietOthers) break;
    std::cerr << "[bench] " << subject.name() << ": " << others
              << " CPU s in the last second outside the measured processes; settling on\n";
  }

  const CpuReading before = read();
  const auto start = Clock::now();
  run_until(start + std::chrono::microseconds(long(seconds * 1e6)));
  const CpuReading after = read();
  const double scale = 10.0 / e2e::SecondsSince(start);
  auto per10 = [&](double a, double b) { return std::max(0.0, (b - a) * scale); };
  CpuFigures figures;
  figures.program = per10(before.program, after.program);
  figures.wineserver = per10(before.wineserver, after.wineserver);
  figures.xvfb = per10(before.xvfb, after.xvfb);
  figures.wine_other = per10(before.wine_other, after.wine_other);
  figures.machine = per10(before.machine, after.machine);
  figures.program_stat = per10(before.program_stat, after.program_stat);
  for (pid_t pid : program) figures.resident_kb += ResidentKilobytes(pid).value_or(0);
  return figures;
}

std::optional<e2e::Point> FindColourPixel(Subject& subject, Scene& scene) {
  constexpr Rgb kFirst{17, 203, 91}, kSecond{201, 33, 140};
  auto rect = subject.WindowRect();
  if (!rect) return std::nullopt;
  scene.MovePointer(scene.ProbeCentre());
  scene.SetProbe(kFirst);
  std::vector<e2e::Point> candidates;
  e2e::WaitUntil(
      [&] {
        e2e::Image image = scene.x().Capture(*rect);
        for (int y = 0; y < image.height; ++y) {
          for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y) == kFirst) candidates.push_back({rect->x + x, rect->y + y});
          }
        }
        return !candidates.empty();
      },
      milliseconds(2000), milliseconds(50));
  if (candidates.empty()) return std::nullopt;
  scene.SetProbe(kSecond);
  std::optional<e2e::Point> found;
  e2e::WaitUntil(
      [&] {
        for (const e2e::Point& p : candidates) {
          if (scene.x().PixelAt(p.x, p.y) == kSecond) {
            found = p;
            return true;
          }
        }
        return false;
      },
      milliseconds(2000), milliseconds(50));
  return found;
}

UpdateRate MeasureUpdates(Scene& scene, e2e::Point colour_pixel, double seconds) {
  scene.MovePointer(scene.ProbeCentre());
  std::this_thread::sleep_for(milliseconds(300));
  long changes = 0, polls = 0;
  Rgb last = scene.x().PixelAt(colour_pixel.x, colour_pixel.y);
  const auto start = Clock::now();
  const auto end = start + std::chrono::microseconds(long(seconds * 1e6));
  for (uint32_t c = 1; Clock::now() < end; ++c) {
    scene.SetProbe(Rgb{uint8_t(c), uint8_t(c >> 8), uint8_t(0x40 + ((c >> 16) & 0x3f))});
    Rgb now = scene.x().PixelAt(colour_pixel.x, colour_pixel.y);
    ++polls;
    if (now != last) ++changes;
    last = now;
    std::this_thread::sleep_for(milliseconds(1));
  }
  const double elapsed = e2e::SecondsSince(start);
  return {double(changes) / elapsed, double(polls) / elapsed};
}

Latencies MeasureLatency(Scene& scene, e2e::Point colour_pixel, int samples) {
  static const Rgb kColours[] = {{200, 40, 40}, {40, 160, 220}, {230, 200, 30}, {90, 30, 140}};
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<int> pause_us(20000, 50000);
  scene.MovePointer(scene.ProbeCentre());
  Latencies result;
  for (int i = 0; i < samples; ++i) {
    std::this_thread::sleep_for(std::chrono::microseconds(pause_us(random)));
    const Rgb colour = kColours[i % 4];
    scene.SetProbe(colour);
    scene.x().Sync();  // the screen has changed once the server has done the request
    const auto changed = Clock::now();
    const auto limit = changed + milliseconds(1000);
    bool shown = false;
    while (!(shown = scene.x().PixelAt(colour_pixel.x, colour_pixel.y) == colour) &&
           Clock::now() < limit) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (shown) {
      result.ms.push_back(e2e::SecondsSince(changed) * 1000.0);
    } else {
      ++result.missed;
    }
  }
  return result;
}

}  // namespace livebench
