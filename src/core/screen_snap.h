// Screen snap: a window edge that comes closer than the snap distance to the
// matching edge of its monitor's work area is placed exactly on it.
#pragma once

#include "geometry.h"

namespace tintspot {

constexpr int kSnapDistance = 10;

// The position the window takes when it is moved to window's place. Edges
// are tested in the order left, top, right, bottom; an edge 0 to
// distance - 1 pixels away from its work-area edge (on either side) snaps.
// A move to exactly (0, 0) is left alone.
ScreenPoint SnapToWorkArea(const Rect& window, const Rect& workArea, int distance = kSnapDistance);

}  // namespace tintspot
