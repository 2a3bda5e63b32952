// TfrmMain: the help popup, the options menu and the about box.
#include "frm_main.h"
#include "tintspot_version.h"

namespace tintspot {
namespace {

// Client position of a picture control's bottom left corner plus one row:
// where the help popup and the options menu open below their buttons.
ScreenPoint BelowControl(const Rect& window, Control control) {
  const Rect& bounds = InfoOf(control).bounds;
  return ScreenPoint{window.left + bounds.left, window.top + bounds.bottom + 1};
}

}  // namespace

const char* const kMakerAddress = "https://www.chromawright.example/";
const char* const kMakerHost = "www.chromawright.example";

// The ten blanks after the host name are part of the text the program has
// always shown, not a slip: a message box is as wide as its longest line, so
// they widen the box by a few characters. Keep them.
std::string AboutText() {
  return std::string("Tintspot " TINTSPOT_VERSION_SHORT "\n") + kMakerHost + "          ";
}

// --- Help popup ----------------------------------------------------------------------

void TfrmMain::imgHelpMouseDown() {
  RestorePressedButton();
  savedTimerState_ = timerEnabled_;
  SetTimerEnabled(false);
  imgTemp_ = PictureOf(Control::imgHelp);
  SetPicture(Control::imgHelp, skin_.imgHelpd);
  helpShown_ = true;
  platform_.ShowHelpPopup(BelowControl(platform_.WindowRect(), Control::imgHelp));
}

// The popup closes when another window of the program takes the activation
// from it (normally the main window, clicked). Another application taking it
// leaves the popup open: it closes when the user next comes back to a window
// of the program other than the popup itself.
void TfrmMain::FocusWentTo(ProgramWindow window) {
  if (window != ProgramWindow::HelpPopup && window != ProgramWindow::None) HelpDeactivated();
}

void TfrmMain::FocusWentToOtherApplication() {}

void TfrmMain::HelpDeactivated() {
  if (closed_ || !helpShown_) return;
  RunHandler([this] {
    SetTimerEnabled(savedTimerState_);
    if (imgTemp_) SetPicture(Control::imgHelp, *imgTemp_);
    helpShown_ = false;
    platform_.HideHelpPopup();
  });
}

// --- Options menu --------------------------------------------------------------------

void TfrmMain::imgMenuMouseDown() {
  RestorePressedButton();
  imgTemp_ = PictureOf(Control::imgMenu);
  SetPicture(Control::imgMenu, skin_.imgMenud);
  mouse_.CaptureLost();
  const MenuCommand chosen =
      platform_.TrackOptionsMenu(BelowControl(platform_.WindowRect(), Control::imgMenu));
  SetPicture(Control::imgMenu, *imgTemp_);
  // The chosen item runs as an event of its own, after this press: its box
  // or browser opens with the menu button already back to normal.
  if (chosen != MenuCommand::None) platform_.PostMenuCommand(chosen);
}

void TfrmMain::MenuItemClick(MenuCommand command) {
  if (closed_) return;
  RunHandler([&] {
    switch (command) {
      case MenuCommand::mnuPopSite: mnuPopSiteClick(); break;
      case MenuCommand::mnuPopAbout: mnuPopAboutClick(); break;
      case MenuCommand::None: break;
    }
  });
}

void TfrmMain::mnuPopSiteClick() { platform_.OpenAddress(kMakerAddress); }

void TfrmMain::mnuPopAboutClick() { platform_.ShowInfoBox("About Tintspot", AboutText()); }

}  // namespace tintspot
