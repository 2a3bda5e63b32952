// prjTintspot: the process entry. Creates the main window (whose creation
// handler restores the settings and lays it out), then the hidden help
// popup, and runs the message loop until the main window has closed.
// clang-format off
#include <windows.h>
#include <commctrl.h>  // needs windows.h first
// clang-format on

#include <memory>
#include <stdexcept>

#include "dll_search.h"
#include "dpi_awareness.h"
#include "error_box.h"
#include "key_preview.h"
#include "main_window.h"
#include "shell.h"
#include "tick_profile.h"

namespace tintspot::win32 {

Shell::Shell(HINSTANCE instance) {
  windows.instance = instance;
  windows.arrowCursor = LoadCursor(nullptr, IDC_ARROW);
  windows.handCursor = LoadCursorA(instance, "HAND");
  windows.dropperCursor = LoadCursorA(instance, "DROPPER");
}

Shell::~Shell() {
  if (windows.tooltip && IsWindow(windows.tooltip)) DestroyWindow(windows.tooltip);
  for (HWND window : {help.hwnd(), windows.main}) {
    if (!window || !IsWindow(window)) continue;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
  }
}

namespace {

int RunMessageLoop(Shell& shell) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    PreviewKey(message, shell.platform, shell.core);
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

int Run(HINSTANCE instance, int show) {
  DeclareDpiAwareness();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterMainWindowClass(instance) || !HelpPopup::RegisterWindowClass(instance))
    throw std::runtime_error("Cannot register the window classes");

  auto shell = std::make_unique<Shell>(instance);
  if (!CreateMainWindow(*shell)) throw std::runtime_error("Cannot create the main window");
  shell->core.FormCreate();
  Shell& own = *shell;
  if (!shell->help.Create(shell->windows.main, instance, shell->core,
                          [&own](HWND window) { return own.platform.WindowOf(window); }))
    throw std::runtime_error("Cannot create the help window");
  ShowMainWindow(shell->windows.main, show);
  const int result = RunMessageLoop(*shell);
  profile::WriteReport();
  return result;
}

}  // namespace
}  // namespace tintspot::win32

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  tintspot::win32::RestrictDllSearchToSystem();
  try {
    return tintspot::win32::Run(instance, show);
  } catch (...) {
    tintspot::win32::ShowBoundaryError(nullptr);
    return 1;
  }
}
