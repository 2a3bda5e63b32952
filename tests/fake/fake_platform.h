// A small simulated desktop for the core's tests: monitors with content, a
// cursor, the main window's rectangle, a settings file, a clipboard, and a
// log of every request the core makes, in order.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform.h"
#include "profile_file.h"

namespace tintspot::testing {

struct FakeMonitor {
  Rect bounds;
  Rect workArea;
};

class FakePlatform : public Platform {
 public:
  FakePlatform();

  // --- The simulated desktop (tests set these) -----------------------------
  std::vector<FakeMonitor> monitors;  // the first one is the primary display
  // Colour of a screen pixel on a monitor; pixels off every monitor are black.
  std::function<TColor(int x, int y)> screen = [](int, int) { return kWhite; };
  ScreenPoint cursor{0, 0};
  bool cursorReadFails = false;  // CursorPosition answers nothing
  bool screenReadFails = false;  // BeginScreenRead fails
  bool copyFails = false;        // CopyScreen fails
  // Whether the desktop tells where the screen changed, and whether it was
  // drawn on (anywhere) since ScreenChangedIn was last asked.
  bool tellsScreenChanges = false;
  bool screenDrawnOn = false;
  // Below 24, a copy keeps only each channel's high bits; a pixel read does not.
  int bitsPerPixel = 32;
  int layoutQueries = 0;                      // MonitorRects calls
  ProgramWindow focus = ProgramWindow::None;  // the window with the keyboard focus
  // What WindowAt answers within the main window's rectangle, when set.
  std::optional<ProgramWindow> windowAtCursor;
  // The desktop's colour scheme; colours not in it answer 0.
  std::map<SystemColour, TColor> systemColours;
  // Extra windows of the program that count as "own" (the zoom list lies
  // inside the main window, so the window rectangle covers it).
  bool cursorOverOtherWindow = false;  // another window lies over ours at the cursor

  // The settings file, read and written as the profile API does it.
  // A file written by something else is loaded with ini = ProfileFile(bytes).
  ProfileFile ini;
  bool settingsWritable = true;
  int writesBeforeFailure = -1;  // >= 0: that many writes succeed, then all fail
  std::string settingsPath = "C:\\Tintspot\\tSpot.ini";
  std::string IniText() const { return ini.Bytes(); }
  void SetIni(const std::string& section, const std::string& key, const std::string& value) {
    ini.Write(section, key, value);
  }

  std::map<std::string, std::vector<std::uint8_t>> resources;  // embedded pictures

  std::optional<std::string> clipboard;
  bool clipboardHeld = false;                  // cannot be opened
  bool clipboardRefuses = false;               // opens, but the text cannot be handed over
  MenuCommand menuChoice = MenuCommand::None;  // the item chosen in the menu
  std::vector<MenuCommand> postedMenuItems;    // in the queue, not yet delivered
  std::function<void()> duringMenu;            // runs while the menu is open
  // Runs while an error box is open, as the box's message loop would run the
  // window's ticks, repaints, posted commands and closes.
  std::function<void()> duringErrorBox;
  // What MagnifierPixel answers instead of the painted view, when set.
  std::optional<TColor> magnifierPixelAnswer;
  // Runs after every call is logged, with its log entry; may throw to make
  // that platform call fail.
  std::function<void(const std::string& call)> onCall;

  // --- What the core did (tests read these) ----------------------------------
  // e.g. "SetTopmost(1)", "ReadSetting(General,X)", "ShowPicture(imgTop)"; controls by name
  std::vector<std::string> calls;
  Rect window = Rect::FromSize(0, 0, 171, 234);
  bool minimized = false;
  bool topmost = false;
  bool timerRunning = false;
  int timerInterval = 0;
  int zoomSelection = -1;
  bool zoomEnabled = true;
  bool captured = false;
  int screenReads = 0;
  std::map<Control, Picture> pictures;
  std::map<Control, std::string> labels;
  std::optional<PixelBuffer> swatch;     // last swatch painted
  std::optional<PixelBuffer> magnifier;  // last view painted
  int swatchPaints = 0;
  int magnifierPaints = 0;
  std::vector<std::string> errorBoxes;
  std::vector<std::pair<std::string, std::string>> infoBoxes;
  std::vector<std::string> openedAddresses;
  std::optional<ScreenPoint> helpPopupAt;  // shown popup's place
  bool helpDestroyed = false;
  bool closeRequested = false;
  int dragsStarted = 0;
  std::optional<ScreenPoint> menuShownAt;

