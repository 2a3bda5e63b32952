#include "tooltip_rules.h"

#include "main_layout.h"

namespace tintspot {

std::vector<Tooltip> MainTooltips() {
  std::vector<Tooltip> tooltips;
  int count = 0;
  const ControlInfo* controls = MainControls(&count);
  for (int i = 0; i < count; ++i)
    if (controls[i].tooltip) tooltips.push_back({i + 1, controls[i].bounds, controls[i].tooltip});
  return tooltips;
}

}  // namespace tintspot
