// The main window's tooltips: one for each control that has a tooltip text
// in the layout, over that control's bounds, and no others. They show
// whether or not the program is the active one, and show their texts as
// they are ('&' included). Each learns of the mouse moving, pressing and
// releasing over the window.
#pragma once

#include <vector>

#include "geometry.h"

namespace tintspot {

struct Tooltip {
  int id;  // 1 and up, the same for a control in every run
  Rect bounds;
  const char* text;
};

std::vector<Tooltip> MainTooltips();

}  // namespace tintspot
