#include "zoom_list.h"

#include "gdi_util.h"
#include "magnifier.h"
#include "main_layout.h"
#include "zoom_list_metrics.h"

namespace tintspot::win32 {
namespace {

constexpr int kZoomListId = 100;

}  // namespace

// A combo box passes the list item height on only when it is owner-drawn,
// so the list box gets it directly as well.
void ZoomList::SetItemHeight() {
  SendMessageA(hwnd_, CB_SETITEMHEIGHT, 0, kZoomItemHeight);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(hwnd_, &info) && info.hwndList) {
    dropDown_ = info.hwndList;
    SendMessageA(info.hwndList, LB_SETITEMHEIGHT, 0, kZoomItemHeight);
  }
}

// Sizes the selection field so that the closed list is exactly as high as
// its place in the layout.
void ZoomList::FitSelectionField(int height) {
  // The height asked for and the height reported need not agree (borders,
  // padding), so correct the request by what the window actually became.
  LRESULT request = SendMessageA(hwnd_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int attempt = 0; attempt < 4 && request != CB_ERR; ++attempt) {
    RECT closed{};
    GetWindowRect(hwnd_, &closed);
    const int excess = (closed.bottom - closed.top) - height;
    if (excess == 0 || request - excess <= 0) return;
    request -= excess;
    SendMessageA(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), request);
  }
}

ZoomList::~ZoomList() {
  // The window goes first: it uses the font until then.
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

HWND ZoomList::Create(HWND parent, HINSTANCE instance) {
  const Rect& bounds = kZoomListBounds;
  // The height given here is that of the list when dropped down.
  const int droppedHeight = kZoomClosedHeight + kZoomDroppedListHeight;
  hwnd_ = CreateWindowExA(
      0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
      bounds.left, bounds.top, bounds.Width(), droppedHeight, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kZoomListId)), instance, nullptr);
  if (!hwnd_) return nullptr;
  font_.Reset(CreateFontFor(kZoomListFont));
  if (font_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  for (int i = 0; i < kZoomLevels; ++i)
    SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ZoomItemText(i)));
  SetItemHeight();
  FitSelectionField(kZoomClosedHeight);
  return hwnd_;
}

int ZoomList::Selection() const {
  return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
}

void ZoomList::Select(int index) { SendMessageA(hwnd_, CB_SETCURSEL, index, 0); }

}  // namespace tintspot::win32
