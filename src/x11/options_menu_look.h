// The options menu's picture as Wine draws the Windows build's popup menu: a one-pixel grey
// frame and a white margin around the items (each as high as the menu font needs, the widest
// text deciding the width), a grey line for the separator, the item under the pointer in the
// selection colour and every item's accelerator underlined.
#pragma once

#include <vector>

#include "geometry.h"
#include "pixel_buffer.h"

namespace tintspot::x11 {

struct MenuRow {
  Rect box;  // in the menu's window
  int item;  // index in kOptionsMenuItems; -1 for a separator
};

// The rows of the menu top to bottom, and the size of its window.
std::vector<MenuRow> OptionsMenuRows();
Rect OptionsMenuSize();
// The item at a point of the menu's window, -1 for none (a separator, the frame, outside).
int OptionsMenuItemAt(ScreenPoint point);
// The whole menu with the item `highlighted` (-1: none) highlighted.
void DrawOptionsMenu(PixelBuffer& menu, int highlighted);

}  // namespace tintspot::x11
