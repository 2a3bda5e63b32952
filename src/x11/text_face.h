// Text in a font file, drawn as the Windows build's GDI draws it under Wine: the face at the
// LOGFONT height the Windows build asks for, the glyphs hinted by FreeType (or taken from the
// face's embedded bitmaps, as Wine's "Tahoma" has them at the label size) and rasterised
// without anti-aliasing, laid out on whole pixels with their advances.
//
// Wine's GDI measures a text (the extent DrawText centres by) with the hinted outlines'
// advances, but places the glyphs it draws from embedded bitmaps by the bitmaps' advances,
// which are wider for some characters ("F" is 6 pixels drawn, 5 measured, at 9 pixels).
// AdvanceWidth gives the measure, Render the drawing, so centring as the Windows build does
// lands every pixel where it lands there.
//
// Labels are short single lines of Latin-1 text (the readouts, the zoom list); each byte is
// one character.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "colour_types.h"
#include "draw_ops.h"
#include "geometry.h"
#include "pixel_buffer.h"

namespace tintspot::x11 {

// 0..255 per pixel: how much of the pixel the text covers.
struct CoverageMask {
  int width = 0, height = 0;
  std::vector<std::uint8_t> coverage;
  std::uint8_t At(int x, int y) const { return coverage[size_t(y) * size_t(width) + size_t(x)]; }
};

enum class Smoothing {
  kNone,  // two levels, as GDI draws where font smoothing is off (the prefix's default)
  kGray,  // 256 levels of FreeType's grey rasteriser
};

class TextFace {
 public:
  // Opens `path` (TrueType, or a bitmap font such as a .fon) at `logfont_height` as LOGFONT
  // takes it: negative, the character height in pixels (the em); positive, the cell height
  // (ascent + descent). Throws std::runtime_error when the file cannot be used.
  TextFace(const std::string& path, int logfont_height, Smoothing smoothing = Smoothing::kNone);
  ~TextFace();
  TextFace(const TextFace&) = delete;
  TextFace& operator=(const TextFace&) = delete;

  int Ascent() const { return ascent_; }    // pixels above the baseline
  int Descent() const { return descent_; }  // pixels below it
  int Height() const { return ascent_ + descent_; }
  // The face's average character width as a text metric gives it (what tab stops are made of).
  int AverageCharWidth() const { return average_width_; }

  // The width of `text` as a text extent gives it (what centring uses).
  int AdvanceWidth(const std::string& text) const;
  // The coverage of `text` in a box as wide as its drawn advances and Height() tall, its
  // baseline at Ascent(); ink that reaches beyond the box is cut off.
  CoverageMask Render(const std::string& text) const;
  // Draws `text` with the box's top left corner at (x, y) onto `target` in `colour`, blended
  // by coverage, inside `clip` only.
  void Draw(const std::string& text, int x, int y, TColor colour, PixelBuffer& target,
            const Rect& clip) const;
  // The same onto a raster image (a back buffer), `ink` a raster pixel.
  void DrawRaster(const std::string& text, int x, int y, std::uint32_t ink, RasterImage& image,
                  const Rect& clip) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  int ascent_ = 0, descent_ = 0;
  int average_width_ = 0;
};

}  // namespace tintspot::x11
