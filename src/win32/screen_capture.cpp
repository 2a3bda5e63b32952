#include "screen_capture.h"

#include <algorithm>
#include <stdexcept>

#include "magnifier.h"
#include "tick_profile.h"

namespace tintspot::win32 {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM list) {
  reinterpret_cast<std::vector<Rect>*>(list)->push_back(FromRECT(*bounds));
  return TRUE;
}

}  // namespace

ScreenCapture::ScreenCapture() {
  if (!surface_.Create(kMagWidth, kMagHeight))
    throw std::runtime_error("Cannot create the screen capture surface");
}

std::vector<Rect> ScreenCapture::MonitorRects() {
  std::vector<Rect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

int ScreenCapture::BitsPerPixel() {
  const WindowDc screen(nullptr);
  return screen ? GetDeviceCaps(screen.get(), BITSPIXEL) : 0;
}

bool ScreenCapture::Begin() {
  profile::Stage stage("GetDC (screen)");
  screen_.emplace(nullptr);
  return static_cast<bool>(*screen_);
}

bool ScreenCapture::Copy(const Rect& part, PixelBuffer& target, ScreenPoint targetAt) {
  const int width = part.Width();
  const int height = part.Height();
  if ((width > surface_.width() || height > surface_.height()) &&
      !surface_.Create(std::max(width, surface_.width()), std::max(height, surface_.height())))
    throw std::runtime_error("Cannot create the screen capture surface");
  if (!screen_ || !*screen_) return false;
  GdiFlush();
  bool copied;
  {
    profile::Stage blit("BitBlt screen into DIB");
    copied = BitBlt(surface_.dc(), 0, 0, width, height, screen_->get(), part.left, part.top,
                    SRCCOPY) != 0;
  }
  GdiFlush();
  if (!copied) return false;
  profile::Stage convert("DIB into PixelBuffer");
  const int stride = surface_.width();
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = surface_.bits() + y * stride;
    for (int x = 0; x < width; ++x)
      target.Set(targetAt.x + x, targetAt.y + y, FromDibPixel(row[x]));
  }
  return true;
}

TColor ScreenCapture::Pixel(ScreenPoint point) {
  profile::Stage read("GetPixel");
  if (!screen_ || !*screen_) return CLR_INVALID;
  return GetPixel(screen_->get(), point.x, point.y);
}

void ScreenCapture::End() {
  profile::Stage stage("ReleaseDC (screen)");
  screen_.reset();
}

}  // namespace tintspot::win32
