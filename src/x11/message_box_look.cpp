#include "message_box_look.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

// Xlib's macros of the names of the core's enum members (write 0L for Xlib's None).
#undef None
#undef CursorShape

#include "desktop_look.h"
#include "font_files.h"

namespace tintspot::x11 {
namespace {

// The message font, and the dialog's measures: the icon's left edge and the text's distance
// from it in dialog units (a quarter of the font's average character width), and the icon.
constexpr FontSpec kBoxFont{"Tahoma", 11, FontMeasure::Em, false};
constexpr int kIconUnits = 8, kIconSize = 32;
constexpr char kButtonText[] = "OK";

const TextFace& BoxFace() { return FaceFor(kBoxFont); }

// A dialog's horizontal base unit: the average width of the letters, rounded as dialogs do.
int BaseUnit() {
  const int letters =
      BoxFace().AdvanceWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return (letters / 26 + 1) / 2;
}

// The themed push button's rounded corners, from the corner pixel inwards.
using Corner = TColor[3][3];
constexpr Corner kTopLeft = {
    {MakeColor(220, 233, 245), MakeColor(100, 175, 249), MakeColor(53, 152, 250)},
    {MakeColor(100, 175, 249), MakeColor(157, 206, 253), MakeColor(250, 253, 255)},
    {MakeColor(53, 152, 250), MakeColor(250, 253, 255), kWhite}};
constexpr Corner kTopRight = {
    {MakeColor(221, 233, 245), MakeColor(100, 176, 249), MakeColor(53, 152, 250)},
    {MakeColor(100, 176, 249), MakeColor(156, 204, 253), MakeColor(250, 253, 255)},
    {MakeColor(53, 152, 250), MakeColor(249, 252, 255), kWhite}};
constexpr Corner kBottomLeft = {
    {MakeColor(221, 233, 245), MakeColor(102, 175, 249), MakeColor(53, 152, 250)},
    {MakeColor(100, 176, 249), MakeColor(156, 204, 253), MakeColor(250, 253, 255)},
    {MakeColor(53, 152, 250), MakeColor(250, 253, 255), kWhite}};
constexpr Corner kBottomRight = {
    {MakeColor(222, 234, 245), MakeColor(103, 177, 249), MakeColor(53, 152, 250)},
    {MakeColor(102, 175, 249), MakeColor(154, 203, 253), MakeColor(250, 253, 255)},
    {MakeColor(54, 152, 250), MakeColor(249, 252, 255), kWhite}};
constexpr TColor kButtonBorder = MakeColor(48, 150, 250);
constexpr int kFocusInset = 3;

void DrawButton(PixelBuffer& box, const Rect& button, bool down) {
  FillBox(box, button, down ? MakeColor(229, 241, 251) : kWhite);
  FrameBox(box, button, kButtonBorder);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      box.Set(button.left + x, button.top + y, kTopLeft[y][x]);
      box.Set(button.right - 1 - x, button.top + y, kTopRight[y][x]);
      box.Set(button.left + x, button.bottom - 1 - y, kBottomLeft[y][x]);
      box.Set(button.right - 1 - x, button.bottom - 1 - y, kBottomRight[y][x]);
    }
  }
  const TextFace& face = BoxFace();
  const int shift = down ? 1 : 0;
  const int x = button.left + (button.Width() - face.AdvanceWidth(kButtonText)) / 2 + shift;
  const int y = button.top + (button.Height() - face.Height()) / 2 + shift;
  face.Draw(kButtonText, x, y, scheme::kWindowText, box, button);
  FocusRect(box, Rect{button.left + kFocusInset, button.top + kFocusInset,
                      button.right - kFocusInset, button.bottom - kFocusInset});
}

// The icons are the program's own drawing: a disc with a dark rim, white inside marks.
void DrawIcon(PixelBuffer& box, const Rect& where, BoxIcon icon) {
  const bool error = icon == BoxIcon::Error;
  const TColor rim = error ? MakeColor(164, 0, 0) : MakeColor(45, 85, 143);
  const TColor upper = error ? MakeColor(239, 41, 41) : MakeColor(73, 117, 173);
  const TColor lower = error ? MakeColor(204, 0, 0) : MakeColor(52, 101, 164);
  const double centre = 15.5, radius = 14.5;
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      const double distance = std::hypot(x - centre, y - centre);
      if (distance > radius) continue;
      TColor colour = distance > radius - 1.2 ? rim : y < 16 ? upper : lower;
      bool mark = false;
      if (error) {
        // A cross of two strokes three pixels wide.
        const int u = x - 16, v = y - 16;
        mark = std::abs(u) <= 7 && std::abs(v) <= 7 &&
               (std::abs(u - v) <= 2 || std::abs(u + v + 1) <= 2);
      } else {
        // The dot and the stem of an "i".
        mark = (std::hypot(x - 15.5, y - 8.5) <= 2.2) || (x >= 14 && x <= 17 && y >= 13 && y <= 24);
      }
      if (mark) colour = kWhite;
      box.Set(where.left + x, where.top + y, colour);
    }
  }
}

