// How the Windows build's common controls look under Wine's default desktop (its "Light"
// theme, as a fresh prefix has it): the scheme's colours, and the few shapes the shell's own
// widgets draw with them, onto the pictures those widgets are made of.
#pragma once

#include "colour_types.h"
#include "geometry.h"
#include "pixel_buffer.h"
#include "platform.h"

namespace tintspot::x11 {

// The colours of the scheme (the prefix's Control Panel\Colors).
namespace scheme {
constexpr TColor kButtonFace = MakeColor(245, 245, 245);
constexpr TColor kButtonShadow = MakeColor(166, 166, 166);
constexpr TColor kButtonLight = MakeColor(227, 227, 227);
constexpr TColor kButtonHighlight = MakeColor(255, 255, 255);
constexpr TColor kDarkShadow = MakeColor(106, 106, 106);
constexpr TColor kWindow = MakeColor(255, 255, 255);
constexpr TColor kWindowText = MakeColor(0, 0, 0);
constexpr TColor kWindowFrame = MakeColor(158, 158, 158);
constexpr TColor kHighlight = MakeColor(48, 150, 250);
constexpr TColor kHighlightText = MakeColor(255, 255, 255);
constexpr TColor kGrayText = MakeColor(166, 166, 166);
constexpr TColor kMenu = MakeColor(255, 255, 255);
constexpr TColor kMenuText = MakeColor(0, 0, 0);
constexpr TColor kInfoBackground = MakeColor(255, 255, 255);
constexpr TColor kInfoText = MakeColor(0, 0, 0);
}  // namespace scheme

// The scheme's answer for the colours the core asks about.
TColor SchemeColour(SystemColour colour);

// Fills `box` (cut off at the picture).
void FillBox(PixelBuffer& target, const Rect& box, TColor colour);
// A one-pixel frame along the outermost pixels of `box`.
void FrameBox(PixelBuffer& target, const Rect& box, TColor colour);
// Two-pixel 3-D edges of a classic control: raised (a button) or sunken (a field).
void RaisedEdge(PixelBuffer& target, const Rect& box);
void SunkenEdge(PixelBuffer& target, const Rect& box);
// The dotted focus frame: every other pixel along the box's outermost ones inverted.
void FocusRect(PixelBuffer& target, const Rect& box);

}  // namespace tintspot::x11
