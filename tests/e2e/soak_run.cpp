// soak_run MINUTES [SAMPLE_SECONDS]: runs the real Tintspot.exe for MINUTES under the e2e
// session (a private Xvfb and Wine prefix, see wine_session.h) like a long working day. The
// pointer wanders over patches of colour that keep changing, and every few seconds the program
// is locked and unlocked (by click and by key), copies a readout and Ctrl-C, hides and shows the
// magnifier and opens and closes the help popup. Every SAMPLE_SECONDS (default 30) it samples
// memory, handles, GDI objects, windows and X resources between two actions; at the end it
// prints the table, a small plot per figure and whether each stayed flat after the warm-up.
// Exit code 0: the program ran throughout, its actions worked and every figure stayed flat.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "app_probe.h"
#include "soak_probe.h"
#include "soak_report.h"

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPatches = 6;

// Patches of colour in a row above the program's window; each step paints one of them anew.
class ChangingScreen {
 public:
  explicit ChangingScreen(XDriver& x) : x_(x) {
    for (int i = 0; i < kPatches; ++i) patches_.push_back(Make(i));
  }
  void Change() {
    const int i = step_++ % kPatches;
    patches_[size_t(i)] = Make(i);  // the old window goes, a new one takes its place
  }
  Point Spot(int index, int wiggle) const {
    return {kLeft + index * kPitch + 10 + wiggle % 40, kTop + 10 + (wiggle * 7) % 40};
  }

 private:
  static constexpr int kLeft = 40, kTop = 40, kPitch = 70;
  PatternWindow Make(int i) {
    const int seed = step_ * 37 + i * 101;
    const Rgb colour{uint8_t(seed * 53), uint8_t(seed * 97 + 80), uint8_t(seed * 29 + 160)};
    return x_.CreatePatternWindow({kLeft + i * kPitch, kTop, 60, 60}, colour);
  }
  XDriver& x_;
  std::vector<PatternWindow> patches_;
  int step_ = 1;
};

class Soak {
 public:
  Soak(TintspotApp& app, ChangingScreen& screen)
      : x_(WineSession::Get().x()), app_(app), probe_(x_, app), screen_(screen) {}

  // Moves the pointer over the patches for `duration`, changing the screen now and then.
  void Wander(milliseconds duration) {
    const auto end = Clock::now() + duration;
    while (Clock::now() < end) {
      const Point p = screen_.Spot(moves_ % kPatches, moves_ * 13);
      x_.MovePointer(p.x, p.y);
      if (++moves_ % 8 == 0) screen_.Change();
      std::this_thread::sleep_for(milliseconds(120));
    }
  }

  // One of the user's actions, in turn.
  void Act() {
    switch (actions_++ % 5) {
      case 0:  // lock and unlock with clicks on the swatch
        Check(ToggleLock([&] { probe_.Press(kSwatchCentre); }, true), "lock by click");
        Check(ToggleLock([&] { probe_.Press(kSwatchCentre); }, false), "unlock by click");
        break;
      case 1:  // lock and unlock with a key
        probe_.Press(kOnPanel);
        Check(ToggleLock([&] { x_.TapKey(XK_space); }, true), "lock by key");
        Check(ToggleLock([&] { x_.TapKey(XK_space); }, false), "unlock by key");
        break;
      case 2:  // copy a readout, then the HEX value by Ctrl-C
        probe_.Press(kLblRgb);
        Check(WaitUntil([&] { return ClipboardHas(','); }, milliseconds(3000)), "copy RGB");
        probe_.Press(kOnPanel);
        x_.TapKey(XK_c, kCtrl);
        Check(WaitUntil([&] { return ClipboardHas(0); }, milliseconds(3000)), "Ctrl-C");
        break;
      case 3:  // hide and show the magnifier
        probe_.Press(kOnPanel);
        x_.TapKey(XK_m, kCtrl);
        Check(WaitUntil([&] { return probe_.Height() == kCompactHeight; }, milliseconds(3000)),
              "hide the magnifier");
        Wander(milliseconds(500));
        probe_.Press(kOnPanel);
        x_.TapKey(XK_m, kCtrl);
        Check(WaitUntil([&] { return probe_.Height() == kFullHeight; }, milliseconds(3000)),
              "show the magnifier");
        break;
      default:  // open the help popup and close it with a click on the window
        probe_.Press(kHelpButton);
        Check(WaitUntil([&] { return !app_.Windows("frmHelp").empty(); }, milliseconds(3000)),
              "open the help");
        probe_.Press(kOnPanel);
        Check(WaitUntil([&] { return app_.Windows("frmHelp").empty(); }, milliseconds(3000)),
              "close the help");
        break;
    }
  }

