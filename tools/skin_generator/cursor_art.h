// The program's two cursors as 32 x 32 masks: '.' transparent, 'X' black,
// 'o' white. No pixel inverts the screen.
#pragma once

namespace skin {

constexpr int kCursorSize = 32;

struct CursorArt {
  const char* const* rows;  // kCursorSize rows of kCursorSize characters
  int hotX;
  int hotY;
};

// A pointing hand, index finger up, hot spot at the fingertip.
CursorArt HandCursor();
// An eyedropper lying diagonally, bulb at the upper right, hot spot at the
// tip at the bottom of the cell.
CursorArt DropperCursor();

}  // namespace skin
