// The message boxes' picture as Wine lays out and draws the Windows build's message box under
// its default theme: the icon at the left, the text beside it (word-wrapped), the OK button
// centred below, on the dialog's face colour. The sizes follow the box's text; the window's
// frame and caption are the window manager's.
#pragma once

#include <string>
#include <vector>

#include "geometry.h"
#include "message_box.h"
#include "pixel_buffer.h"
#include "text_layout.h"

namespace tintspot::x11 {

struct MessageBoxLayout {
  int width = 0, height = 0;  // the client area
  Rect icon, text, button;
  std::vector<TextLine> lines;
};

// The frame Wine's own box has around that client area (its borders, caption included), which
// centring on the monitor counts: the width of both sides, the height above and below.
constexpr int kBoxFrameWidth = 6, kBoxFrameLeft = 3;
constexpr int kBoxFrameHeight = 25, kBoxFrameTop = 22;

// The layout of a box with `text`, wrapped at `wrap_width` at most.
MessageBoxLayout LayOutMessageBox(const std::string& text, int wrap_width);
void DrawMessageBox(PixelBuffer& box, const MessageBoxLayout& layout, BoxIcon icon,
                    bool button_down);

// Wine's frame around a box's client area, where no window manager draws one: the raised
// edges, the active caption with its bold title and the close button. `window` is the whole
// window (the client area plus the frame's measures above).
void DrawBoxFrame(PixelBuffer& window, const std::string& caption);
// The caption's close button in such a window.
Rect BoxCloseButton(int window_width);

}  // namespace tintspot::x11
