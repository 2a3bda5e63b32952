// X servers for the end-to-end tests of several monitors: one with two monitors of different
// sizes side by side (Xorg with two screens of the dummy video driver joined by Xinerama), and
// one with the first of them only (Xvfb), where the second monitor is gone. (Xvfb alone places
// its screens on top of each other; Xephyr's pointer follows only the pointer of the X server
// it runs in, not XTest.) Wine needs `HKCU\Software\Wine\X11 Driver` values UseXRandR = "N"
// to take its monitors from the Xinerama heads, and UseXVidMode = "N": Wine 8 crashes reading
// the dummy driver's modes through XF86VidMode.
#pragma once

#include <string>

#include "subprocess.h"
#include "xdriver.h"

namespace e2e {

// Where the monitors lie in the virtual screen (2080 x 1024; no monitor covers the parts right of
// the first one above and below the second).
constexpr Rect kFirstMonitor{0, 0, 1280, 1024};
constexpr Rect kSecondMonitor{1280, 100, 800, 600};

class TwoMonitorDisplay {
 public:
  // Starts both servers (as root: Xorg needs it); throws std::runtime_error if one does not
  // start. `folder` gets the configuration and the logs.
  explicit TwoMonitorDisplay(const std::string& folder);
  ~TwoMonitorDisplay();                                    // stops them
  const std::string& display() const { return display_; }  // two monitors, e.g. ":7"
  const std::string& one_monitor_display() const { return one_display_; }

 private:
  Process two_, one_;
  std::string display_, one_display_;
};

}  // namespace e2e
