#include "help_window.h"

#include <utility>

#include "error_box.h"
#include "frm_main.h"
#include "help_content.h"

namespace tintspot::win32 {
namespace {

constexpr char kHelpClass[] = "TfrmHelp";

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
  for (int kind = 0; kind < kHelpKindCount; ++kind)
    fonts_[kind].Reset(CreateFontFor(LookOf(static_cast<HelpKind>(kind)).font));
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
  const GdiObject<HBRUSH> background(CreateSolidBrush(kHelpBackground));
  const RECT all{0, 0, kHelpWidth, kHelpHeight};
  FillRect(dc, &all, background.get());
  const GdiObject<HBRUSH> border(CreateSolidBrush(kHelpBorder));
  FrameRect(dc, &all, border.get());

  const Selection font(dc, fonts_[static_cast<int>(HelpKind::Note)].get());
  SetBkMode(dc, TRANSPARENT);
  for (const HelpItem& item : kHelpItems) {
    const HelpKindLook& look = LookOf(item.kind);
    SelectObject(dc, fonts_[static_cast<int>(item.kind)].get());
    SetTextColor(dc, look.ink ? DesktopColour(*look.ink) : kBlack);
    RECT box = ToRECT(item.box);
    UINT flags = DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS;
    if (look.wordWrap) flags |= DT_WORDBREAK;
    if (look.sizedToText) DrawTextA(dc, item.text, -1, &box, flags | DT_CALCRECT);
    if (look.ownBackground) FillRect(dc, &box, background.get());
    DrawTextA(dc, item.text, -1, &box, flags);
  }
  GdiFlush();
}

}  // namespace tintspot::win32
