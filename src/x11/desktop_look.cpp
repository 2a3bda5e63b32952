#include "desktop_look.h"

namespace tintspot::x11 {

TColor SchemeColour(SystemColour colour) {
  switch (colour) {
    case SystemColour::DarkShadow: return scheme::kDarkShadow;
    case SystemColour::ButtonFace: return scheme::kButtonFace;
    case SystemColour::WindowText: return scheme::kWindowText;
  }
  return scheme::kWindowText;
}

void FillBox(PixelBuffer& target, const Rect& box, TColor colour) {
  const Rect inside = box.Intersection(Rect{0, 0, target.Width(), target.Height()});
  for (int y = inside.top; y < inside.bottom; ++y)
    for (int x = inside.left; x < inside.right; ++x) target.Set(x, y, colour);
}

void FrameBox(PixelBuffer& target, const Rect& box, TColor colour) {
  if (box.IsEmpty()) return;
  FillBox(target, Rect{box.left, box.top, box.right, box.top + 1}, colour);
  FillBox(target, Rect{box.left, box.bottom - 1, box.right, box.bottom}, colour);
  FillBox(target, Rect{box.left, box.top, box.left + 1, box.bottom}, colour);
  FillBox(target, Rect{box.right - 1, box.top, box.right, box.bottom}, colour);
}

namespace {

// Top and left in one colour, bottom and right in another (the corners go to the latter).
void Bevel(PixelBuffer& target, const Rect& box, TColor top_left, TColor bottom_right) {
  FillBox(target, Rect{box.left, box.top, box.right - 1, box.top + 1}, top_left);
  FillBox(target, Rect{box.left, box.top, box.left + 1, box.bottom - 1}, top_left);
  FillBox(target, Rect{box.left, box.bottom - 1, box.right, box.bottom}, bottom_right);
  FillBox(target, Rect{box.right - 1, box.top, box.right, box.bottom}, bottom_right);
}

Rect Inset(const Rect& box) {
  return Rect{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
}

}  // namespace

void RaisedEdge(PixelBuffer& target, const Rect& box) {
  Bevel(target, box, scheme::kButtonLight, scheme::kDarkShadow);
  Bevel(target, Inset(box), scheme::kButtonHighlight, scheme::kButtonShadow);
}

void SunkenEdge(PixelBuffer& target, const Rect& box) {
  Bevel(target, box, scheme::kButtonShadow, scheme::kButtonHighlight);
  Bevel(target, Inset(box), scheme::kDarkShadow, scheme::kButtonLight);
}

void FocusRect(PixelBuffer& target, const Rect& box) {
  // Every other pixel along the frame, the corner itself left out, as a checkerboard would.
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const bool edge = y == box.top || y == box.bottom - 1 || x == box.left || x == box.right - 1;
      if (!edge || (x - box.left + y - box.top) % 2 == 0 || !target.Contains(x, y)) continue;
      target.Set(x, y, target.At(x, y) ^ 0xFFFFFFu);
    }
  }
}

}  // namespace tintspot::x11
