// The Platform the core runs on, implemented with the Windows API.
#pragma once

#include <windows.h>

#include "help_window.h"
#include "options_menu.h"
#include "painting.h"
#include "platform.h"
#include "screen_capture.h"
#include "shell_windows.h"
#include "tick_profile.h"
#include "zoom_list.h"

namespace tintspot::win32 {

class Win32Platform final : public Platform {
 public:
  Win32Platform(ShellWindows& windows, MainPainter& painter, ScreenCapture& screen,
                ZoomList& zoomList, HelpPopup& help, OptionsMenu& menu)
      : windows_(windows),
        painter_(painter),
        screen_(screen),
        zoomList_(zoomList),
        help_(help),
        menu_(menu) {}

  // Which of the program's windows a window is (None: another program's).
  ProgramWindow WindowOf(HWND window) const;

  // Reading the screen.
  std::optional<ScreenPoint> CursorPosition() override;
  ProgramWindow WindowAt(ScreenPoint point) override;
  std::vector<Rect> MonitorRects() override { return ScreenCapture::MonitorRects(); }
  int ScreenBitsPerPixel() override { return ScreenCapture::BitsPerPixel(); }
  bool BeginScreenRead() override { return screen_.Begin(); }
  bool CopyScreen(const Rect& part, PixelBuffer& target, ScreenPoint targetAt) override {
    return screen_.Copy(part, target, targetAt);
  }
  TColor ScreenPixel(ScreenPoint point) override { return screen_.Pixel(point); }
  void EndScreenRead() override { screen_.End(); }
  // Windows does not tell what was drawn where: every tick reads.
  bool ScreenChangedIn(const Rect&) override { return true; }
  TColor SystemColor(SystemColour colour) override;

  // Drawing the main window.
  std::vector<std::uint8_t> ResourceData(const char* name) override;
  void ShowPicture(Control control, const Picture& picture) override {
    painter_.ShowPicture(control, picture);
  }
  void PaintSwatch(const PixelBuffer& swatch) override {
    profile::Stage stage("PaintSwatch");
    painter_.ShowSwatch(swatch);
  }
  void PaintMagnifier(const PixelBuffer& view) override {
    profile::Stage stage("PaintMagnifier");
    painter_.ShowMagnifier(view);
  }
  void SetLabelText(Control label, const std::string& text) override {
    profile::Stage stage("SetLabelText");
    painter_.ShowLabel(label, text);
  }
  TColor MagnifierPixel(ScreenPoint viewPoint) override;

  // Placing the main window.
  Rect WindowRect() override;
  WindowShowState ShowState() override;
  void MoveWindow(ScreenPoint topLeft) override;
  void SetWindowHeight(int height) override;
  void SetTopmost(bool topmost) override;
  // After every move or resize of the main window: whether its size is no
  // longer the one last asked for. The window has no sizing frame, so only
  // the desktop changed it.
  bool SizeLostToDesktop();
  // Asks once more for the size last asked for (a few times in a row at
  // most, so that a desktop insisting on its own size cannot keep it busy).
  void RestoreRequestedSize();
  Rect WorkAreaFor(const Rect& window) override;
  std::vector<Rect> MonitorWorkAreas() override;
  int PrimaryScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  int PrimaryScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }
  void BeginWindowDrag() override;
  void MinimizeApplication() override;
  void RequestClose() override { PostMessageA(windows_.main, WM_CLOSE, 0, 0); }

  // Mouse and keyboard.
  void CaptureMouse() override { SetCapture(windows_.main); }
  void ReleaseMouseCapture() override { ReleaseCapture(); }
  std::uint32_t DoubleClickTimeMs() override { return GetDoubleClickTime(); }
  ScreenPoint DoubleClickSize() override {
    return ScreenPoint{GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)};
  }
  ProgramWindow FocusedWindow() override { return WindowOf(GetFocus()); }
  void FocusWindow(ProgramWindow window) override;

  // The sampling timer and the zoom list.
  void StartTimer(int intervalMs) override;
  void StopTimer() override { KillTimer(windows_.main, kSamplingTimerId); }
  int ZoomSelection() override { return zoomList_.Selection(); }
  void SelectZoom(int index) override { zoomList_.Select(index); }
  void EnableZoomList(bool enabled) override { zoomList_.Enable(enabled); }

  // Settings file.
  std::optional<std::string> ReadSetting(const char* section, const char* key) override;
  bool WriteSetting(const char* section, const char* key, const std::string& value) override;
  std::string SettingsPath() override;

  // Commands and auxiliary windows.
  ClipboardResult SetClipboardText(const std::string& text) override;
  void ShowErrorBox(const std::string& text) override;
  void ShowInfoBox(const std::string& caption, const std::string& text) override;
  void OpenAddress(const std::string& address) override;
  MenuCommand TrackOptionsMenu(ScreenPoint point) override {
    return menu_.Track(windows_.main, point);
  }
  void PostMenuCommand(MenuCommand command) override { OptionsMenu::Post(windows_.main, command); }
  void ShowHelpPopup(ScreenPoint topLeft) override { help_.Show(topLeft); }
  void HideHelpPopup() override { help_.Hide(); }
  void DestroyHelpPopup() override { help_.Destroy(); }

 private:
  ShellWindows& windows_;
  MainPainter& painter_;
  ScreenCapture& screen_;
  ZoomList& zoomList_;
  HelpPopup& help_;
  OptionsMenu& menu_;
  int requestedHeight_ = 0;  // 0 until the first height is set
  int sizeRestores_ = 0;     // in a row, without the size agreeing in between
  std::string settingsPath_;
};

}  // namespace tintspot::win32