// The caption: the active title colour, the title in the bold caption font, and the close
// button's cross (grey levels, 255 for the button's face).
constexpr TColor kActiveCaption = MakeColor(50, 150, 250);
constexpr FontSpec kCaptionFont{"Tahoma", 11, FontMeasure::Em, true};
constexpr int kCaptionHeight = 18, kTitleIndent = 2;
constexpr int kCloseWidth = 16, kCloseHeight = 14, kCloseInset = 2;
constexpr std::uint8_t kCross[8][8] = {
    {99, 160, 245, 245, 245, 245, 160, 99}, {160, 0, 160, 245, 245, 160, 0, 160},
    {245, 160, 0, 160, 160, 0, 160, 245},   {245, 245, 160, 0, 0, 160, 245, 245},
    {245, 245, 160, 0, 0, 160, 245, 245},   {245, 160, 0, 160, 160, 0, 160, 245},
    {160, 0, 160, 245, 245, 160, 0, 160},   {99, 160, 245, 245, 245, 245, 160, 99}};

}  // namespace

Rect BoxCloseButton(int window_width) {
  const int right = window_width - kBoxFrameLeft - kCloseInset;
  return Rect{right - kCloseWidth, kBoxFrameLeft + kCloseInset, right,
              kBoxFrameLeft + kCloseInset + kCloseHeight};
}

void DrawBoxFrame(PixelBuffer& window, const std::string& caption) {
  const Rect all{0, 0, window.Width(), window.Height()};
  RaisedEdge(window, all);
  FrameBox(window, Rect{2, 2, all.right - 2, all.bottom - 2}, scheme::kButtonFace);
  const Rect bar{kBoxFrameLeft, kBoxFrameLeft, all.right - kBoxFrameLeft,
                 kBoxFrameLeft + kCaptionHeight};
  FillBox(window, bar, kActiveCaption);
  // The line between the caption and the client area.
  FillBox(window, Rect{bar.left, bar.bottom, bar.right, kBoxFrameTop}, scheme::kButtonFace);
  const TextFace& face = FaceFor(kCaptionFont);
  const Rect close = BoxCloseButton(all.right);
  face.Draw(caption, bar.left + kTitleIndent, bar.top + (bar.Height() - face.Height() + 1) / 2,
            scheme::kWindowText, window, Rect{bar.left, bar.top, close.left, bar.bottom});
  FillBox(window, close, scheme::kButtonFace);
  RaisedEdge(window, close);
  const int left = close.left + (close.Width() - 8) / 2, top = close.top + (close.Height() - 8) / 2;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      window.Set(left + x, top + y, MakeColor(kCross[y][x], kCross[y][x], kCross[y][x]));
}

MessageBoxLayout LayOutMessageBox(const std::string& text, int wrap_width) {
  const TextFace& face = BoxFace();
  MessageBoxLayout layout;
  const int icon_left = kIconUnits * BaseUnit() / 4;
  // The button: twice its text's size, at least twice as wide as high; a third of its width
  // between buttons (and at the sides, for the width the buttons need).
  const int text_height = face.Height();
  const int button_width = 2 * std::max(face.AdvanceWidth(kButtonText), 2 * text_height);
  const int button_height = 2 * text_height;
  const int button_space = button_width / 3;

  const int text_left = 2 * icon_left + kIconSize;
  layout.lines = LayOutText(face, text, wrap_width, true, true);
  const Rect sized = SizedToLines(face, layout.lines, Rect{});
  const int text_width = std::max(button_width + 2 * button_space - text_left, sized.Width());
  const int text_box_height = sized.Height();
  const int top_part = 16 + std::max(kIconSize, text_box_height);

  layout.width = text_left + text_width + icon_left;
  layout.height = 8 + top_part + button_height;
  layout.icon = Rect::FromSize(icon_left, (top_part - kIconSize) / 2, kIconSize, kIconSize);
  layout.text =
      Rect::FromSize(text_left, (top_part - text_box_height) / 2, text_width, text_box_height);
  // Centred in the width of the whole window, frame included.
  const int button_left = (layout.width + kBoxFrameWidth - button_width) / 2;
  layout.button = Rect::FromSize(button_left, top_part, button_width, button_height);
  return layout;
}

void DrawMessageBox(PixelBuffer& box, const MessageBoxLayout& layout, BoxIcon icon,
                    bool button_down) {
  const Rect all{0, 0, box.Width(), box.Height()};
  FillBox(box, all, scheme::kButtonFace);
  DrawIcon(box, layout.icon, icon);
  DrawLines(BoxFace(), layout.lines, layout.text, scheme::kWindowText, box, all);
  DrawButton(box, layout.button, button_down);
}

}  // namespace tintspot::x11
