#include "options_menu_look.h"

#include <algorithm>
#include <string>

#include "desktop_look.h"
#include "font_files.h"
#include "options_menu_items.h"

namespace tintspot::x11 {
namespace {

// The menu font: the desktop's, Tahoma of 11 pixels.
constexpr FontSpec kMenuFont{"Tahoma", 11, FontMeasure::Em, false};
constexpr TColor kMenuFrame = scheme::kButtonShadow;
constexpr int kFrame = 1, kMargin = 2;
constexpr int kSeparatorHeight = 9, kSeparatorLine = 4;
// Around an item's text: the height the menu font needs, the room of a check mark on its left
// and of a submenu arrow on its right.
constexpr int kItemExtraHeight = 4;
constexpr int kTextLeft = 17, kItemExtraWidth = 32;

const TextFace& MenuFace() { return FaceFor(kMenuFont); }

int ItemWidth() {
  int widest = 0;
  for (const OptionsMenuItem& item : kOptionsMenuItems)
    widest = std::max(widest, MenuFace().AdvanceWidth(item.text));
  return widest + kItemExtraWidth;
}

}  // namespace

std::vector<MenuRow> OptionsMenuRows() {
  std::vector<MenuRow> rows;
  const int width = ItemWidth(), height = MenuFace().Height() + kItemExtraHeight;
  int top = kFrame + kMargin;
  for (std::size_t i = 0; i < kOptionsMenuItems.size(); ++i) {
    if (kOptionsMenuItems[i].separatorBefore) {
      rows.push_back({Rect::FromSize(kFrame + kMargin, top, width, kSeparatorHeight), -1});
      top += kSeparatorHeight;
    }
    rows.push_back({Rect::FromSize(kFrame + kMargin, top, width, height), int(i)});
    top += height;
  }
  return rows;
}

Rect OptionsMenuSize() {
  const std::vector<MenuRow> rows = OptionsMenuRows();
  const int inset = kFrame + kMargin;
  return Rect{0, 0, ItemWidth() + 2 * inset, rows.back().box.bottom + inset};
}

int OptionsMenuItemAt(ScreenPoint point) {
  for (const MenuRow& row : OptionsMenuRows())
    if (row.box.Contains(point)) return row.item;
  return -1;
}

void DrawOptionsMenu(PixelBuffer& menu, int highlighted) {
  const Rect all{0, 0, menu.Width(), menu.Height()};
  FillBox(menu, all, scheme::kMenu);
  FrameBox(menu, all, kMenuFrame);
  const TextFace& face = MenuFace();
  for (const MenuRow& row : OptionsMenuRows()) {
    if (row.item < 0) {
      const int y = row.box.top + kSeparatorLine;
      FillBox(menu, Rect{row.box.left + 1, y, row.box.right - 1, y + 1}, kMenuFrame);
      continue;
    }
    const OptionsMenuItem& item = kOptionsMenuItems[std::size_t(row.item)];
    TColor ink = scheme::kMenuText;
    if (row.item == highlighted) {
      FillBox(menu, row.box, scheme::kHighlight);
      ink = scheme::kHighlightText;
    }
    const int x = row.box.left + kTextLeft;
    const int y = row.box.top + (row.box.Height() - face.Height()) / 2;
    face.Draw(item.text, x, y, ink, menu, row.box);
    // The accelerator's underline, a row below the baseline: from where its character starts
    // to a pixel short of where the next one starts, as measured (a line to that point).
    const std::string text = item.text;
    const std::size_t at = std::size_t(item.accelerator);
    const int left = x + face.AdvanceWidth(text.substr(0, at));
    const int width = face.AdvanceWidth(text.substr(0, at + 1)) - (left - x) - 1;
    const int line = y + face.Ascent() + 1;
    FillBox(menu, Rect{left, line, left + width, line + 1}, ink);
  }
}

}  // namespace tintspot::x11
