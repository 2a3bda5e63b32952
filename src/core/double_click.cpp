#include "double_click.h"

#include <cstdlib>

namespace tintspot {

bool DoubleClickDetector::IsDoubleClick(ScreenPoint at, MouseButton button, std::uint32_t timeMs,
                                        std::uint32_t doubleClickTimeMs,
                                        ScreenPoint doubleClickSize) {
  const bool doubleClick = last_ && last_->button == button &&
                           timeMs - last_->timeMs < doubleClickTimeMs &&
                           std::abs(at.x - last_->at.x) < doubleClickSize.x / 2 &&
                           std::abs(at.y - last_->at.y) < doubleClickSize.y / 2;
  if (doubleClick) {
    last_.reset();
  } else {
    last_ = Press{at, button, timeMs};
  }
  return doubleClick;
}

}  // namespace tintspot
