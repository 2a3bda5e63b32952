#include "win32_platform.h"

#include <shellapi.h>

#include "clipboard.h"
#include "error_box.h"
#include "gdi_owners.h"
#include "gdi_util.h"
#include "main_layout.h"
#include "main_window.h"
#include "settings_file.h"

namespace tintspot::win32 {
namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info))
    reinterpret_cast<std::vector<Rect>*>(list)->push_back(FromRECT(info.rcWork));
  return TRUE;
}

}  // namespace

// --- The screen -----------------------------------------------------------------

ProgramWindow Win32Platform::WindowOf(HWND window) const {
  if (!window) return ProgramWindow::None;
  if (window == windows_.main) return ProgramWindow::Main;
  if (window == zoomList_.hwnd() || IsChild(windows_.main, window)) return ProgramWindow::ZoomList;
  if (window == zoomList_.dropDown()) return ProgramWindow::ZoomListDropDown;
  if (window == help_.hwnd()) return ProgramWindow::HelpPopup;
  DWORD process = 0;
  if (GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId())
    return ProgramWindow::Other;
  return ProgramWindow::None;
}

std::optional<ScreenPoint> Win32Platform::CursorPosition() {
  profile::Stage stage("CursorPosition (GetCursorPos)");
  POINT point{};
  if (!GetCursorPos(&point)) return std::nullopt;
  return ScreenPoint{point.x, point.y};
}

ProgramWindow Win32Platform::WindowAt(ScreenPoint point) {
  profile::Stage stage("WindowAt (WindowFromPoint)");
  if (!windows_.main) return ProgramWindow::None;
  return WindowOf(WindowFromPoint(POINT{point.x, point.y}));
}

TColor Win32Platform::SystemColor(SystemColour colour) {
  profile::Stage stage("SystemColor");
  return DesktopColour(colour);
}

// --- Drawing the main window ----------------------------------------------------------

std::vector<std::uint8_t> Win32Platform::ResourceData(const char* name) {
  HRSRC resource = FindResourceA(windows_.instance, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!resource) return {};
  HGLOBAL loaded = LoadResource(windows_.instance, resource);
  const DWORD size = SizeofResource(windows_.instance, resource);
  const auto* bytes = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  if (!bytes || size == 0) return {};
  return std::vector<std::uint8_t>(bytes, bytes + size);
}

TColor Win32Platform::MagnifierPixel(ScreenPoint viewPoint) {
  const Rect& view = InfoOf(Control::pbMag).bounds;
  const WindowDc dc(windows_.main);
  if (!dc) return CLR_INVALID;
  return GetPixel(dc.get(), view.left + viewPoint.x, view.top + viewPoint.y);
}

// --- The main window -------------------------------------------------------------

Rect Win32Platform::WindowRect() {
  profile::Stage stage("WindowRect (GetWindowRect)");
  RECT rect{};
  GetWindowRect(windows_.main, &rect);
  return FromRECT(rect);
}

WindowShowState Win32Platform::ShowState() {
  if (IsIconic(windows_.main)) return WindowShowState::Minimized;
  if (IsZoomed(windows_.main)) return WindowShowState::Maximized;
  return WindowShowState::Normal;
}

void Win32Platform::MoveWindow(ScreenPoint topLeft) {
  SetWindowPos(windows_.main, nullptr, topLeft.x, topLeft.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::SetWindowHeight(int height) {
  requestedHeight_ = height;
  SetWindowPos(windows_.main, nullptr, 0, 0, kMainWidth, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::SetTopmost(bool topmost) {
  SetWindowPos(windows_.main, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW);
}

bool Win32Platform::SizeLostToDesktop() {
  if (IsIconic(windows_.main) || IsZoomed(windows_.main)) return false;
  RECT rect{};
  if (!GetWindowRect(windows_.main, &rect)) return false;
  const Rect placed = FromRECT(rect);
  // Under Wine with a window manager, a manager slow to take the window in
  // can give it back the size it had before it was shown (the full height
  // while the magnifier is hidden), and Wine takes that over.
  const bool sizeLost = requestedHeight_ != 0 &&
                        (placed.Width() != kMainWidth || placed.Height() != requestedHeight_);
  if (!sizeLost) sizeRestores_ = 0;
  return sizeLost;
}

void Win32Platform::RestoreRequestedSize() {
  constexpr int kMaxRestoresInARow = 3;
  if (!SizeLostToDesktop() || sizeRestores_ >= kMaxRestoresInARow) return;
  ++sizeRestores_;
  SetWindowPos(windows_.main, nullptr, 0, 0, kMainWidth, requestedHeight_,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect Win32Platform::WorkAreaFor(const Rect& window) {
  const RECT rect = ToRECT(window);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return FromRECT(work);
  }
  return FromRECT(info.rcWork);
}

std::vector<Rect> Win32Platform::MonitorWorkAreas() {
  std::vector<Rect> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

void Win32Platform::BeginWindowDrag() {
  ReleaseCapture();
  SendMessageA(windows_.main, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  // Under Wine with a window manager, the manager moves the X window and
  // Wine reports the positions afterwards; snapped as they came in, they
  // moved Windows' idea of the window but not the X window. Placed once
  // more where the move ended, the window is snapped there for good. On
  // Windows every position was snapped already and nothing changes.
  PlaceMainWindowAgain(windows_.main);
}

void Win32Platform::MinimizeApplication() {
  // Owned windows (the help popup) are hidden with their owner.
  ShowWindow(windows_.main, SW_MINIMIZE);
}

void Win32Platform::FocusWindow(ProgramWindow window) {
  if (window == ProgramWindow::Main) SetFocus(windows_.main);
  if (window == ProgramWindow::ZoomList && zoomList_.hwnd()) SetFocus(zoomList_.hwnd());
}

// --- Timer --------------------------------------------------------------------------

void Win32Platform::StartTimer(int intervalMs) {
  SetTimer(windows_.main, kSamplingTimerId, static_cast<UINT>(intervalMs), nullptr);
}

// --- Settings file ---------------------------------------------------------------

std::string Win32Platform::SettingsPath() {
  if (settingsPath_.empty()) settingsPath_ = SettingsFilePath();
  return settingsPath_;
}

std::optional<std::string> Win32Platform::ReadSetting(const char* section, const char* key) {
  return ReadProfileValue(SettingsPath(), section, key);
}

bool Win32Platform::WriteSetting(const char* section, const char* key, const std::string& value) {
  return WriteProfileValue(SettingsPath(), section, key, value);
}

// --- Commands and auxiliary windows ------------------------------------------------

ClipboardResult Win32Platform::SetClipboardText(const std::string& text) {
  return PutClipboardText(windows_.main, text);
}

void Win32Platform::ShowErrorBox(const std::string& text) {
  painter_.FlushBatch();  // the box's message loop may run for long
  ShowErrorMessage(windows_.main, text);
}

void Win32Platform::ShowInfoBox(const std::string& caption, const std::string& text) {
  MessageBoxA(windows_.main, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

void Win32Platform::OpenAddress(const std::string& address) {
  ShellExecuteA(windows_.main, "open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace tintspot::win32
