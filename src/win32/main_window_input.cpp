#include "main_window_input.h"

#include "shell.h"

namespace tintspot::win32 {

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
  if (LOWORD(wParam) != WA_INACTIVE) shell.core.FocusWentTo(ProgramWindow::Main);
}

}  // namespace tintspot::win32
