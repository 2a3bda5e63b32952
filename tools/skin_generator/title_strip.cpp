#include "title_strip.h"

#include "emblem.h"
#include "palette.h"
#include "shapes.h"
#include "typeface.h"

namespace skin {

namespace {

using namespace palette;

constexpr int kFaceTop = 1;      // first row below the outline
constexpr int kFaceBottom = 17;  // last row above the base line
constexpr double kSlant = 3.0;   // how far a tab edge leans over the strip's height
constexpr int kBandLeft = 168;   // the darker band at the window's right edge

TColor FaceColour(int, int y) {
  return GradientAt(kTitleTop, kTitleBottom, kFaceTop, kFaceBottom, y);
}

// A face from left to right (window columns, exclusive right), leaning in
// at the top on the sides that have a slanted edge.
struct Face {
  double left;
  double right;
  bool slantLeft;
  bool slantRight;
};

Point TopLeft(const Face& f) { return {f.slantLeft ? f.left + kSlant : f.left, kFaceTop}; }
Point TopRight(const Face& f) { return {f.slantRight ? f.right - kSlant : f.right, kFaceTop}; }
Point BottomLeft(const Face& f) { return {f.left, kFaceBottom + 1.0}; }
Point BottomRight(const Face& f) { return {f.right, kFaceBottom + 1.0}; }

void DrawFace(PixelBuffer& strip, const Face& face) {
  FillShape(strip, Polygon({TopLeft(face), TopRight(face), BottomRight(face), BottomLeft(face)}),
            FaceColour);
  // The slanted edges, a pixel wide, just inside the face.
  const double half = 0.5;
  if (face.slantLeft)
    FillShape(strip,
              Stroke({TopLeft(face).x + half, kFaceTop},
                     {BottomLeft(face).x + half, kFaceBottom + 1.0}, 1.0),
              kTabEdge);
  if (face.slantRight)
    FillShape(strip,
              Stroke({TopRight(face).x - half, kFaceTop},
                     {BottomRight(face).x - half, kFaceBottom + 1.0}, 1.0),
              kTabEdge);
}

void DrawPlus(PixelBuffer& strip, bool lit) {
  const double cx = kTopTabLeft + 10.0;
  const double cy = 10.0;
  const Shape bar = Box(cx - 4, cy - 1, cx + 4, cy + 1);
  const Shape post = Box(cx - 1, cy - 4, cx + 1, cy + 4);
  if (lit) {
    Halo(strip,
         Union(Box(cx - 4, cy - 1, cx + 4, cy + 1, 1), Box(cx - 1, cy - 4, cx + 1, cy + 4, 1)),
         Union(Box(cx - 4, cy - 1, cx + 4, cy + 1, 2), Box(cx - 1, cy - 4, cx + 1, cy + 4, 2)),
         kGlow, 0.25);
  }
  FillShape(strip, Union(bar, post), lit ? kOrange : kGlyph);
}

void DrawMinus(PixelBuffer& strip, bool pressed) {
  const double cx = kMinTabLeft + 10.0;
  const double cy = 10.0;
  if (pressed)
    Halo(strip, Box(cx - 4, cy - 1, cx + 4, cy + 1, 1), Box(cx - 4, cy - 1, cx + 4, cy + 1, 2),
         kGlow, 0.25);
  FillShape(strip, Box(cx - 4, cy - 1, cx + 4, cy + 1), pressed ? kOrange : kGlyphLight);
}

void DrawCross(PixelBuffer& strip, bool pressed) {
  // Two one-pixel diagonals across an 8 x 8 box, softened by a faint pixel
  // on each side so that they read as strokes rather than dots.
  const int left = kCloseTabLeft + 5;
  const int top = 6;
  const int size = 8;
  const TColor ink = pressed ? kOrange : kGlyph;
  PixelBuffer coverage(size + 2, size, 0);
  auto mark = [&coverage](int x, int y, TColor level) {
    if (coverage.Contains(x, y) && coverage.At(x, y) < level) coverage.Set(x, y, level);
  };
  for (int i = 0; i < size; ++i)
    for (int x : {1 + i, size - i}) {
      mark(x, i, 16);
      mark(x - 1, i, 7);
      mark(x + 1, i, 7);
    }
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size + 2; ++x)
      Cover(strip, left - 1 + x, top + y, ink, coverage.At(x, y) / 16.0);
}

}  // namespace

PixelBuffer TitleStrip(const FontFiles& fonts, const StripLook& look) {
  PixelBuffer strip(kStripWidth, kStripHeight);
  // Behind the faces: the darker ground that shows between the tabs.
  VerticalGradient(strip, 0, kFaceTop, kStripWidth, kFaceBottom - kFaceTop + 1, kNotchTop,
                   kNotchBottom);
  DrawFace(strip, {1, kTopTabLeft, false, true});
  DrawFace(strip, {kTopTabLeft, kMinTabLeft, true, true});
  DrawFace(strip, {kMinTabLeft, kCloseTabLeft, true, true});
  DrawFace(strip, {kCloseTabLeft, kBandLeft, true, false});
  // The band at the right edge, a shade darker than the faces.
  for (int y = kFaceTop; y <= kFaceBottom; ++y) {
    const TColor face = FaceColour(0, y);
    strip.Set(kBandLeft, y, Blend(face, kShade, 6));
    strip.Set(kBandLeft + 1, y, Blend(face, kShade, 12));
  }
  // Outline along the top and the left and right edges, base line below.
  HLine(strip, 0, kStripWidth - 1, 0, kOutline);
  VLine(strip, 0, 0, kStripHeight - 1, kOutline);
  VLine(strip, kStripWidth - 1, 0, kStripHeight - 1, kOutline);
  HLine(strip, 1, kStripWidth - 2, kStripHeight - 1, kTitleBaseLine);

  Emblem(strip, 4, 3, 6, 1);
  Typeface name(fonts.bold, 11);
  name.Draw(strip, 22, 13, "Tintspot", look.nameInk);

  DrawPlus(strip, look.onTopLit);
  DrawMinus(strip, look.minPressed);
  DrawCross(strip, look.closePressed);
  return strip;
}

PixelBuffer Crop(const PixelBuffer& image, int left, int top, int width, int height) {
  PixelBuffer part(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) part.Set(x, y, image.At(left + x, top + y));
  return part;
}

}  // namespace skin
