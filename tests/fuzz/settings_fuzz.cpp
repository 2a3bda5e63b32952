// libFuzzer target for reading the settings: the input is the whole file
// tSpot.ini as written by anything. The simulated desktop reads it the way
// the profile reader does, and the main window starts from it. Whatever the
// bytes, the window must start in a usable state, and what it saves at close
// must bring back the same state at the next start.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fake_platform.h"
#include "frm_main.h"
#include "magnifier.h"
#include "main_layout.h"
#include "profile_file.h"

namespace {

using tintspot::Rect;
using tintspot::testing::FakePlatform;

[[noreturn]] void Broken(const char* what) {
  std::fprintf(stderr, "settings_fuzz: %s\n", what);
  std::abort();
}

struct Started {
  Rect window;
  int zoom;
  bool onTop;
};

// Starts the main window on a desktop of two monitors, the second to the
// left of the primary and taller, and checks the state it starts in.
Started Start(FakePlatform& desktop) {
  desktop.monitors.push_back({Rect{-1280, -200, 0, 824}, Rect{-1280, -200, 0, 800}});
  tintspot::TfrmMain main(desktop);
  main.FormCreate();
  if (!desktop.errorBoxes.empty()) Broken("an error box at start");
  if (!desktop.timerRunning) Broken("the timer does not run");
  if (desktop.zoomSelection < 0 || desktop.zoomSelection >= tintspot::kZoomLevels)
    Broken("zoom index out of range");
  const Rect& window = desktop.window;
  if (window.Width() != tintspot::kMainWidth || (window.Height() != tintspot::kMainHeightFull &&
                                                 window.Height() != tintspot::kMainHeightCompact))
    Broken("window size");
  bool visible = false;
  for (const Rect& area : desktop.MonitorWorkAreas()) visible = visible || area.Intersects(window);
  if (!visible) Broken("window on no monitor");
  if (desktop.topmost != main.IsOnTop()) Broken("topmost state differs from the window's own");
  main.Timer1Timer();
  if (!main.FormClose()) Broken("close refused");
  if (!desktop.errorBoxes.empty()) Broken("an error box at close");
  return Started{window, desktop.zoomSelection, desktop.topmost};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FakePlatform first;
  first.ini = tintspot::ProfileFile(std::string(data, data + size));
  const Started before = Start(first);

  // The file as the first close left it (a text round trip would test the
  // profile writer rather than the program).
  FakePlatform second;
  second.ini = first.ini;
  const Started after = Start(second);
  if (!(after.window == before.window) || after.zoom != before.zoom || after.onTop != before.onTop)
    Broken("the saved settings do not bring back the same window");
  return 0;
}
