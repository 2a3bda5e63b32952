#include "main_window_paint.h"

#include "gdi_owners.h"
#include "shell.h"

namespace tintspot::win32 {

void PaintMainWindow(Shell& shell) {
  // The frame and the paint cycle end on every path, so that a failing
  // repaint does not leave the window invalid for ever.
  const PaintScope paint(shell.windows.main);
  try {
    shell.painter.BeginFrame(paint.update());
    shell.core.Paint(FromRECT(paint.update()));
  } catch (...) {
    shell.painter.EndFrame(paint.dc());
    throw;
  }
  shell.painter.EndFrame(paint.dc());
}

}  // namespace tintspot::win32
