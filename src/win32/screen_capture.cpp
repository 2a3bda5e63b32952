#include "screen_capture.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "magnifier.h"

namespace tintspot::win32 {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM list) {
  reinterpret_cast<std::vector<RECT>*>(list)->push_back(*bounds);
  return TRUE;
}

RECT VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
              top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

ScreenCapture::ScreenCapture() {
  if (!surface_.Create(kMagWidth, kMagHeight))
    throw std::runtime_error("Cannot create the screen capture surface");
}

ScreenCapture::~ScreenCapture() { Release(); }

void ScreenCapture::Acquire() {
  if (!screen_) screen_ = GetDC(nullptr);
}

void ScreenCapture::Release() {
  if (screen_) ReleaseDC(nullptr, screen_);
  screen_ = nullptr;
}

HDC ScreenCapture::Source() {
  Acquire();
  return screen_;
}

void ScreenCapture::LearnMonitors() {
  monitors_.clear();
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors_));
  monitorsKnown_ = true;
}

void ScreenCapture::CopyArea(ScreenPoint origin, PixelBuffer& target) {
  const int width = target.Width();
  const int height = target.Height();
  if (width <= 0 || height <= 0) return;
  if ((width > surface_.width() || height > surface_.height()) &&
      !surface_.Create(std::max(width, surface_.width()), std::max(height, surface_.height())))
    throw std::runtime_error("Cannot create the screen capture surface");
  if (!monitorsKnown_) LearnMonitors();

  GdiFlush();
  const int stride = surface_.width();
  for (int y = 0; y < height; ++y)
    std::memset(surface_.bits() + y * stride, 0, static_cast<std::size_t>(width) * 4);

  const bool held = screen_ != nullptr;
  HDC source = Source();
  const RECT area{origin.x, origin.y, origin.x + width, origin.y + height};
  const RECT screen = VirtualScreen();
  RECT onScreen;
  if (source && IntersectRect(&onScreen, &area, &screen)) {
    for (const RECT& monitor : monitors_) {
      RECT part;
      if (!IntersectRect(&part, &onScreen, &monitor)) continue;
      BitBlt(surface_.dc(), part.left - origin.x, part.top - origin.y, part.right - part.left,
             part.bottom - part.top, source, part.left, part.top, SRCCOPY);
    }
  }
  if (!held) Release();
  GdiFlush();

  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = surface_.bits() + y * stride;
    for (int x = 0; x < width; ++x) target.Set(x, y, FromDibPixel(row[x]));
  }
}

TColor ScreenCapture::Pixel(ScreenPoint point) {
  const bool held = screen_ != nullptr;
  HDC source = Source();
  const TColor colour = source ? GetPixel(source, point.x, point.y) : CLR_INVALID;
  if (!held) Release();
  return colour;
}

}  // namespace tintspot::win32