  // The calls whose log entry starts with prefix, in order, and their count.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
  int CountCalls(const std::string& prefix) const;

  // --- Platform ---------------------------------------------------------------------
  std::optional<ScreenPoint> CursorPosition() override;
  ProgramWindow WindowAt(ScreenPoint point) override;
  std::vector<Rect> MonitorRects() override;
  int ScreenBitsPerPixel() override { return bitsPerPixel; }
  bool BeginScreenRead() override;
  bool CopyScreen(const Rect& part, PixelBuffer& target, ScreenPoint targetAt) override;
  TColor ScreenPixel(ScreenPoint point) override;
  void EndScreenRead() override;
  bool ScreenChangedIn(const Rect& area) override;
  TColor SystemColor(SystemColour colour) override;
  std::vector<std::uint8_t> ResourceData(const char* name) override;
  void ShowPicture(Control control, const Picture& picture) override;
  void PaintSwatch(const PixelBuffer& pixels) override;
  void PaintMagnifier(const PixelBuffer& view) override;
  void SetLabelText(Control label, const std::string& text) override;
  TColor MagnifierPixel(ScreenPoint viewPoint) override;
  Rect WindowRect() override;
  WindowShowState ShowState() override;
  void MoveWindow(ScreenPoint topLeft) override;
  void SetWindowHeight(int height) override;
  void SetTopmost(bool on) override;
  Rect WorkAreaFor(const Rect& rect) override;
  std::vector<Rect> MonitorWorkAreas() override;
  int PrimaryScreenWidth() override;
  int PrimaryScreenHeight() override;
  void CaptureMouse() override;
  void ReleaseMouseCapture() override;
  std::uint32_t DoubleClickTimeMs() override { return 500; }
  ScreenPoint DoubleClickSize() override { return ScreenPoint{4, 4}; }
  ProgramWindow FocusedWindow() override { return focus; }
  void FocusWindow(ProgramWindow window) override;
  void BeginWindowDrag() override;
  void MinimizeApplication() override;
  void RequestClose() override;
  void StartTimer(int intervalMs) override;
  void StopTimer() override;
  int ZoomSelection() override;
  void SelectZoom(int index) override;
  void EnableZoomList(bool enabled) override;
  std::optional<std::string> ReadSetting(const char* section, const char* key) override;
  bool WriteSetting(const char* section, const char* key, const std::string& value) override;
  std::string SettingsPath() override;
  ClipboardResult SetClipboardText(const std::string& text) override;
  void ShowErrorBox(const std::string& text) override;
  void ShowInfoBox(const std::string& caption, const std::string& text) override;
  void OpenAddress(const std::string& address) override;
  MenuCommand TrackOptionsMenu(ScreenPoint point) override;
  void PostMenuCommand(MenuCommand command) override { postedMenuItems.push_back(command); }
  void ShowHelpPopup(ScreenPoint topLeft) override;
  void HideHelpPopup() override;
  void DestroyHelpPopup() override;

 private:
  bool OnSomeMonitor(int x, int y) const;
  Rect lastChangeArea_;
  void Log(std::string entry) {
    calls.push_back(std::move(entry));
    if (onCall) onCall(calls.back());
  }
};

// What a copy of the screen holds where no monitor is: not black, so that a
// rule that blackens them is seen to work.
constexpr TColor kOffMonitorCopy = 0x00ABCDEF;

// The committed skin pictures, read from the source tree.
std::map<std::string, std::vector<std::uint8_t>> LoadCommittedSkin();

}  // namespace tintspot::testing
