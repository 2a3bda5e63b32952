#include "button_row.h"

#include "palette.h"
#include "shapes.h"
#include "typeface.h"

namespace skin {

namespace {

using namespace palette;

constexpr TColor kBarTop = Rgb(250, 250, 250);
constexpr TColor kBarBottom = Rgb(224, 224, 224);
constexpr TColor kKeyEdge = Rgb(146, 146, 146);
constexpr TColor kKeyFaceTop = Rgb(252, 252, 252);
constexpr TColor kKeyFaceBottom = Rgb(230, 230, 230);
constexpr TColor kPressedFaceTop = Rgb(218, 218, 218);
constexpr TColor kPressedFaceBottom = Rgb(206, 206, 206);
constexpr TColor kKeyGlyph = Rgb(100, 100, 100);
constexpr TColor kLens = Rgb(214, 236, 252);

// A triangle of the given width (odd) pointing down or up, its flat side
// on row top (down) or its point on row top (up).
void Triangle(PixelBuffer& row, int left, int top, int width, bool down, TColor ink) {
  const int height = (width + 1) / 2;
  for (int i = 0; i < height; ++i) {
    const int y = down ? top + i : top + height - 1 - i;
    HLine(row, left + i, left + width - 1 - i, y, ink);
  }
}

void DrawMagnifierBar(PixelBuffer& row, const FontFiles& fonts, bool shown) {
  // The glass: a ring with a pale lens and a short handle.
  const Point centre{8.0, 7.0};
  FillShape(row, Disc(centre, 3.2), kLens);
  FillShape(row, Ring(centre, 2.6, 4.0), kGlyph);
  FillShape(row, Stroke({10.6, 9.6}, {13.6, 12.6}, 2.2), kGlyph);

  Typeface label(fonts.boldItalic, 9);
  label.SetTracking(1);
  const TColor ink = shown ? kOrange : kGlyph;
  const int textLeft = 20;
  label.Draw(row, textLeft, 11, "MAGNIFIER", ink);
  Triangle(row, textLeft + label.Width("MAGNIFIER") + 5, 6, 7, !shown, ink);
}

void DrawKey(PixelBuffer& row, int left, bool pressed) {
  const int x0 = left + 2;
  const int x1 = left + kKeyWidth - 3;
  const int y0 = 2;
  const int y1 = kRowHeight - 4;
  // Edge with softened corners.
  HLine(row, x0 + 1, x1 - 1, y0, kKeyEdge);
  HLine(row, x0 + 1, x1 - 1, y1, kKeyEdge);
  VLine(row, x0, y0 + 1, y1 - 1, kKeyEdge);
  VLine(row, x1, y0 + 1, y1 - 1, kKeyEdge);
  const int corners[4][2] = {{x0, y0}, {x1, y0}, {x0, y1}, {x1, y1}};
  for (const auto& corner : corners)
    row.Set(corner[0], corner[1], Blend(row.At(corner[0], corner[1]), kKeyEdge, 8));
  // The face, with a raised bevel or, pressed, a sunken one.
  const TColor top = pressed ? kPressedFaceTop : kKeyFaceTop;
  const TColor bottom = pressed ? kPressedFaceBottom : kKeyFaceBottom;
  VerticalGradient(row, x0 + 1, y0 + 1, x1 - x0 - 1, y1 - y0 - 1, top, bottom);
  const TColor lit = pressed ? Rgb(188, 188, 188) : kHighlight;
  const TColor dim = pressed ? Rgb(226, 226, 226) : Rgb(208, 208, 208);
  HLine(row, x0 + 1, x1 - 1, y0 + 1, lit);
  VLine(row, x0 + 1, y0 + 1, y1 - 1, lit);
  HLine(row, x0 + 2, x1 - 1, y1 - 1, dim);
  VLine(row, x1 - 1, y0 + 2, y1 - 1, dim);
  // A soft shadow under the key.
  HLine(row, x0 + 1, x1, y1 + 1, Blend(row.At(x0 + 1, y1 + 1), kKeyEdge, 4));
}

}  // namespace

PixelBuffer ButtonRow(const FontFiles& fonts, const RowLook& look) {
  PixelBuffer row(kRowWidth, kRowHeight);
  VerticalGradient(row, 0, 1, kRowWidth, kRowHeight - 2, kBarTop, kBarBottom);
  HLine(row, 0, kRowWidth - 1, 0, kShade);
  HLine(row, 0, kRowWidth - 1, kRowHeight - 1, kOutline);
  VLine(row, 0, 0, kRowHeight - 1, kOutline);
  VLine(row, kRowWidth - 1, 0, kRowHeight - 1, kOutline);
  // A groove between the bar and the keys.
  VLine(row, kMagBarWidth - 1, 2, kRowHeight - 3, kShade);

  DrawMagnifierBar(row, fonts, look.magnifierShown);

  DrawKey(row, kHelpKeyLeft, look.helpPressed);
  Typeface question(fonts.bold, 10);
  const int qWidth = question.Width("?");
  question.Draw(row, kHelpKeyLeft + (kKeyWidth - qWidth) / 2, 11, "?",
                look.helpPressed ? kKeyOrange : kKeyGlyph);

  DrawKey(row, kMenuKeyLeft, look.menuPressed);
  Triangle(row, kMenuKeyLeft + 6, 6, 7, true, look.menuPressed ? kKeyOrange : kKeyGlyph);
  return row;
}

}  // namespace skin
