// What the core asks of the desktop it runs on. The Win32 shell implements
// it with the Windows API; the tests implement it with a simulated desktop.
// Every call happens on the one GUI thread.
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

class Platform {
 public:
  virtual ~Platform() = default;

  // --- The screen -------------------------------------------------------
  virtual ScreenPoint CursorPosition() = 0;
  // True when the window under the point is the main window or its zoom list.
  virtual bool IsOwnWindowAt(ScreenPoint point) = 0;
  // One read of the screen: copies the screen rectangle with its top left at
  // origin and the size of area into area, pixel for pixel (pixels off every
  // monitor are black), and answers the colour of the screen pixel at point
  // as a read of that one pixel gives it: kClrInvalid when it cannot be read.
  // The screen is held only for the span of the call.
  virtual TColor CaptureScreen(ScreenPoint origin, PixelBuffer& area, ScreenPoint point) = 0;
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

  // --- The main window --------------------------------------------------------
  virtual Rect WindowRect() = 0;
  virtual void MoveWindow(ScreenPoint topLeft) = 0;
  virtual void SetWindowHeight(int height) = 0;
  // SetWindowPos with HWND_TOPMOST or HWND_NOTOPMOST, no move, size or redraw.
  virtual void SetTopmost(bool topmost) = 0;
  // The window's normal (restored) rectangle, if the placement can be read.
  virtual std::optional<Rect> NormalWindowRect() = 0;
  // The work area of the monitor a window rectangle is on (the nearest one).
  virtual Rect WorkAreaFor(const Rect& window) = 0;
  virtual std::vector<Rect> MonitorWorkAreas() = 0;
  // Width and height of the primary display (the whole screen).
  virtual int PrimaryScreenWidth() = 0;
  virtual int PrimaryScreenHeight() = 0;
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouseCapture() = 0;
  // Gives up the capture and runs the platform's window-moving loop, as a
  // press on a caption bar would; returns when the move ends.
  virtual void BeginWindowDrag() = 0;
  virtual void MinimizeApplication() = 0;
  // Asks the main window to close, like the system close command; the close
  // handling runs after the current event.
  virtual void RequestClose() = 0;

  // --- The sampling timer and the zoom list -----------------------------------
  virtual void StartTimer(int intervalMs) = 0;
  virtual void StopTimer() = 0;
  virtual int ZoomSelection() = 0;  // -1 when nothing is selected
  virtual void SelectZoom(int index) = 0;
  virtual void EnableZoomList(bool enabled) = 0;

  // --- Settings file ----------------------------------------------------------
  virtual std::optional<std::string> ReadSetting(const char* section, const char* key) = 0;
  virtual bool WriteSetting(const char* section, const char* key, const std::string& value) = 0;
  virtual std::string SettingsPath() = 0;

  // --- Commands and auxiliary windows -----------------------------------------
  virtual ClipboardResult SetClipboardText(const std::string& text) = 0;
  virtual void ShowErrorBox(const std::string& text) = 0;
  virtual void ShowInfoBox(const std::string& caption, const std::string& text) = 0;
  virtual void OpenAddress(const std::string& address) = 0;
  // Shows the options menu with its top left at point and returns when it has
  // closed. A chosen item is posted to the message queue and comes back later
  // as TfrmMain::MenuItemClick.
  virtual void TrackOptionsMenu(ScreenPoint point) = 0;
  // The help popup: topmost, shown and activated at topLeft, or hidden.
  virtual void ShowHelpPopup(ScreenPoint topLeft) = 0;
  virtual void HideHelpPopup() = 0;
  virtual void DestroyHelpPopup() = 0;
};

}  // namespace tintspot
