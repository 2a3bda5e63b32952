#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace skin {

Shape Box(double left, double top, double right, double bottom, double grow) {
  return [=](double x, double y) {
    const double dx = std::max({left - x, 0.0, x - right});
    const double dy = std::max({top - y, 0.0, y - bottom});
    return std::hypot(dx, dy) <= grow &&
           (grow > 0 || (x >= left && x < right && y >= top && y < bottom));
  };
}

Shape Union(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}

Shape Minus(Shape shape, Shape hole) {
  return [shape = std::move(shape), hole = std::move(hole)](double x, double y) {
    return shape(x, y) && !hole(x, y);
  };
}

void Halo(PixelBuffer& image, const Shape& near, const Shape& far, TColor colour, double peak) {
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      // Near pixels get the full peak, the outer ring a half of it.
      const double inner = Coverage(near, x, y);
      const double outer = Coverage(far, x, y);
      const double strength = peak * (inner + outer) / 2;
      if (strength > 0) Cover(image, x, y, colour, strength);
    }
}

}  // namespace skin
