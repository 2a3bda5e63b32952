// TfrmMain: start-up, close, the sampling tick, the lock and the readouts.
#include "frm_main.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "colour_model.h"
#include "magnifier.h"
#include "readout_texts.h"
#include "screen_snap.h"
#include "settings_value.h"

namespace tintspot {
namespace {

constexpr char kGeneral[] = "General";
constexpr char kMagnifier[] = "Magnifier";

}  // namespace

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && message.back() == '.') return message;
  return message + ".";
}

TfrmMain::TfrmMain(Platform& platform) : platform_(platform), screen_(platform), mouse_(*this) {}

void TfrmMain::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowError(error.what());
  }
}

void TfrmMain::ShowError(const std::string& message) {
  // The error box's own message loop goes on delivering ticks, repaints,
  // posted commands and closes to the window. An error from one of them is
  // dropped while the box is open: the user already has a box to answer, and
  // a tick that fails every time would otherwise pile up boxes without end.
  if (errorBoxOpen_) return;
  errorBoxOpen_ = true;
  struct BoxClosed {
    TfrmMain& main;
    ~BoxClosed() { main.errorBoxOpen_ = false; }
  } boxClosed{*this};
  platform_.ShowErrorBox(ErrorBoxText(message));
  // A close asked for while the box was open: the window goes now, not from
  // under the box.
  if (closeDeferred_) {
    closeDeferred_ = false;
    platform_.RequestClose();
  }
}

const Picture& TfrmMain::PictureOf(Control control) const { return shown_[control]; }

const std::string& TfrmMain::LabelText(Control label) const { return labels_[label]; }

void TfrmMain::SetPicture(Control control, const Picture& picture) {
  shown_[control] = picture;
  platform_.ShowPicture(control, picture);
}

void TfrmMain::SetLabel(Control label, const std::string& text) {
  std::string& shown = labels_[label];
  if (shown == text) return;
  shown = text;
  platform_.SetLabelText(label, text);
}

// A value with its top bit set names a colour of the desktop's scheme by its
// number in the low byte. The drawing layer draws a number that names no
// colour, such as that of the failed read kClrInvalid (255), as black.
TColor TfrmMain::AsDrawn(TColor colour) {
  if (!IsSystemColorReference(colour)) return colour;
  switch (colour & 0xFFu) {
    case 8: return platform_.SystemColor(SystemColour::WindowText);
    case 15: return platform_.SystemColor(SystemColour::ButtonFace);
    case 21: return platform_.SystemColor(SystemColour::DarkShadow);
    default: return kBlack;
  }
}

void TfrmMain::SetTimerEnabled(bool enabled) {
  if (enabled == timerEnabled_) return;
  timerEnabled_ = enabled;
  if (enabled) {
    platform_.StartTimer(kTimerInterval);
  } else {
    platform_.StopTimer();
  }
}

// --- Start-up and close ------------------------------------------------------

