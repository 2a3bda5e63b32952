#include "main_layout.h"

#include <iterator>

namespace tintspot {
namespace {

constexpr ControlInfo kControls[] = {
    {Control::MagBG, "MagBG", Rect::FromSize(0, 124, 171, 110), nullptr, CursorShape::Arrow, false},
    {Control::imgMain, "imgMain", Rect::FromSize(0, 19, 171, 90), nullptr, CursorShape::Arrow,
     true},
    {Control::imgHeader, "imgHeader", Rect::FromSize(0, 0, 112, 19), nullptr, CursorShape::Arrow,
     true},
    {Control::Pixel, "Pixel", Rect::FromSize(115, 25, 48, 48), nullptr, CursorShape::Arrow, true},
    {Control::imgTop, "imgTop", Rect::FromSize(112, 0, 20, 19), "Always On Top", CursorShape::Arrow,
     true},
    {Control::imgMin, "imgMin", Rect::FromSize(132, 0, 20, 19), "Minimize", CursorShape::Arrow,
     true},
    {Control::imgClose, "imgClose", Rect::FromSize(152, 0, 19, 19), "Close", CursorShape::Arrow,
     true},
    {Control::lblPixel, "lblPixel", Rect::FromSize(40, 28, 66, 13), nullptr, CursorShape::Arrow,
     true},
    {Control::lblRGB, "lblRGB", Rect::FromSize(40, 43, 66, 13), "Click to copy RGB value",
     CursorShape::Hand, true},
    {Control::lblHEX, "lblHEX", Rect::FromSize(40, 58, 66, 13), "Click to copy HEX value",
     CursorShape::Hand, true},
    {Control::lblHSL, "lblHSL", Rect::FromSize(40, 73, 66, 13), "Click to copy HSB value",
     CursorShape::Hand, true},
    {Control::lblCMYK, "lblCMYK", Rect::FromSize(40, 88, 66, 13), "Click to copy CMYK value",
     CursorShape::Hand, true},
    {Control::pbMag, "pbMag", Rect::FromSize(2, 126, 167, 87), nullptr, CursorShape::Dropper, true},
    {Control::imgMag, "imgMag", Rect::FromSize(0, 109, 133, 16), nullptr, CursorShape::Arrow, true},
    {Control::imgHelp, "imgHelp", Rect::FromSize(133, 109, 19, 16), nullptr, CursorShape::Arrow,
     true},
    {Control::imgMenu, "imgMenu", Rect::FromSize(152, 109, 19, 16), nullptr, CursorShape::Arrow,
     true},
};

// The table covers every control once, in the enum's (painting) order, so a
// control's entry is found by its value.
constexpr bool InEnumOrder() {
  for (std::size_t i = 0; i < std::size(kControls); ++i)
    if (static_cast<int>(kControls[i].control) != static_cast<int>(i) + 1) return false;
  return true;
}
static_assert(std::size(kControls) == kControlCount - 1, "every control but None has an entry");
static_assert(InEnumOrder(), "the entries follow the Control enum");

}  // namespace

const ControlInfo* MainControls(int* count) {
  *count = static_cast<int>(sizeof kControls / sizeof kControls[0]);
  return kControls;
}

const ControlInfo& InfoOf(Control control) {
  if (control == Control::None) return kControls[0];
  return kControls[static_cast<int>(control) - 1];
}

Control ControlAt(ScreenPoint clientPoint) {
  int count = 0;
  const ControlInfo* controls = MainControls(&count);
  for (int i = count - 1; i >= 0; --i)
    if (controls[i].takesMouse && controls[i].bounds.Contains(clientPoint))
      return controls[i].control;
  return Control::None;
}

}  // namespace tintspot
