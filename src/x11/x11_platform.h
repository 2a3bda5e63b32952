// The Platform the core runs on, implemented with Xlib: each request of the core becomes one
// desktop call (or a few), each answer comes from the server or from what the shell has seen.
#pragma once

// clang-format off
#include "xlib_names.h"  // first: before any of the core's headers
// clang-format on

#include <optional>
#include <string>
#include <vector>

#include "monitors.h"
#include "platform.h"

namespace tintspot::x11 {

struct Shell;

class X11Platform final : public Platform {
 public:
  explicit X11Platform(Shell& shell) : shell_(shell) {}

  // Which of the program's windows a window is (None: another program's).
  ProgramWindow WindowOf(Window window) const;
  // After the connection is lost: nothing is asked of the server any more, the answers come
  // from what was known (so the core can still save its settings).
  void ConnectionLost() { lost_ = true; }
  // The timer's period has come: the tooltips' timing, and the core's tick when it runs one.
  void Tick();
  // The monitors again, after the display changed.
  void ReadDisplay();

  // Reading the screen.
  std::optional<ScreenPoint> CursorPosition() override;
  ProgramWindow WindowAt(ScreenPoint point) override;
  std::vector<Rect> MonitorRects() override;
  int ScreenBitsPerPixel() override;
  bool BeginScreenRead() override;
  bool CopyScreen(const Rect& part, PixelBuffer& target, ScreenPoint targetAt) override;
  TColor ScreenPixel(ScreenPoint point) override;
  void EndScreenRead() override {}
  bool ScreenChangedIn(const Rect& area) override;
  TColor SystemColor(SystemColour colour) override;

  // Drawing the main window.
  std::vector<std::uint8_t> ResourceData(const char* name) override;
  void ShowPicture(Control control, const Picture& picture) override;
  void PaintSwatch(const PixelBuffer& swatch) override;
  void PaintMagnifier(const PixelBuffer& view) override;
  void SetLabelText(Control label, const std::string& text) override;
  TColor MagnifierPixel(ScreenPoint viewPoint) override;

  // Placing the main window.
  Rect WindowRect() override;
  WindowShowState ShowState() override;
  void MoveWindow(ScreenPoint topLeft) override;
  void SetWindowHeight(int height) override;
  void SetTopmost(bool topmost) override;
  Rect WorkAreaFor(const Rect& window) override;
  std::vector<Rect> MonitorWorkAreas() override;
  int PrimaryScreenWidth() override;
  int PrimaryScreenHeight() override;
  void BeginWindowDrag() override;
  void MinimizeApplication() override;
  void RequestClose() override;

  // Mouse and keyboard.
  void CaptureMouse() override;
  void ReleaseMouseCapture() override;
  // X has no desktop-wide double-click setting: Windows' defaults.
  std::uint32_t DoubleClickTimeMs() override { return 500; }
  ScreenPoint DoubleClickSize() override { return ScreenPoint{4, 4}; }
  ProgramWindow FocusedWindow() override;
  void FocusWindow(ProgramWindow window) override;

  // The sampling timer and the zoom list.
  void StartTimer(int intervalMs) override;
  void StopTimer() override;
  int ZoomSelection() override;
  void SelectZoom(int index) override;
  void EnableZoomList(bool enabled) override;

  // Settings file.
  std::optional<std::string> ReadSetting(const char* section, const char* key) override;
  bool WriteSetting(const char* section, const char* key, const std::string& value) override;
  std::string SettingsPath() override;

  // Commands and auxiliary windows.
  ClipboardResult SetClipboardText(const std::string& text) override;
  void ShowErrorBox(const std::string& text) override;
  void ShowInfoBox(const std::string& caption, const std::string& text) override;
  void OpenAddress(const std::string& address) override;
  MenuCommand TrackOptionsMenu(ScreenPoint point) override;
  void PostMenuCommand(MenuCommand command) override;
  void ShowHelpPopup(ScreenPoint topLeft) override;
  void HideHelpPopup() override;
  void DestroyHelpPopup() override;

 private:
  const MonitorInfo* PrimaryMonitor() const;

  Shell& shell_;
  bool lost_ = false;
  bool coreTicking_ = false;
  int corePeriodMs_ = 0;
  // The last pointer query: where, and the child of the root it was over.
  ScreenPoint pointer_;
  Window pointerChild_ = 0;
  bool pointerKnown_ = false;
  unsigned long damageReportsSeen_ = 0;  // the damage reports the pointer's rest has heard of
  std::string settingsPath_;
  PixelBuffer part_;  // one part of a screen copy, reused
};

}  // namespace tintspot::x11
