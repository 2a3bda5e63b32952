#include "main_window_lifecycle.h"

#include "shell.h"
#include "tooltips.h"

namespace tintspot::win32 {

LRESULT CreateMainChildren(Shell& shell, HWND hwnd) {
  if (!shell.zoomList.Create(hwnd, shell.windows.instance)) return -1;
  shell.windows.tooltip = CreateMainTooltips(hwnd, shell.windows.instance);
  return 0;
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
