#include "main_window_input.h"

#include "shell.h"
#include "tick_profile.h"
#include "tooltips.h"

namespace tintspot::win32 {

LRESULT CreateMainChildren(Shell& shell, HWND hwnd) {
  shell.windows.zoomList = shell.zoomList.Create(hwnd, shell.windows.instance);
  if (!shell.windows.zoomList) return -1;
  shell.windows.tooltip = CreateMainTooltips(hwnd, shell.windows.instance);
  return 0;
}

void TickMainWindow(Shell& shell) {
  profile::Tick tick;
  struct EndBatchOnExit {
    MainPainter& painter;
    ~EndBatchOnExit() { painter.EndBatch(); }
  } end{shell.painter};
  shell.painter.BeginBatch();
  shell.core.Timer1Timer();
}

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

void CaptureChanged(Shell& shell, HWND hwnd, LPARAM lParam) {
  if (reinterpret_cast<HWND>(lParam) != hwnd) shell.core.CaptureLost();
}

LRESULT SetMainCursor(Shell& shell, HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(wParam) != hwnd || LOWORD(lParam) != HTCLIENT)
    return DefWindowProcA(hwnd, WM_SETCURSOR, wParam, lParam);
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(hwnd, &point);
  HCURSOR cursor = shell.windows.arrowCursor;
  switch (shell.core.CursorAt(ScreenPoint{point.x, point.y})) {
    case CursorShape::Hand: cursor = shell.windows.handCursor; break;
    case CursorShape::Dropper: cursor = shell.windows.dropperCursor; break;
    case CursorShape::Arrow: break;
  }
  SetCursor(cursor ? cursor : shell.windows.arrowCursor);
  return TRUE;
}

void SnapWindowPos(Shell& shell, HWND hwnd, LPARAM lParam) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
  if ((pos->flags & SWP_NOMOVE) || IsIconic(hwnd)) return;
  int width = pos->cx;
  int height = pos->cy;
  if (pos->flags & SWP_NOSIZE) {
    RECT now{};
    GetWindowRect(hwnd, &now);
    width = now.right - now.left;
    height = now.bottom - now.top;
  }
  const ScreenPoint snapped =
      shell.core.SnapPosition(Rect::FromSize(pos->x, pos->y, width, height));
  pos->x = snapped.x;
  pos->y = snapped.y;
}

void MainActivated(Shell& shell, WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE) shell.core.HelpDeactivated();
}

void CloseMainWindow(Shell& shell, HWND hwnd) {
  if (shell.core.FormClose()) DestroyWindow(hwnd);
}

void MainDestroyed(Shell& shell) {
  if (shell.windows.tooltip) DestroyWindow(shell.windows.tooltip);
  shell.windows.tooltip = nullptr;
  PostQuitMessage(0);
}

}  // namespace tintspot::win32
