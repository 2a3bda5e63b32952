#include "magnifier.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tintspot {
namespace {

constexpr int kZoomFactors[kZoomLevels] = {1, 2, 3, 4, 5, 12, 28};
constexpr const char* kZoomTexts[kZoomLevels] = {"Zoom: 100%", "Zoom: 200%", "Zoom: 300%",
                                                 "Zoom: 400%", "Zoom: 500%", "Zoom: 1200%",
                                                 "Zoom: 2800%"};

void Invert(PixelBuffer& view, int x, int y) {
  if (view.Contains(x, y)) view.Set(x, y, ~view.At(x, y) & 0xFFFFFFu);
}

}  // namespace

int ZoomFactorOf(int index) { return index >= 0 && index < kZoomLevels ? kZoomFactors[index] : 0; }

const char* ZoomItemText(int index) {
  return index >= 0 && index < kZoomLevels ? kZoomTexts[index] : "";
}

Rect MagnifierSource(ScreenPoint cursor, int zoomFactor, int viewWidth, int viewHeight) {
  const int width = viewWidth / zoomFactor;
  const int height = viewHeight / zoomFactor;
  return Rect::FromSize(cursor.x - width / 2, cursor.y - height / 2, width, height);
}

void EnlargeInto(const PixelBuffer& source, PixelBuffer& view) {
  const std::int64_t sw = source.Width(), sh = source.Height();
  const std::int64_t vw = view.Width(), vh = view.Height();
  if (sw == 0 || sh == 0) return;
  if (sw == vw && sh == vh) {  // at 100 % every view pixel is its source pixel
    std::copy(source.Pixels().begin(), source.Pixels().end(), view.Pixels().begin());
    return;
  }
  // The source column of each view column, the same for every row: (2x + 1) * sw / (2 * vw),
  // walked without dividing (the numerator grows by 2 * sw per pixel, the quotient by whole
  // steps).
  std::vector<std::size_t> columns(static_cast<std::size_t>(vw));
  const std::int64_t denominator = 2 * vw;
  std::int64_t sx = sw / denominator;
  std::int64_t remainder = sw % denominator;
  for (std::int64_t x = 0; x < vw; ++x) {
    columns[static_cast<std::size_t>(x)] = static_cast<std::size_t>(sx);
    remainder += 2 * sw;
    while (remainder >= denominator) {
      remainder -= denominator;
      ++sx;
    }
  }
  int previous = -1;
  for (std::int64_t y = 0; y < vh; ++y) {
    const int sy = static_cast<int>((2 * y + 1) * sh / (2 * vh));
    TColor* to = &view.Pixels()[static_cast<std::size_t>(y * vw)];
    if (sy == previous) {  // the row above shows the same source row
      std::copy(to - vw, to, to);
      continue;
    }
    previous = sy;
    const TColor* from = &source.Pixels()[static_cast<std::size_t>(sy * sw)];
    for (std::int64_t x = 0; x < vw; ++x) to[x] = from[columns[static_cast<std::size_t>(x)]];
  }
}

void InvertCrossHair(PixelBuffer& view) {
  const int cx = view.Width() / 2;
  const int cy = view.Height() / 2;
  for (int d = 2; d < 6; ++d) Invert(view, cx - d, cy);
  for (int d = 2; d < 6; ++d) Invert(view, cx + d, cy);
  for (int d = 2; d < 6; ++d) Invert(view, cx, cy - d);
  for (int d = 2; d < 6; ++d) Invert(view, cx, cy + d);
}

void ResetMagnifierView(PixelBuffer& view) {
  view.DrawRectangle(0, 0, view.Width(), view.Height(), kBlack, kWhite);
}

}  // namespace tintspot
