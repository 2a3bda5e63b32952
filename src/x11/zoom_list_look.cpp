#include "zoom_list_look.h"

#include <cstdint>

#include "desktop_look.h"
#include "font_files.h"
#include "magnifier.h"
#include "zoom_list_metrics.h"

namespace tintspot::x11 {
namespace {

constexpr TColor kFieldBorder = MakeColor(174, 174, 174);
// Where the field keeps the selected item, and where that item's text starts.
constexpr Rect kItemBox = Rect{3, 3, 149, 16};
constexpr int kFieldTextX = 4, kFieldTextY = 4;
// The drop-down button: a frame with rounded corners and an arrow, at (150, 2).
constexpr int kButtonLeft = 150, kButtonTop = 2, kButtonWidth = 17, kButtonHeight = 15;
// Its corners from the corner pixel inwards (255: the white face); the top left one is lit.
constexpr std::uint8_t kLitCorner[3][3] = {{245, 195, 176}, {195, 217, 253}, {176, 253, 255}};
constexpr std::uint8_t kCorner[3][3] = {{245, 196, 176}, {196, 216, 253}, {176, 253, 255}};
constexpr int kArrowLeft = 5, kArrowTop = 6, kArrowWidth = 7, kArrowHeight = 4;
constexpr std::uint8_t kArrow[kArrowHeight][kArrowWidth] = {{101, 228, 255, 255, 255, 223, 96},
                                                            {223, 64, 223, 255, 225, 64, 222},
                                                            {255, 224, 64, 197, 64, 222, 255},
                                                            {255, 255, 220, 40, 225, 255, 255}};
constexpr std::uint8_t kGreyArrow[kArrowHeight][kArrowWidth] = {
    {206, 246, 255, 255, 255, 245, 204},
    {245, 194, 245, 255, 245, 194, 245},
    {255, 245, 194, 236, 194, 245, 255},
    {255, 255, 244, 186, 245, 255, 255}};
// The dropped list: a frame in the window-frame colour, then the items from (1, 1).
constexpr TColor kListBorder = scheme::kWindowFrame;
constexpr int kListTextIndent = 1;

TColor Grey(std::uint8_t level) { return MakeColor(level, level, level); }

void DrawButton(PixelBuffer& field, bool enabled) {
  const Rect box = Rect::FromSize(kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight);
  FillBox(field, box, scheme::kWindow);
  FrameBox(field, box, kFieldBorder);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      field.Set(box.left + x, box.top + y, Grey(kLitCorner[y][x]));
      field.Set(box.right - 1 - x, box.top + y, Grey(kCorner[y][x]));
      field.Set(box.left + x, box.bottom - 1 - y, Grey(kCorner[y][x]));
      field.Set(box.right - 1 - x, box.bottom - 1 - y, Grey(kCorner[y][x]));
    }
  }
  const auto& arrow = enabled ? kArrow : kGreyArrow;
  for (int y = 0; y < kArrowHeight; ++y)
    for (int x = 0; x < kArrowWidth; ++x)
      field.Set(box.left + kArrowLeft + x, box.top + kArrowTop + y, Grey(arrow[y][x]));
}

}  // namespace

void DrawZoomField(PixelBuffer& field, int selection, FieldState state) {
  const Rect all{0, 0, field.Width(), field.Height()};
  FillBox(field, all, scheme::kWindow);
  FrameBox(field, all, kFieldBorder);
  TColor ink = scheme::kWindowText;
  if (state == FieldState::Disabled) {
    FillBox(field, kItemBox, scheme::kButtonFace);
    ink = scheme::kGrayText;
  } else if (state == FieldState::Focused) {
    FillBox(field, kItemBox, scheme::kHighlight);
    ink = scheme::kHighlightText;
  }
  if (selection >= 0 && selection < kZoomLevels)
    FaceFor(kZoomListFont)
        .Draw(ZoomItemText(selection), kFieldTextX, kFieldTextY, ink, field, kItemBox);
  if (state == FieldState::Focused) FocusRect(field, kItemBox);
  DrawButton(field, state != FieldState::Disabled);
}

void DrawZoomDropDown(PixelBuffer& list, int highlighted) {
  const Rect all{0, 0, list.Width(), list.Height()};
  FillBox(list, all, scheme::kWindow);
  FrameBox(list, all, kListBorder);
  const TextFace& face = FaceFor(kZoomListFont);
  for (int i = 0; i < kZoomLevels; ++i) {
    const Rect item = Rect::FromSize(1, 1 + i * kZoomItemHeight, list.Width() - 2, kZoomItemHeight);
    TColor ink = scheme::kWindowText;
    if (i == highlighted) {
      FillBox(list, item, scheme::kHighlight);
      ink = scheme::kHighlightText;
    }
    face.Draw(ZoomItemText(i), item.left + kListTextIndent, item.top, ink, list, item);
  }
}

int ZoomItemAt(int x, int y) {
  if (x < 1 || x >= kZoomListBounds.Width() - 1 || y < 1) return -1;
  const int index = (y - 1) / kZoomItemHeight;
  return index < kZoomLevels ? index : -1;
}

}  // namespace tintspot::x11