void TfrmMain::FormCreate() {
  skin_ = LoadSkin([this](const char* name) { return platform_.ResourceData(name); });
  SetPicture(Control::imgMain, skin_.imgMain);
  SetPicture(Control::imgHeader, skin_.imgHeader);
  imgTitleDeact_ = skin_.imgTitleDeact;
  SetPicture(Control::imgTop, skin_.imgTopo);
  SetPicture(Control::imgMin, skin_.imgMin);
  SetPicture(Control::imgClose, skin_.imgClose);
  SetPicture(Control::imgMag, skin_.imgMagu);
  SetPicture(Control::imgHelp, skin_.imgHelp);
  SetPicture(Control::imgMenu, skin_.imgMenu);

  // The window ends up topmost exactly when the saved value says so; the
  // toggle runs in both cases so that imgTop shows the matching picture.
  isOnTop_ = !SettingBooleanOr(platform_.ReadSetting(kGeneral, "onTop"), false);
  ToggleOnTop();

  // Centred on the primary screen as if the magnifier were shown.
  const int centreX = (platform_.PrimaryScreenWidth() - kMainWidth) / 2;
  const int centreY = (platform_.PrimaryScreenHeight() - kMainHeightFull) / 2;
  // Desktops span far less than the limit; clamping keeps an extreme value
  // of a hand-edited file from overflowing the window's rectangle (such a
  // place is on no monitor and gets centred below).
  constexpr int kPlaceLimit = 1 << 24;
  const int x = std::clamp(SettingIntegerOr(platform_.ReadSetting(kGeneral, "X"), centreX),
                           -kPlaceLimit, kPlaceLimit);
  const int y = std::clamp(SettingIntegerOr(platform_.ReadSetting(kGeneral, "Y"), centreY),
                           -kPlaceLimit, kPlaceLimit);
  platform_.MoveWindow(SnapPosition(platform_.WindowRect().MovedTo(x, y)));
  MainWindowPlaced();

  int zoom = SettingIntegerOr(platform_.ReadSetting(kMagnifier, "Zoom"), 0);
  if (zoom < 0 || zoom >= kZoomLevels) zoom = 0;
  platform_.SelectZoom(zoom);

  const bool showMag = SettingBooleanOr(platform_.ReadSetting(kMagnifier, "ShowMag"), false);
  magBuffer_.emplace(kMagWidth, kMagHeight, kWhite);
  magSource_ = PixelBuffer(kMagWidth, kMagHeight);  // the largest source area
  renderedSource_ = PixelBuffer(kMagWidth, kMagHeight);
  renderedSource_.Resize(0, 0);  // nothing rendered yet
  ShowMagnifierPanel(showMag);

  // A saved place on no monitor (one since unplugged, a hand-edited file)
  // would leave the window unreachable: centre it instead.
  const Rect placed = platform_.WindowRect();
  bool visible = false;
  for (const Rect& area : platform_.MonitorWorkAreas())
    visible = visible || area.Intersects(placed);
  if (!visible) {
    platform_.MoveWindow(SnapPosition(placed.MovedTo(centreX, centreY)));
    MainWindowPlaced();
  }

  ResetMagnifierView(*magBuffer_);
  SetTimerEnabled(true);
}

bool TfrmMain::FormClose() {
  // Asked again from the message loop of this close's own error box: the
  // close under way finishes once the box is answered.
  if (closing_) return false;
  if (errorBoxOpen_) {
    closeDeferred_ = true;
    return false;
  }
  closing_ = true;
  if (const std::optional<Rect> normal = NormalWindowRect()) {
    auto write = [this](const char* section, const char* key, const std::string& value) {
      if (!platform_.WriteSetting(section, key, value))
        throw std::runtime_error("Unable to write to " + platform_.SettingsPath());
    };
    // A failed write is reported and ends the saving, but not the close: a
    // program in a read-only folder must still be able to quit.
    RunHandler([&] {
      write(kGeneral, "X", SettingIntegerText(normal->left));
      write(kGeneral, "Y", SettingIntegerText(normal->top));
      write(kGeneral, "onTop", SettingBooleanText(isOnTop_));
      write(kMagnifier, "Zoom", SettingIntegerText(platform_.ZoomSelection()));
      // The normal rectangle's height: a minimized window's own is the iconic one.
      write(kMagnifier, "ShowMag", SettingBooleanText(normal->Height() != kMainHeightCompact));
    });
  }
  SetTimerEnabled(false);
  closed_ = true;
  magBuffer_.reset();
  platform_.DestroyHelpPopup();
  return true;
}

void TfrmMain::MainWindowPlaced() {
  if (platform_.ShowState() == WindowShowState::Normal) normalRect_ = platform_.WindowRect();
}

// Kept from the placements themselves rather than asked of the desktop: a
// minimized or maximized window's own rectangle is not the one to restore.
std::optional<Rect> TfrmMain::NormalWindowRect() {
  if (normalRect_) return normalRect_;
  if (platform_.ShowState() == WindowShowState::Minimized) return std::nullopt;
  return platform_.WindowRect();
}

ScreenPoint TfrmMain::SnapPosition(const Rect& proposed) {
  return SnapToWorkArea(proposed, platform_.WorkAreaFor(proposed));
}

void TfrmMain::ToggleOnTop() {
  platform_.SetTopmost(!isOnTop_);
  SetPicture(Control::imgTop, isOnTop_ ? skin_.imgTopo : skin_.imgTopd);
  isOnTop_ = !isOnTop_;
}

// The window's height follows the panel, and only this changes it; a
// minimized window's rectangle is the iconic one and says nothing of the panel.
void TfrmMain::ShowMagnifierPanel(bool show) {
  magnifierShown_ = show;
  SetPicture(Control::imgMag, show ? skin_.imgMagd : skin_.imgMagu);
  platform_.SetWindowHeight(show ? kMainHeightFull : kMainHeightCompact);
  MainWindowPlaced();
}

