#include "main_window.h"

#include <windowsx.h>

#include "error_box.h"
#include "main_window_input.h"
#include "main_window_lifecycle.h"
#include "main_window_paint.h"
#include "main_window_tick.h"
#include "shell.h"
#include "tooltips.h"

namespace tintspot::win32 {
namespace {

constexpr char kMainClass[] = "TfrmMain";
constexpr DWORD kMainStyle = WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU | WS_CLIPCHILDREN;

ScreenPoint ClientPoint(LPARAM lParam) {
  return ScreenPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The time the message being handled was made, in ms since the system started.
std::uint32_t MessageTime() { return static_cast<std::uint32_t>(GetMessageTime()); }

LRESULT HandleMainMessage(Shell& shell, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  TfrmMain& core = shell.core;
  RelayToTooltips(shell.windows.tooltip, hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: return CreateMainChildren(shell, hwnd);
    case WM_TIMER: TickMainWindow(shell); return 0;
    case WM_PAINT: PaintMainWindow(shell); return 0;
    case WM_ERASEBKGND:
      return 1;  // the painting covers the whole client area
    // Every press is a plain press: the core tells double-clicks (the class
    // has no CS_DBLCLKS, and a double-click message a modal loop may still
    // make is one more press).
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      core.MouseDown(ClientPoint(lParam), MouseButton::Left, MessageTime());
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      core.MouseDown(ClientPoint(lParam), MouseButton::Right, MessageTime());
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      core.MouseDown(ClientPoint(lParam), MouseButton::Middle, MessageTime());
      return 0;
    case WM_LBUTTONUP: core.MouseUp(ClientPoint(lParam), MouseButton::Left); return 0;
    case WM_RBUTTONUP: core.MouseUp(ClientPoint(lParam), MouseButton::Right); return 0;
    case WM_MBUTTONUP: core.MouseUp(ClientPoint(lParam), MouseButton::Middle); return 0;
    case WM_CAPTURECHANGED: CaptureChanged(shell, hwnd, lParam); return 0;
    case WM_SETCURSOR: return SetMainCursor(shell, hwnd, wParam, lParam);
    case WM_WINDOWPOSCHANGING: SnapWindowPos(shell, hwnd, lParam); break;
    case WM_WINDOWPOSCHANGED:
      core.MainWindowPlaced();
      // Only a change of the size alone is undone: one that moves the window
      // too may be an outdated notice that a later one corrects, and asking
      // for the size sends the believed place along. Restored after Wine has
      // finished taking in the desktop's change.
      if (shell.platform.SizeLostToDesktop() &&
          (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOMOVE) != 0)
        PostMessageA(hwnd, WM_APP_RESTORE_SIZE, 0, 0);
      break;
    case WM_APP_RESTORE_SIZE: shell.platform.RestoreRequestedSize(); return 0;
    case WM_ACTIVATE: MainActivated(shell, wParam); break;
    case WM_ACTIVATEAPP: PostMessageA(hwnd, WM_APP_ACTIVATION, wParam != 0, 0); break;
    case WM_APP_ACTIVATION: core.ApplicationActivationChanged(wParam != 0); return 0;
    case WM_SETFOCUS: core.MainWindowFocused(); return 0;
    case WM_COMMAND:  // the zoom list's notifications need no answer
      if (const MenuCommand item = OptionsMenu::CommandOf(wParam, lParam);
          item != MenuCommand::None)
        core.MenuItemClick(item);
      return 0;
    // Alt or F10 alone would start keyboard menu mode on the window's invisible system menu,
    // which then swallows the following keys; those keys lock and unlock instead.
    // Maximizing, from the taskbar's window menu for one, is not for this window either.
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0) return 0;
      if ((wParam & 0xFFF0) == SC_MAXIMIZE) return 0;
      break;
    case WM_DISPLAYCHANGE: core.DisplayChanged(); break;
    case WM_CLOSE: CloseMainWindow(shell, hwnd); return 0;
    case WM_DESTROY: MainDestroyed(shell); return 0;
    default: break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* shell = static_cast<Shell*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(shell));
    shell->windows.main = hwnd;
  }
  auto* shell = reinterpret_cast<Shell*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!shell) return DefWindowProcA(hwnd, message, wParam, lParam);
  try {
    return HandleMainMessage(*shell, hwnd, message, wParam, lParam);
  } catch (...) {
    ShowBoundaryError(shell->core);
    return 0;
  }
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "MAINICON");
  windowClass.hIconSm =
      static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainClass;
  return RegisterClassExA(&windowClass) != 0;
}

HWND CreateMainWindow(Shell& shell) {
  // No frame: the window rectangle is the client area, 171 x 234.
  return CreateWindowExA(0, kMainClass, "Tintspot", kMainStyle, 0, 0, kMainWidth, kMainHeightFull,
                         nullptr, nullptr, shell.windows.instance, &shell);
}

void PlaceMainWindowAgain(HWND hwnd) {
  RECT placed{};
  if (IsIconic(hwnd) || !GetWindowRect(hwnd, &placed)) return;
  SetWindowPos(hwnd, nullptr, placed.left, placed.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowMainWindow(HWND hwnd, int show) {
  // A maximized borderless picker would cover the monitor and sample only
  // itself: a shortcut set to start maximized gets the normal window. (The
  // first ShowWindow may take the launcher's show state over ours.)
  if (show == SW_SHOWMAXIMIZED) show = SW_SHOWNORMAL;
  ShowWindow(hwnd, show);
  if (IsZoomed(hwnd)) ShowWindow(hwnd, SW_RESTORE);
  // Under Wine with a window manager, showing the window reconfigures its X
  // window just before mapping it, and Wine may take in the notice of that
  // change only after the manager has put the window into a frame that still
  // lies at the screen's origin: it then believes the window moved to (0, 0),
  // while the window stays put. A request made after the show makes that
  // notice an outdated one, which Wine drops.
  PlaceMainWindowAgain(hwnd);
  UpdateWindow(hwnd);
}

}  // namespace tintspot::win32