  int actions() const { return actions_; }
  int moves() const { return moves_; }
  int failures() const { return failures_; }

 private:
  static constexpr Point kHelpButton{142, 116};

  bool ToggleLock(const std::function<void()>& toggle, bool locked) {
    toggle();
    return WaitUntil([&] { return probe_.Locked() == locked; }, milliseconds(3000));
  }
  // Whether the clipboard holds a fresh copy containing `must_contain` (0: any text). The copies
  // alternate between an RGB text and a HEX one, so a fresh one always differs from the last.
  bool ClipboardHas(char must_contain) {
    auto text = x_.ClipboardText(500);
    if (!text || *text == last_clip_) return false;
    if (must_contain != 0 && text->find(must_contain) == std::string::npos) return false;
    last_clip_ = *text;
    return true;
  }
  void Check(bool ok, const char* what) {
    if (ok) return;
    ++failures_;
    std::cout << "[soak] action failed: " << what << std::endl;
  }

  XDriver& x_;
  TintspotApp& app_;
  AppProbe probe_;
  ChangingScreen& screen_;
  std::string last_clip_;
  int actions_ = 0, moves_ = 0, failures_ = 0;
};

void PrintSample(const SoakSample& s) {
  std::printf("[soak] %5.1f min", s.minutes);
  for (const SoakFigure& f : SoakFigures()) std::printf("  %s=%ld", f.name, s.*f.value);
  std::printf("\n");
  std::fflush(stdout);
}

int RunSoak(double minutes, double sample_seconds) {
  const auto run_time = std::chrono::duration<double>(minutes * 60);
  const double warm_up_minutes = std::min(5.0, minutes / 5);
  TintspotApp app({Ini(400, 300, 0, 3, 1)});
  if (!app.Start()) {
    std::cout << "[soak] the program did not start\n" << app.Log();
    return 1;
  }
  ChangingScreen screen(WineSession::Get().x());
  Soak soak(app, screen);
  std::vector<SoakSample> samples;
  const auto start = Clock::now();
  auto next_sample = start;
  bool ran_throughout = true;
  while (Clock::now() - start < run_time) {
    if (Clock::now() >= next_sample) {
      samples.push_back(TakeSoakSample(app, SecondsSince(start)));
      PrintSample(samples.back());
      next_sample += std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double>(sample_seconds));
    }
    soak.Wander(milliseconds(2500));
    soak.Act();
    if (!app.Running()) {
      ran_throughout = false;
      std::cout << "[soak] the program ended during the run\n" << app.Log();
      break;
    }
  }
  if (ran_throughout) {
    samples.push_back(TakeSoakSample(app, SecondsSince(start)));
    PrintSample(samples.back());
  }

  std::cout << "\n[soak] " << minutes << " min: " << soak.moves() << " pointer moves, "
            << soak.actions() << " actions, " << soak.failures() << " failed\n\n";
  PrintSoakTable(std::cout, samples);
  std::cout << "\n";
  for (const SoakFigure& f : SoakFigures()) {
    PrintSoakPlot(std::cout, samples, f);
    std::cout << "\n";
  }
  const bool flat = PrintSoakVerdict(std::cout, samples, warm_up_minutes);
  const bool closed = ran_throughout && app.Close();
  std::cout << "[soak] closed normally: " << (closed ? "yes" : "no") << std::endl;
  return ran_throughout && flat && closed && soak.failures() == 0 ? 0 : 1;
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3 || std::atof(argv[1]) <= 0) {
    std::cerr << "usage: soak_run MINUTES [SAMPLE_SECONDS]\n";
    return 2;
  }
  int result = 1;
  try {
    result = e2e::RunSoak(std::atof(argv[1]), argc == 3 ? std::atof(argv[2]) : 30);
  } catch (const std::exception& e) {
    std::cerr << "soak_run: " << e.what() << "\n";
  }
  e2e::WineSession::Shutdown();
  return result;
}
