// The zoom list: a pick-only drop-down list, the main window's only child
// window and the only control that takes the keyboard focus.
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

  int Selection() const;  // -1 when nothing is selected
  void Select(int index);
  // Enables or disables the list; a list that had the focus hands it to the
  // main window, and gets it back when enabled again.
  void Enable(bool enabled);
  // The main window received the focus: pass it on to the list if it can
  // take it.
  void TakeFocusFromMain();

 private:
  void SetItemHeight();
  void FitSelectionField(int height);

  HWND hwnd_ = nullptr;
  HWND parent_ = nullptr;
  GdiObject<HFONT> font_;
};

}  // namespace tintspot::win32
