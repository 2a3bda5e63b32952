#include "main_window_paint.h"

#include "gdi_owners.h"
#include "shell.h"

namespace tintspot::win32 {

void PaintMainWindow(Shell& shell) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(shell.windows.main, &paint);
  // Ends the paint cycle on every path, so that a failing repaint does not
  // leave the window invalid for ever.
  struct EndPaintOnExit {
    Shell& shell;
    HDC dc;
    PAINTSTRUCT& paint;
    ~EndPaintOnExit() {
      shell.painter.EndFrame(dc);
      EndPaint(shell.windows.main, &paint);
    }
  } end{shell, dc, paint};
  shell.painter.BeginFrame(paint.rcPaint);
  shell.core.Paint(FromRECT(paint.rcPaint));
}

}  // namespace tintspot::win32
