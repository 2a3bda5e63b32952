// Multi-line text laid out in a box as the Windows build's DrawText lays it out: a line per line
// break in the text, optionally broken between words to fit the box's width (DT_WORDBREAK),
// tabs optionally expanded to stops every eight average character widths (DT_EXPANDTABS),
// lines one face height apart from the top of the box, and the box a text sized to its lines
// needs (DT_CALCRECT).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "colour_types.h"
#include "geometry.h"
#include "pixel_buffer.h"
#include "text_face.h"

namespace tintspot::x11 {

// A piece of a line drawn at once: the text between two tabs, `x` pixels from the line's left.
struct TextRun {
  int x = 0;
  std::string text;
  friend bool operator==(const TextRun& a, const TextRun& b) {
    return a.x == b.x && a.text == b.text;
  }
};

struct TextLine {
  std::vector<TextRun> runs;
  int width = 0;  // as measured, trailing blanks of a broken line included
};

struct TextLayoutRules {
  bool word_break = false;
  bool expand_tabs = false;
  int tab_width = 8;  // the distance between tab stops, in pixels
};

// The advance of one character as a text extent counts it.
using CharacterWidth = std::function<int(unsigned char)>;

// The lines of `text` in a box `box_width` wide.
std::vector<TextLine> LayOutLines(const std::string& text, int box_width,
                                  const TextLayoutRules& rules, const CharacterWidth& width);

// The same with the face's measures (tab stops from its average character width).
std::vector<TextLine> LayOutText(const TextFace& face, const std::string& text, int box_width,
                                 bool word_break, bool expand_tabs);

// The box a text sized to its lines takes: its top left kept, as wide as the widest line and
// as high as the lines together.
Rect SizedToLines(const TextFace& face, const std::vector<TextLine>& lines, const Rect& box);

// Draws the lines left-aligned from the box's top, each cut off at the box (and at `clip`).
void DrawLines(const TextFace& face, const std::vector<TextLine>& lines, const Rect& box,
               TColor colour, PixelBuffer& target, const Rect& clip);

}  // namespace tintspot::x11
