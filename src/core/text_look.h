// How a piece of the program's text looks: the font by face and pixel size,
// its colour and its place in its box. A shell finds the font on its desktop
// and draws the glyphs; everything else about the text is decided here.
#pragma once

#include "colour_types.h"

namespace tintspot {

// What a font's pixel size measures: the height of the characters alone (the
// em), or of the whole character cell (the em and the space above it that
// accents use).
enum class FontMeasure { Em, Cell };

struct FontSpec {
  const char* face;
  int pixels;
  FontMeasure measure;
  bool bold;
};

enum class TextAlign { Left, Centre };

// Text always starts at the top of its box, draws only its glyphs (the box
// keeps what lies below), takes '&' literally and expands tabs.
struct TextLook {
  FontSpec font;
  TColor colour;
  TextAlign align;
  bool wordWrap;  // false: one line per line break in the text, cut off at the box
};

}  // namespace tintspot
