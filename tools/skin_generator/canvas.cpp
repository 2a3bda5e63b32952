#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace skin {

using tintspot::BlueOf;
using tintspot::GreenOf;
using tintspot::RedOf;

namespace {

unsigned Mix(unsigned under, unsigned over, int level) {
  const int delta = static_cast<int>(over) - static_cast<int>(under);
  const int step = delta * level;
  // Round half away from zero so that equal steps up and down mirror.
  const int rounded = step >= 0 ? (step + kAlphaLevels / 2) / kAlphaLevels
                                : -((-step + kAlphaLevels / 2) / kAlphaLevels);
  return static_cast<unsigned>(static_cast<int>(under) + rounded);
}

}  // namespace

TColor Blend(TColor under, TColor over, int level) {
  level = std::clamp(level, 0, kAlphaLevels);
  return Rgb(Mix(RedOf(under), RedOf(over), level), Mix(GreenOf(under), GreenOf(over), level),
             Mix(BlueOf(under), BlueOf(over), level));
}

int CoverageLevel(double coverage) {
  return static_cast<int>(std::lround(std::clamp(coverage, 0.0, 1.0) * kAlphaLevels));
}

void Cover(PixelBuffer& image, int x, int y, TColor colour, double coverage) {
  if (!image.Contains(x, y)) return;
  const int level = CoverageLevel(coverage);
  if (level == 0) return;
  image.Set(x, y, Blend(image.At(x, y), colour, level));
}

void FillRect(PixelBuffer& image, int left, int top, int width, int height, TColor colour) {
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x)
      if (image.Contains(x, y)) image.Set(x, y, colour);
}

void HLine(PixelBuffer& image, int left, int right, int y, TColor colour) {
  FillRect(image, left, y, right - left + 1, 1, colour);
}

void VLine(PixelBuffer& image, int x, int top, int bottom, TColor colour) {
  FillRect(image, x, top, 1, bottom - top + 1, colour);
}

TColor GradientAt(TColor first, TColor last, int top, int bottom, int y) {
  if (bottom <= top) return first;
  const double t = static_cast<double>(y - top) / (bottom - top);
  auto channel = [t](unsigned a, unsigned b) {
    return static_cast<unsigned>(std::lround(a + (static_cast<double>(b) - a) * t));
  };
  return Rgb(channel(RedOf(first), RedOf(last)), channel(GreenOf(first), GreenOf(last)),
             channel(BlueOf(first), BlueOf(last)));
}

void VerticalGradient(PixelBuffer& image, int left, int top, int width, int height, TColor first,
                      TColor last) {
  for (int y = top; y < top + height; ++y)
    FillRect(image, left, y, width, 1, GradientAt(first, last, top, top + height - 1, y));
}

double Coverage(const Shape& shape, int x, int y) {
  int inside = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx) inside += shape(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
  return inside / 16.0;
}

void FillShape(PixelBuffer& image, const Shape& shape, TColor colour) {
  FillShape(image, shape, [colour](int, int) { return colour; });
}

void FillShape(PixelBuffer& image, const Shape& shape,
               const std::function<TColor(int x, int y)>& colourAt) {
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const double coverage = Coverage(shape, x, y);
      if (coverage > 0) Cover(image, x, y, colourAt(x, y), coverage);
    }
}

Shape Polygon(std::vector<Point> corners) {
  return [corners = std::move(corners)](double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      const Point& a = corners[i];
      const Point& b = corners[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
        inside = !inside;
    }
    return inside;
  };
}

Shape Stroke(Point from, Point to, double width) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double length = std::hypot(dx, dy);
  const double nx = -dy / length * width / 2;
  const double ny = dx / length * width / 2;
  return Polygon({{from.x + nx, from.y + ny},
                  {to.x + nx, to.y + ny},
                  {to.x - nx, to.y - ny},
                  {from.x - nx, from.y - ny}});
}

Shape Disc(Point centre, double radius) {
  return [centre, radius](double x, double y) {
    return std::hypot(x - centre.x, y - centre.y) <= radius;
  };
}

Shape Ring(Point centre, double inner, double outer) {
  return [centre, inner, outer](double x, double y) {
    const double d = std::hypot(x - centre.x, y - centre.y);
    return d >= inner && d <= outer;
  };
}

}  // namespace skin
