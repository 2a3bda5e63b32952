// Anti-aliased text through FreeType: one font file at one pixel size.
#pragma once

#include <string>

#include "canvas.h"

namespace skin {

class Typeface {
 public:
  // Throws std::runtime_error when the file cannot be opened as a font.
  Typeface(const std::string& path, int pixelSize);
  ~Typeface();
  Typeface(const Typeface&) = delete;
  Typeface& operator=(const Typeface&) = delete;

  // Extra pixels put between letters.
  void SetTracking(int pixels) { tracking_ = pixels; }

  // Width of the text from the first pen position to the last, in pixels.
  int Width(const std::string& text) const;
  // Height of the capital letters above the baseline, in pixels.
  int CapHeight() const;
  // Draws the text with its pen starting at x and its baseline on row
  // baseline, blending the ink onto what is there by the glyphs' coverage.
  void Draw(PixelBuffer& image, int x, int baseline, const std::string& text, TColor ink) const;

 private:
  struct Face;
  Face* face_;
  int tracking_ = 0;
};

}  // namespace skin
