// The pictures of the zoom list as the Windows build's themed drop-down list shows them under
// Wine: the closed field (a grey frame, the selected item, the drop-down button with its
// arrow) and the dropped list (a frame and the items, the highlighted one in the selection
// colour).
#pragma once

#include "pixel_buffer.h"

namespace tintspot::x11 {

enum class FieldState {
  Normal,    // enabled, without the keyboard focus (or with the list dropped)
  Focused,   // the selected item highlighted, in a dotted focus frame
  Disabled,  // greyed out
};

// The closed field, as large as `field` is; `selection` -1 shows no item.
void DrawZoomField(PixelBuffer& field, int selection, FieldState state);
// The dropped list, as large as `list` is, with the item `highlighted` (-1: none) highlighted.
void DrawZoomDropDown(PixelBuffer& list, int highlighted);
// The item of the dropped list at a point of it, -1 for none.
int ZoomItemAt(int x, int y);

}  // namespace tintspot::x11
