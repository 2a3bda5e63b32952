// Small conversions between the core's types and GDI's.
#pragma once

#include <windows.h>

#include <cstdint>

#include "colour_types.h"
#include "draw_ops.h"
#include "geometry.h"
#include "platform.h"
#include "text_look.h"

namespace tintspot::win32 {

// A 32-bit DIB pixel (bytes blue, green, red, unused) as a colour.
inline TColor FromDibPixel(std::uint32_t pixel) {
  return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

// A font by face name. A negative height is the character height in pixels,
// a positive one the cell height, as in LOGFONT.
inline HFONT CreatePixelFont(const char* face, int height, bool bold) {
  return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

// A font of the program's text looks.
inline HFONT CreateFontFor(const FontSpec& font) {
  return CreatePixelFont(font.face, font.measure == FontMeasure::Em ? -font.pixels : font.pixels,
                         font.bold);
}

// The desktop's colour for one of its scheme's colours.
inline TColor DesktopColour(SystemColour colour) {
  switch (colour) {
    case SystemColour::DarkShadow: return GetSysColor(COLOR_3DDKSHADOW);
    case SystemColour::ButtonFace: return GetSysColor(COLOR_BTNFACE);
    case SystemColour::WindowText: return GetSysColor(COLOR_WINDOWTEXT);
  }
  return 0;
}

// A 32-bit top-down DIB section selected into a memory device context of
// its own; everything is released by the destructor.
class DibSurface {
 public:
  DibSurface() = default;
  ~DibSurface() { Reset(); }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  // Allocates a surface of the given size; false when GDI refuses.
  bool Create(int width, int height);
  void Reset();

  HDC dc() const { return dc_; }
  std::uint32_t* bits() const { return bits_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace tintspot::win32
