// The zoom list's size and font: a pick-only drop-down list in its place in
// the layout, closed exactly as high as that place, dropping down its seven
// items in 11-pixel rows.
#pragma once

#include "magnifier.h"
#include "main_layout.h"
#include "text_look.h"

namespace tintspot {

constexpr int kZoomItemHeight = 11;
constexpr int kZoomClosedHeight = kZoomListBounds.Height();
// The dropped-down part: every item, and a pixel of border above and below.
constexpr int kZoomDroppedListHeight = kZoomLevels * kZoomItemHeight + 2;
constexpr FontSpec kZoomListFont{"Small Fonts", 9, FontMeasure::Em, false};

}  // namespace tintspot
