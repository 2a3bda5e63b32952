// TfrmHelp: the help popup, a borderless window that shows the help items,
// opened below the help button. It is created hidden once at
// start-up and only shown and hidden until the main window closes.
#pragma once

#include <windows.h>

#include <functional>

#include "gdi_owners.h"
#include "gdi_util.h"
#include "geometry.h"
#include "help_content.h"
#include "platform.h"

namespace tintspot {
class TfrmMain;
}

namespace tintspot::win32 {

class HelpPopup {
 public:
  HelpPopup() = default;
  ~HelpPopup();
  HelpPopup(const HelpPopup&) = delete;
  HelpPopup& operator=(const HelpPopup&) = delete;

  static bool RegisterWindowClass(HINSTANCE instance);
  // Creates frmHelp, hidden and owned by the main window; it tells core
  // where the activation goes when it leaves the popup (windowOf names the
  // program's windows).
  HWND Create(HWND owner, HINSTANCE instance, TfrmMain& core,
              std::function<ProgramWindow(HWND)> windowOf);
  HWND hwnd() const { return hwnd_; }

  // Topmost, shown and activated with its top left corner at topLeft.
  void Show(ScreenPoint topLeft);
  void Hide();
  void Destroy();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HWND hwnd);
  void Compose();
  // The popup lost the activation: tell the core which window took it.
  void Deactivated(WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;
  TfrmMain* core_ = nullptr;
  std::function<ProgramWindow(HWND)> windowOf_;
  GdiObject<HFONT> fonts_[kHelpKindCount];  // by kind of item
  DibSurface surface_;
};

}  // namespace tintspot::win32
