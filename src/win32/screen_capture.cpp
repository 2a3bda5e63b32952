#include "screen_capture.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "gdi_owners.h"
#include "magnifier.h"
#include "tick_profile.h"

namespace tintspot::win32 {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM list) {
  reinterpret_cast<std::vector<RECT>*>(list)->push_back(*bounds);
  return TRUE;
}

}  // namespace

ScreenCapture::ScreenCapture() {
  if (!surface_.Create(kMagWidth, kMagHeight))
    throw std::runtime_error("Cannot create the screen capture surface");
}

// Kept until the display changes: asking for them costs several round trips
// to the wineserver at every tick under Wine.
void ScreenCapture::LearnLayout(HDC screen) {
  monitors_.clear();
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors_));
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  virtualScreen_ = RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                        top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  exactCopies_ = GetDeviceCaps(screen, BITSPIXEL) >= 24;
  layoutKnown_ = true;
}

TColor ScreenCapture::Capture(ScreenPoint origin, PixelBuffer& target, ScreenPoint point) {
  const int width = target.Width();
  const int height = target.Height();
  if ((width > surface_.width() || height > surface_.height()) &&
      !surface_.Create(std::max(width, surface_.width()), std::max(height, surface_.height())))
    throw std::runtime_error("Cannot create the screen capture surface");

  WindowDc screen = [] {
    profile::Stage stage("GetDC (screen)");
    return WindowDc(nullptr);
  }();
  if (!screen) {
    target.Fill(kBlack);
    return CLR_INVALID;
  }
  if (!layoutKnown_) LearnLayout(screen.get());

  GdiFlush();
  const int stride = surface_.width();
  for (int y = 0; y < height; ++y)
    std::memset(surface_.bits() + y * stride, 0, static_cast<std::size_t>(width) * 4);

  const RECT area{origin.x, origin.y, origin.x + width, origin.y + height};
  RECT onScreen;
  bool pointCopied = false;
  if (IntersectRect(&onScreen, &area, &virtualScreen_)) {
    profile::Stage blit("BitBlt screen into DIB");
    for (const RECT& monitor : monitors_) {
      RECT part;
      if (!IntersectRect(&part, &onScreen, &monitor)) continue;
      const bool copied =
          BitBlt(surface_.dc(), part.left - origin.x, part.top - origin.y, part.right - part.left,
                 part.bottom - part.top, screen.get(), part.left, part.top, SRCCOPY);
      pointCopied = pointCopied || (copied && PtInRect(&part, POINT{point.x, point.y}));
    }
  }
  GdiFlush();

  // The colour of point comes from the copy when that is provably what
  // GetPixel would answer, and from GetPixel otherwise. Both read the same
  // screen pixels through the same device context; GetPixel answers
  // CLR_INVALID only for a point outside the screen or a device context it
  // cannot read, and the copy holds point only when point lies on a monitor
  // and the copy of that part succeeded. At 24 and 32 bits per pixel the
  // screen holds 8-bit channels, which a copy into this 32-bit DIB keeps
  // exactly, as GetPixel does. Below 24 bits the two take different
  // conversions to 8-bit channels, so GetPixel reads the pixel there.
  TColor colour;
  if (pointCopied && exactCopies_) {
    colour = FromDibPixel(surface_.bits()[(point.y - origin.y) * stride + (point.x - origin.x)]);
  } else {
    profile::Stage read("GetPixel");
    colour = GetPixel(screen.get(), point.x, point.y);
  }
  {
    profile::Stage stage("ReleaseDC (screen)");
    screen.Release();  // the rest works on the copy alone
  }

  profile::Stage convert("DIB into PixelBuffer");
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = surface_.bits() + y * stride;
    for (int x = 0; x < width; ++x) target.Set(x, y, FromDibPixel(row[x]));
  }
  return colour;
}

}  // namespace tintspot::win32
