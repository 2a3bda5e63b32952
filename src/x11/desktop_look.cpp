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
  auto invert = [&target](int x, int y) {
    if (target.Contains(x, y)) target.Set(x, y, target.At(x, y) ^ 0xFFFFFFu);
  };
  for (int x = box.left; x < box.right; x += 2) {
    invert(x, box.top);
    if ((x - box.left + box.Height() - 1) % 2 == 0) invert(x, box.bottom - 1);
  }
  for (int y = box.top + 1; y < box.bottom - 1; ++y) {
    if ((y - box.top) % 2 == 0) invert(box.left, y);
    if ((y - box.top + box.Width() - 1) % 2 == 0) invert(box.right - 1, y);
  }
}

}  // namespace tintspot::x11
