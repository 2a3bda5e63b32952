// What the core asks of the desktop it runs on: every duty of a shell, on
// one page. The Win32 shell implements it with the Windows API; the tests
// implement it with a simulated desktop. Every call happens on the one GUI
// thread. The core holds the rules; a shell answers primitive questions and
// carries out requests, and names no window by a handle of its own here:
// the program's windows are named by ProgramWindow, controls by Control.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "colour_types.h"
#include "geometry.h"
#include "main_layout.h"
#include "pixel_buffer.h"

namespace tintspot {

enum class MenuCommand { None, mnuPopSite, mnuPopAbout };

// CannotOpen: another program holds the clipboard; CannotSet: the text could
// not be handed to it.
enum class ClipboardResult { Done, CannotOpen, CannotSet };

// Colours of the desktop's colour scheme that the core draws with.
enum class SystemColour {
  DarkShadow,  // the darkest edge of a sunken 3-D frame
  ButtonFace,  // the face of buttons and dialogs: the main window's background
  WindowText,  // text on a window's background: the help notes
};

// The program's own windows, as the core tells them apart. None: a window
// of another program, or none at all.
enum class ProgramWindow {
  None,
  Main,              // the main window itself, with everything it draws
  ZoomList,          // the zoom list's closed field, inside the main window
  ZoomListDropDown,  // the zoom list's dropped-down item list, a window of its own
  HelpPopup,
  Other,  // another window of the program: a message box, the options menu
};

// How the main window is shown now.
enum class WindowShowState { Normal, Minimized, Maximized };

class Platform {
 public:
  virtual ~Platform() = default;

  // --- Reading the screen ---------------------------------------------------
  // The core decides what to read and how to combine it (screen_reader.h);
  // these answer one question each.
  // Where the pointer is, in screen coordinates; nullopt when it cannot be read.
  virtual std::optional<ScreenPoint> CursorPosition() = 0;
  // Which of the program's windows is the topmost window at a screen point.
  virtual ProgramWindow WindowAt(ScreenPoint point) = 0;
  // The rectangles of the monitors in screen coordinates, and the screen's
  // colour depth in bits per pixel. Asked again only after DisplayChanged.
  virtual std::vector<Rect> MonitorRects() = 0;
  virtual int ScreenBitsPerPixel() = 0;
  // Holds the screen for reading until EndScreenRead; false when it cannot be
  // read now. Between the two the core asks for copies and pixels.
  virtual bool BeginScreenRead() = 0;
  // A raw copy of part (a rectangle on one monitor) into target with its top
  // left at targetAt, each pixel as a copy to 8-bit channels gives it; false
  // when the copy failed (target is then left as it was).
  virtual bool CopyScreen(const Rect& part, PixelBuffer& target, ScreenPoint targetAt) = 0;
  // The colour of one screen pixel as a read of that one pixel gives it;
  // kClrInvalid for a point off the screen or a screen that cannot be read.
  virtual TColor ScreenPixel(ScreenPoint point) = 0;
  virtual void EndScreenRead() = 0;
  // Whether anything may have been drawn onto a screen rectangle since this
  // was last asked: true when the rectangle is not the one asked last time,
  // and always on a desktop that cannot tell.
  virtual bool ScreenChangedIn(const Rect& area) = 0;
  // The desktop's colour for one of its scheme's colours.
  virtual TColor SystemColor(SystemColour colour) = 0;

  // --- Drawing the main window ----------------------------------------------
  // The bytes of one of the program's embedded pictures (empty if missing).
  virtual std::vector<std::uint8_t> ResourceData(const char* name) = 0;
  // The picture a picture control (imgMain, imgTop, ...) shows from now on
  // (the platform keeps a copy).
  virtual void ShowPicture(Control control, const Picture& picture) = 0;
  // Draws straight into the window, now.
  virtual void PaintSwatch(const PixelBuffer& swatch) = 0;
  virtual void PaintMagnifier(const PixelBuffer& view) = 0;
  // The text a label (lblPixel, lblRGB, ...) shows from now on.
  virtual void SetLabelText(Control label, const std::string& text) = 0;
  // The colour shown in the magnifier view at a point of its own, as drawn
  // in the window now; kClrInvalid when it cannot be read.
  virtual TColor MagnifierPixel(ScreenPoint viewPoint) = 0;

