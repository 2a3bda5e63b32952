// TfrmMain: the behaviour of the main window, free of any windowing API.
// The platform layer feeds it events through the input functions and it
// answers through the Platform interface.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "colour_types.h"
#include "double_click.h"
#include "geometry.h"
#include "keys.h"
#include "main_layout.h"
#include "mouse_rules.h"
#include "pixel_buffer.h"
#include "platform.h"
#include "screen_reader.h"
#include "skin.h"
#include "swatch.h"

namespace tintspot {

// The sampling period asked for, in ms. Windows raises any timer period
// below 10 ms to 10 ms, so the ticks actually come about 100 times a second;
// 3 is kept as the request because nothing in the program counts on the
// period. A shell with finer timers runs a period as Windows does
// (TimerPeriodOf), so that every build samples equally often.
constexpr int kTimerInterval = 3;
constexpr int kShortestTimerPeriod = 10;
constexpr int TimerPeriodOf(int requestedMs) {
  return requestedMs < kShortestTimerPeriod ? kShortestTimerPeriod : requestedMs;
}

class TfrmMain : private MouseEventSink {
 public:
  explicit TfrmMain(Platform& platform);

  // --- Input functions ---------------------------------------------------
  // Creation handler: restores the settings and lays out the window.
  void FormCreate();
  // Close handler: saves the settings and releases what the window owns.
  // Returns true when the window may close. While an error box is open the
  // window stays, and closes once the box has been answered.
  bool FormClose();
  void Timer1Timer();
  // A repaint of the client area `area`. Only the swatch and the magnifier
  // view are drawn afresh; every other part keeps what it last showed.
  void Paint(const Rect& area);
  // A press of a mouse button on the main window at a client point, at the
  // desktop's event time in milliseconds; the core tells double-clicks.
  void MouseDown(ScreenPoint clientPoint, MouseButton button, std::uint32_t timeMs);
  void MouseUp(ScreenPoint clientPoint, MouseButton button);
  void CaptureLost();
  // Every key-down of any of the program's windows, before the window itself
  // sees it: ordinary and system keys (those with Alt) alike, auto-repeats
  // too. Those of the main window and its zoom list go on to KeyDown; keys
  // typed into the help popup or a box do nothing.
  void KeyPressed(ProgramWindow window, Key key, ShiftState shift);
  // A key-down of the main window or its zoom list. Tab and Shift-Tab without
  // Alt or Ctrl belong to focus navigation and do not reach FormKeyDown.
  void KeyDown(Key key, ShiftState shift);
  void FormKeyDown(Key key, ShiftState shift);
  // The program became (active) or stopped being the active application;
  // runs just after the change. The title shows the look of the state
  // reported, so a repeated or a missed report is put right by the next.
  void ApplicationActivationChanged(bool active);
  // The activation (and with it the keyboard) went to one of the program's
  // windows, or to another application. Closes the help popup when another
  // window of the program takes it.
  void FocusWentTo(ProgramWindow window);
  void FocusWentToOtherApplication();
  // The main window itself got the keyboard focus: the zoom list, the only
  // control that takes the focus, gets it whenever it is enabled.
  void MainWindowFocused();
  // The main window was moved or resized, by the core or by the desktop.
  void MainWindowPlaced();
  // The monitor layout or the screen's depth changed.
  void DisplayChanged() { screen_.DisplayChanged(); }
  // An item of the options menu was chosen; it arrives once the menu has
  // closed and the menu button shows its normal picture again.
  void MenuItemClick(MenuCommand command);
  // Where the window goes when it is about to move to proposed's place.
  // The core snaps the moves it makes itself (the start-up place), so that the
  // rule holds on any platform and in the tests; the Win32 shell also calls
  // this from WM_WINDOWPOSCHANGING, because Windows' own move loop (a drag by
  // the title) moves the window without asking the core. A snapped place
  // snaps to itself, so a core move seen again by the shell stays put.
  ScreenPoint SnapPosition(const Rect& proposed);
  CursorShape CursorAt(ScreenPoint clientPoint) const;
  // Shows an error in the program's error box, unless one of its error boxes
  // is open already: then the error is dropped.
  void ShowError(const std::string& message);

  // --- State, for the platform layer and the tests -------------------------
  TColor CurrentColor() const { return currentColor_; }
  ScreenPoint CursorPos() const { return cursorPos_; }
  int ZoomFactor() const { return zoomFactor_; }
  const PixelBuffer* MagBuffer() const { return magBuffer_ ? &*magBuffer_ : nullptr; }
  bool IsOnTop() const { return isOnTop_; }
  bool TimerEnabled() const { return timerEnabled_; }
  bool IsLocked() const { return !timerEnabled_; }
  bool HelpShown() const { return helpShown_; }
  bool TitleActive() const { return titleActive_; }
  bool MagnifierShown() const { return magnifierShown_; }
  const Picture& PictureOf(Control control) const;
  const SkinPictures& Skin() const { return skin_; }
  const std::optional<Picture>& ImgTemp() const { return imgTemp_; }
  const std::string& LabelText(Control label) const;

