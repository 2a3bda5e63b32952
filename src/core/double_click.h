// Which presses are the second press of a double-click: a press of the same
// button as the press before it, sooner than the desktop's double-click time
// after it and inside the desktop's double-click rectangle centred on it.
// Any press replaces the one the next is compared with, and a double-click
// uses up its first press, so a third quick press starts afresh.
#pragma once

#include <cstdint>
#include <optional>

#include "geometry.h"
#include "mouse_rules.h"

namespace tintspot {

class DoubleClickDetector {
 public:
  // A press at a screen point at a time in milliseconds (a counter that may
  // wrap), with the double-click time and the rectangle's width and height.
  bool IsDoubleClick(ScreenPoint at, MouseButton button, std::uint32_t timeMs,
                     std::uint32_t doubleClickTimeMs, ScreenPoint doubleClickSize);

 private:
  struct Press {
    ScreenPoint at;
    MouseButton button;
    std::uint32_t timeMs;
  };
  std::optional<Press> last_;
};

}  // namespace tintspot
