#include "root_pointer.h"

namespace tintspot::x11 {

std::optional<ScreenPoint> QueryRootPointer(Display* display, Window root) {
  Window root_return = 0, child = 0;
  int root_x = 0, root_y = 0, win_x = 0, win_y = 0;
  unsigned mask = 0;
  if (!XQueryPointer(display, root, &root_return, &child, &root_x, &root_y, &win_x, &win_y, &mask))
    return std::nullopt;
  return ScreenPoint{root_x, root_y};
}

}  // namespace tintspot::x11
