// Points and rectangles in signed pixels. Screen coordinates are virtual-
// screen pixels: monitors left of or above the primary one are negative.
#pragma once

#include <algorithm>

namespace tintspot {

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(ScreenPoint a, ScreenPoint b) { return a.x == b.x && a.y == b.y; }
  friend bool operator!=(ScreenPoint a, ScreenPoint b) { return !(a == b); }
};

// Left and top inclusive, right and bottom exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static constexpr Rect FromSize(int left, int top, int width, int height) {
    return Rect{left, top, left + width, top + height};
  }
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Contains(ScreenPoint p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  constexpr bool Intersects(const Rect& o) const {
    return std::max(left, o.left) < std::min(right, o.right) &&
           std::max(top, o.top) < std::min(bottom, o.bottom);
  }
  constexpr Rect MovedTo(int x, int y) const { return FromSize(x, y, Width(), Height()); }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  // The common part of two rectangles; the empty Rect{} when they do not meet.
  constexpr Rect Intersection(const Rect& o) const {
    const Rect common{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                      std::min(bottom, o.bottom)};
    return common.IsEmpty() ? Rect{} : common;
  }
  // The smallest rectangle holding both; an empty one adds nothing.
  constexpr Rect Union(const Rect& o) const {
    if (IsEmpty()) return o.IsEmpty() ? Rect{} : o;
    if (o.IsEmpty()) return *this;
    return Rect{std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
  }
  friend bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

}  // namespace tintspot
