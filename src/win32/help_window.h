// TfrmHelp: the help popup, a borderless pale-yellow window with four short
// usage notes, opened below the help button. It is created hidden once at
// start-up and only shown and hidden until the main window closes.
#pragma once

#include <windows.h>

#include "gdi_util.h"
#include "geometry.h"

namespace tintspot::win32 {

class Shell;

class HelpPopup {
 public:
  HelpPopup() = default;
  ~HelpPopup();
  HelpPopup(const HelpPopup&) = delete;
  HelpPopup& operator=(const HelpPopup&) = delete;

  static bool RegisterWindowClass(HINSTANCE instance);
  // Creates frmHelp, hidden and owned by the main window.
  HWND Create(HWND owner, HINSTANCE instance, Shell& shell);
  HWND hwnd() const { return hwnd_; }

  // Topmost, shown and activated with its top left corner at topLeft.
  void Show(ScreenPoint topLeft);
  void Hide();
  void Destroy();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(Shell& shell, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HWND hwnd);
  void Compose();
  // The popup lost the activation: tell the core when another window of
  // this program took it (not when another application did).
  static void Deactivated(Shell& shell, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  HFONT captionFont_ = nullptr;
  HFONT textFont_ = nullptr;
  HFONT bulletFont_ = nullptr;
  DibSurface surface_;
};

}  // namespace tintspot::win32
