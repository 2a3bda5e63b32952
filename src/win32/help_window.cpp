#include "help_window.h"

#include <utility>

#include "error_box.h"
#include "frm_main.h"

namespace tintspot::win32 {
namespace {

constexpr char kHelpClass[] = "TfrmHelp";
constexpr int kHelpWidth = 205;
constexpr int kHelpHeight = 158;
constexpr COLORREF kBackground = RGB(255, 255, 204);
constexpr COLORREF kBorder = RGB(212, 212, 170);

enum class Kind {
  Caption,  // bold, black, transparent, sized to its text
  Bullet,   // bold, sized to its text
  Note,     // fixed box, word-wrapped, cut off below its height
};

struct HelpItem {
  Kind kind;
  int left;
  int top;
  int width;  // 0: sized to the text
  int height;
  const char* text;
};

// In painting order.
const HelpItem kItems[] = {
    {Kind::Caption, 10, 6, 0, 0, "Using Tintspot:"},
    {Kind::Bullet, 10, 24, 0, 0, "-"},
    {Kind::Note, 18, 24, 179, 31,
     "Press any key to lock/unlock the current color and the magnifier."},
    {Kind::Note, 18, 54, 179, 36,
     "Click on any color value to copy it to the clipboard, or press 'Ctrl-C' to copy the HEX "
     "value."},
    {Kind::Bullet, 11, 53, 0, 0, "-"},
    {Kind::Bullet, 10, 96, 0, 0, "-"},
    {Kind::Note, 18, 96, 179, 31,
     "Click on the '+' icon to keep Tintspot on top of all other applications."},
    {Kind::Note, 18, 126, 179, 25,
     "Click on the 'Magnifier' button to zoom in on the screen, or press 'Ctrl-M'."},
    {Kind::Bullet, 10, 126, 0, 0, "-"},
};

}  // namespace

HelpPopup::~HelpPopup() { Destroy(); }

bool HelpPopup::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kHelpClass;
  return RegisterClassExA(&windowClass) != 0;
}

HWND HelpPopup::Create(HWND owner, HINSTANCE instance, TfrmMain& core,
                       std::function<ProgramWindow(HWND)> windowOf) {
  owner_ = owner;
  core_ = &core;
  windowOf_ = std::move(windowOf);
  captionFont_.Reset(CreatePixelFont("Tahoma", -11, true));
  textFont_.Reset(CreatePixelFont("Tahoma", 12, false));
  bulletFont_.Reset(CreatePixelFont("Tahoma", 12, true));
  if (!surface_.Create(kHelpWidth, kHelpHeight)) return nullptr;
  hwnd_ = CreateWindowExA(0, kHelpClass, "frmHelp", WS_POPUP, 0, 0, kHelpWidth, kHelpHeight, owner,
                          nullptr, instance, this);
  return hwnd_;
}

void HelpPopup::Show(ScreenPoint topLeft) {
  if (!hwnd_) return;
  SetWindowPos(hwnd_, nullptr, topLeft.x, topLeft.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetActiveWindow(hwnd_);
}

void HelpPopup::Hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void HelpPopup::Destroy() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

LRESULT CALLBACK HelpPopup::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* popup = reinterpret_cast<HelpPopup*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!popup) return DefWindowProcA(hwnd, message, wParam, lParam);
  try {
    return popup->Handle(hwnd, message, wParam, lParam);
  } catch (...) {
    ShowBoundaryError(*popup->core_);
    return 0;
  }
}

LRESULT HelpPopup::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE: Deactivated(wParam, lParam); break;
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_CLOSE: ShowWindow(hwnd, SW_HIDE); return 0;  // Alt-F4 only hides the popup
    case WM_NCDESTROY: hwnd_ = nullptr; break;
    default: break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void HelpPopup::Deactivated(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) != WA_INACTIVE || !core_) return;
  const ProgramWindow next = windowOf_(reinterpret_cast<HWND>(lParam));
  if (next == ProgramWindow::None) {
    core_->FocusWentToOtherApplication();
  } else {
    core_->FocusWentTo(next);
  }
}

void HelpPopup::Paint(HWND hwnd) {
  const PaintScope paint(hwnd);
  if (!paint.dc()) return;
  Compose();
  BitBlt(paint.dc(), 0, 0, kHelpWidth, kHelpHeight, surface_.dc(), 0, 0, SRCCOPY);
}

void HelpPopup::Compose() {
  HDC dc = surface_.dc();
  const GdiObject<HBRUSH> background(CreateSolidBrush(kBackground));
  const RECT all{0, 0, kHelpWidth, kHelpHeight};
  FillRect(dc, &all, background.get());
  const GdiObject<HBRUSH> border(CreateSolidBrush(kBorder));
  FrameRect(dc, &all, border.get());  // one pixel along the outermost pixels

  const Selection font(dc, textFont_.get());
  SetBkMode(dc, TRANSPARENT);
  for (const HelpItem& item : kItems) {
    const bool caption = item.kind == Kind::Caption;
    const GdiObject<HFONT>& itemFont = item.kind == Kind::Note ? textFont_
                                       : caption               ? captionFont_
                                                               : bulletFont_;
    SelectObject(dc, itemFont.get());
    SetTextColor(dc, caption ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
    RECT box{item.left, item.top, item.left + item.width, item.top + item.height};
    UINT flags = DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS;
    if (item.kind == Kind::Note) {
      flags |= DT_WORDBREAK;
    } else {
      DrawTextA(dc, item.text, -1, &box, flags | DT_CALCRECT);
    }
    if (!caption) FillRect(dc, &box, background.get());  // the label's own background
    DrawTextA(dc, item.text, -1, &box, flags);
  }
  GdiFlush();
}

}  // namespace tintspot::win32