 private:
  // Operations shared across the window.
  void ToggleOnTop();
  void ShowMagnifierPanel(bool show);
  // A tick redraws only what differs from what the window shows; every other
  // caller redraws it all.
  enum class Redraw { Changed, All };
  void SampleScreen();
  TColor CaptureMagnifier();
  void ToggleLock();
  void RefreshReadouts(Redraw redraw = Redraw::All);
  void UpdateDisplay(Redraw redraw = Redraw::All);
  void SwapTitleImage();
  void HelpDeactivated();
  // Enables or disables the zoom list; a list that had the focus hands it
  // to the main window, and gets it back when enabled again.
  void EnableZoomList(bool enabled);
  // The window's normal (restored) rectangle, if known.
  std::optional<Rect> NormalWindowRect();
  void CopyLabel(Control sender);
  void SetTimerEnabled(bool enabled);
  void SetPicture(Control control, const Picture& picture);
  void SetLabel(Control label, const std::string& text);
  // The colour as the window draws it: a system-colour reference resolved.
  TColor AsDrawn(TColor colour);

  // Handlers.
  void PixelMouseDown();
  void imgHeaderMouseDown();
  void imgHeaderDblClick();
  void imgTopMouseDown();
  void PressButton(Control button, const Picture& pressed);
  void ReleaseButton(Control button);
  void RestorePressedButton();
  void imgMagMouseDown();
  void pbMagMouseDown(ScreenPoint viewPoint);
  void imgHelpMouseDown();
  void imgMenuMouseDown();
  void mnuPopSiteClick();
  void mnuPopAboutClick();

  // Runs an event handler; an error it raises ends it and is shown in the
  // program's error box.
  void RunHandler(const std::function<void()>& handler);

  // MouseEventSink.
  void OnPress(Control control, MouseButton button, ScreenPoint clientPoint) override;
  void OnRelease(Control control, MouseButton button) override;
  void OnClick(Control control) override;
  void OnDoubleClick(Control control) override;
  void CaptureMouse() override;
  void ReleaseMouseCapture() override;

  Platform& platform_;
  ScreenReader screen_;
  MouseRules mouse_;
  DoubleClickDetector doubleClicks_;
  SkinPictures skin_;
  ControlTable<Picture> shown_;  // what each picture control shows
  Picture imgTitleDeact_;
  std::optional<Picture> imgTemp_;
  std::optional<Control> pressedButton_;  // the button whose normal picture imgTemp holds
  ControlTable<std::string> labels_;      // what each label shows

  TColor currentColor_ = kBlack;
  ScreenPoint cursorPos_;
  int zoomFactor_ = 1;
  std::optional<PixelBuffer> magBuffer_;
  PixelBuffer magSource_;       // screen area of the last capture, reused
  PixelBuffer renderedSource_;  // the area MagBuffer was last rendered from
  // What the window shows now: the inputs of the swatch and the view last
  // painted (unknown until painted, and after a paint that failed).
  std::optional<SwatchInputs> shownSwatch_;
  // MagBuffer differs from the view the window shows (or its paint failed).
  // Every source pixel shows in the view, so a view rendered from another
  // area is another view: no copy of the shown one is needed to tell.
  bool viewStale_ = true;
  std::optional<TColor> textsColour_;  // what the label texts were last made from
  ScreenPoint textsPos_;
  // The rectangle of the last placement seen while neither minimized nor
  // maximized, in screen coordinates.
  std::optional<Rect> normalRect_;
  bool zoomListEnabled_ = true;
  bool titleActive_ = false;  // which look the title shows
  bool isOnTop_ = false;
  bool timerEnabled_ = false;
  bool savedTimerState_ = false;
  bool helpShown_ = false;
  bool magnifierShown_ = false;  // the window is at its full height
  bool closed_ = false;
  bool closing_ = false;
  bool errorBoxOpen_ = false;
  bool closeDeferred_ = false;  // a close waits for the open error box
};

// The text of an error box: the message, with a full stop unless it ends in one.
std::string ErrorBoxText(const std::string& message);

// The maker's website and its host-name form, as the program shows them.
extern const char* const kMakerAddress;
extern const char* const kMakerHost;
std::string AboutText();

}  // namespace tintspot
