// The zoom list: a pick-only drop-down list, the main window's only child
// window (the core decides where the keyboard focus goes).
#pragma once

#include <windows.h>

#include "gdi_owners.h"

namespace tintspot::win32 {

class ZoomList {
 public:
  ZoomList() = default;
  ~ZoomList();
  ZoomList(const ZoomList&) = delete;
  ZoomList& operator=(const ZoomList&) = delete;

  // Creates the list with its seven items in the main window.
  HWND Create(HWND parent, HINSTANCE instance);
  HWND hwnd() const { return hwnd_; }

  // The dropped-down item list, a top-level window of its own.
  HWND dropDown() const { return dropDown_; }

  int Selection() const;  // -1 when nothing is selected
  void Select(int index);
  void Enable(bool enabled) { EnableWindow(hwnd_, enabled); }

 private:
  void SetItemHeight();
  void FitSelectionField(int height);

  HWND hwnd_ = nullptr;
  HWND dropDown_ = nullptr;
  GdiObject<HFONT> font_;
};

}  // namespace tintspot::win32
