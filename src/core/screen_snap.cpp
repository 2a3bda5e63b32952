#include "screen_snap.h"

#include <cstdlib>

namespace tintspot {

ScreenPoint SnapToWorkArea(const Rect& window, const Rect& workArea, int distance) {
  ScreenPoint at{window.left, window.top};
  if (at.x == 0 && at.y == 0) return at;
  const int width = window.Width();
  const int height = window.Height();
  auto near = [distance](int a, int b) { return std::abs(a - b) < distance; };
  if (near(at.x, workArea.left)) at.x = workArea.left;
  if (near(at.y, workArea.top)) at.y = workArea.top;
  if (near(at.x + width, workArea.right)) at.x = workArea.right - width;
  if (near(at.y + height, workArea.bottom)) at.y = workArea.bottom - height;
  return at;
}

}  // namespace tintspot
