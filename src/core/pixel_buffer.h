// A small off-screen RGB image, the unit every picture of the program is
// composed in before the platform layer puts it on the screen.
#pragma once

#include <optional>
#include <vector>

#include "colour_types.h"

namespace tintspot {

class PixelBuffer {
 public:
  PixelBuffer() = default;
  PixelBuffer(int width, int height, TColor fill = kBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Pixels are stored row by row, each as 0x00BBGGRR.
  TColor At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, TColor colour) { pixels_[Index(x, y)] = colour; }
  const std::vector<TColor>& Pixels() const { return pixels_; }
  std::vector<TColor>& Pixels() { return pixels_; }

  void Fill(TColor colour);
  // Changes the size, keeping the storage when it is large enough.
  void Resize(int width, int height);

  // The drawing layer's rectangle: outline on columns left and right - 1 and
  // rows top and bottom - 1 in the pen colour, the inside in the fill colour.
  // Parts outside the image are cut off.
  void DrawRectangle(int left, int top, int right, int bottom, TColor pen, TColor fill);

  friend bool operator==(const PixelBuffer& a, const PixelBuffer& b) {
    return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
  }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<TColor> pixels_;
};

// A picture of the skin, optionally with one colour that is not drawn.
struct Picture {
  PixelBuffer pixels;
  std::optional<TColor> transparent;
};

// Draws picture onto target with its top left corner at (x, y), leaving out
// its transparent pixels and whatever falls outside target.
void DrawPicture(PixelBuffer& target, int x, int y, const Picture& picture);

}  // namespace tintspot