  // --- Placing the main window ----------------------------------------------
  // The window's rectangle on the screen now.
  virtual Rect WindowRect() = 0;
  virtual WindowShowState ShowState() = 0;
  // Moves the window (keeping its size), or changes its height (keeping its
  // place); neither activates it. The shell tells the core of every move it
  // sees (TfrmMain::MainWindowPlaced), these included.
  virtual void MoveWindow(ScreenPoint topLeft) = 0;
  virtual void SetWindowHeight(int height) = 0;
  // Puts the window above every ordinary window, or back among them, without
  // moving, resizing or redrawing it.
  virtual void SetTopmost(bool topmost) = 0;
  // The work area (the monitor less its task bars) of the monitor a window
  // rectangle is on, the nearest one when it is on none.
  virtual Rect WorkAreaFor(const Rect& window) = 0;
  virtual std::vector<Rect> MonitorWorkAreas() = 0;
  // Width and height of the primary display (the whole screen).
  virtual int PrimaryScreenWidth() = 0;
  virtual int PrimaryScreenHeight() = 0;
  // Runs the desktop's own window-moving loop, as a press on a caption bar
  // would (the mouse capture is given up first); returns when the move ends.
  // The shell snaps every place the loop passes through (TfrmMain::SnapPosition).
  virtual void BeginWindowDrag() = 0;
  // Minimizes the application: its windows disappear, the help popup too,
  // and it stays on the task bar.
  virtual void MinimizeApplication() = 0;
  // Asks the main window to close, like the system close command; the close
  // handling runs after the current event.
  virtual void RequestClose() = 0;

  // --- Mouse and keyboard ----------------------------------------------------
  // Sends every mouse event to the main window until released, wherever the
  // pointer is. The shell reports a capture taken away (TfrmMain::CaptureLost).
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouseCapture() = 0;
  // The desktop's double-click settings: the longest time between the two
  // presses, and the size of the rectangle, centred on the first press,
  // within which the second must fall.
  virtual std::uint32_t DoubleClickTimeMs() = 0;
  virtual ScreenPoint DoubleClickSize() = 0;
  // The window with the keyboard focus (None when it is not the program's),
  // and moving the focus to the main window or the zoom list.
  virtual ProgramWindow FocusedWindow() = 0;
  virtual void FocusWindow(ProgramWindow window) = 0;

  // --- The sampling timer and the zoom list -----------------------------------
  virtual void StartTimer(int intervalMs) = 0;
  virtual void StopTimer() = 0;
  virtual int ZoomSelection() = 0;  // -1 when nothing is selected
  virtual void SelectZoom(int index) = 0;
  // Greys the list out and back; the focus is the core's business.
  virtual void EnableZoomList(bool enabled) = 0;

  // --- Settings file ----------------------------------------------------------
  virtual std::optional<std::string> ReadSetting(const char* section, const char* key) = 0;
  virtual bool WriteSetting(const char* section, const char* key, const std::string& value) = 0;
  virtual std::string SettingsPath() = 0;

  // --- Commands and auxiliary windows -----------------------------------------
  // Puts text on the clipboard as the program's own (a shell retries a busy
  // clipboard a few times before it answers CannotOpen).
  virtual ClipboardResult SetClipboardText(const std::string& text) = 0;
  // Message boxes with their own message loop, which goes on delivering the
  // program's ticks, repaints and posted commands until answered.
  virtual void ShowErrorBox(const std::string& text) = 0;
  virtual void ShowInfoBox(const std::string& caption, const std::string& text) = 0;
  virtual void OpenAddress(const std::string& address) = 0;
  // Shows the options menu with its top left at point and returns, when it
  // has closed, the item chosen (None when it was dismissed).
  virtual MenuCommand TrackOptionsMenu(ScreenPoint point) = 0;
  // Queues a menu item behind the events already waiting: it comes back as
  // TfrmMain::MenuItemClick once the current event has been handled.
  virtual void PostMenuCommand(MenuCommand command) = 0;
  // The help popup: shown above every other window at topLeft and given the
  // activation (and the keyboard), or hidden.
  virtual void ShowHelpPopup(ScreenPoint topLeft) = 0;
  virtual void HideHelpPopup() = 0;
  virtual void DestroyHelpPopup() = 0;
};

}  // namespace tintspot
