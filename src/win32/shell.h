// Everything the Win32 shell keeps for one run of the program: the window
// handles, the drawing and screen-reading state, the platform implementation
// and the core it drives. wWinMain owns the one Shell; the window procedures
// reach it through their windows' user data.
#pragma once

#include <windows.h>

#include "frm_main.h"
#include "help_window.h"
#include "options_menu.h"
#include "painting.h"
#include "screen_capture.h"
#include "shell_windows.h"
#include "win32_platform.h"
#include "zoom_list.h"

namespace tintspot::win32 {

class Shell {
 public:
  explicit Shell(HINSTANCE instance);
  // Destroys whatever window is left, after cutting it off from the Shell,
  // so that no message reaches a Shell that is going away.
  ~Shell();
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  ShellWindows windows;
  ZoomList zoomList;
  HelpPopup help;
  OptionsMenu menu;
  MainPainter painter{windows};
  ScreenCapture screen;
  Win32Platform platform{windows, painter, screen, zoomList, help, menu};
  TfrmMain core{platform};
};

}  // namespace tintspot::win32