// --- The sampling tick --------------------------------------------------------

void TfrmMain::Timer1Timer() {
  if (closed_ || !timerEnabled_) return;
  RunHandler([this] { SampleScreen(); });
}

// The window shows nothing but what its inputs give (colour, position, lock
// and the captured screen), so a tick that finds them all as they were draws
// nothing, and one that finds a change draws only the parts it touches.
void TfrmMain::SampleScreen() {
  cursorPos_ = screen_.Cursor();
  if (screen_.IsOwnWindowAt(cursorPos_)) return;
  currentColor_ = CaptureMagnifier();
  UpdateDisplay(Redraw::Changed);
}

// Renders the view around CursorPos into MagBuffer and answers the colour of
// the pixel at CursorPos, read from the screen in the same go.
TColor TfrmMain::CaptureMagnifier() {
  const int factor = ZoomFactorOf(platform_.ZoomSelection());
  if (factor > 0) zoomFactor_ = factor;
  PixelBuffer& view = *magBuffer_;
  const Rect source = MagnifierSource(cursorPos_, zoomFactor_, view.Width(), view.Height());
  magSource_.Resize(source.Width(), source.Height());
  // Nothing drawn there since the last read: the view and the colour stand.
  if (const std::optional<TColor> same = screen_.Unchanged(source, cursorPos_)) return *same;
  const TColor colour =
      screen_.Capture(ScreenPoint{source.left, source.top}, magSource_, cursorPos_);
  // MagBuffer holds the render of the last area captured: the same area
  // (pixels and size, and with the size the zoom) renders the same view.
  if (magSource_ == renderedSource_) return colour;
  EnlargeInto(magSource_, view);
  InvertCrossHair(view);
  viewStale_ = true;
  std::swap(magSource_, renderedSource_);
  return colour;
}

void TfrmMain::ToggleLock() {
  SetTimerEnabled(!timerEnabled_);
  EnableZoomList(timerEnabled_);
  RefreshReadouts();
}

void TfrmMain::PixelMouseDown() { ToggleLock(); }

// --- Readouts -------------------------------------------------------------------

void TfrmMain::RefreshReadouts(Redraw redraw) {
  SwatchInputs swatch;
  swatch.colour = currentColor_;
  swatch.darkShadow = platform_.SystemColor(SystemColour::DarkShadow);
  swatch.centreFill = AsDrawn(currentColor_);
  if (IsLocked())
    swatch.padlock = HasContrast(currentColor_, kBlack) ? &skin_.imgLockBlack : &skin_.imgLockWhite;
  if (redraw == Redraw::All || shownSwatch_ != swatch) {
    shownSwatch_.reset();
    platform_.PaintSwatch(ComposeSwatch(swatch));
    shownSwatch_ = swatch;
  }

  // The label texts follow colour and position alone.
  if (redraw == Redraw::Changed && textsColour_ == currentColor_ && textsPos_ == cursorPos_) return;
  textsColour_ = currentColor_;
  textsPos_ = cursorPos_;
  const ReadoutTexts texts = MakeReadoutTexts(currentColor_, cursorPos_);
  SetLabel(Control::lblPixel, texts.pixel);
  SetLabel(Control::lblRGB, texts.rgb);
  SetLabel(Control::lblHEX, texts.hex);
  SetLabel(Control::lblCMYK, texts.cmyk);
  SetLabel(Control::lblHSL, texts.hsb);
}

void TfrmMain::UpdateDisplay(Redraw redraw) {
  RefreshReadouts(redraw);
  if (!magBuffer_) return;
  if (redraw == Redraw::Changed && !viewStale_) return;
  viewStale_ = true;  // until the paint has gone through
  platform_.PaintMagnifier(*magBuffer_);
  viewStale_ = false;
}

void TfrmMain::Paint(const Rect& area) {
  if (closed_) return;
  // The swatch and the view share one paint handler, so a repaint of either
  // redraws both; a repaint elsewhere (a title, a label) changes nothing.
  if (!area.Intersects(InfoOf(Control::Pixel).bounds) &&
      !area.Intersects(InfoOf(Control::pbMag).bounds))
    return;
  RunHandler([this] { UpdateDisplay(); });
}

}  // namespace tintspot
