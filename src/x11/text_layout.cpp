#include "text_layout.h"

#include <algorithm>

namespace tintspot::x11 {
namespace {

struct Measure {
  const TextLayoutRules& rules;
  const CharacterWidth& width;

  // Where the pen stands after `c` drawn at `x`.
  int After(char c, int x) const {
    if (c == '\t' && rules.expand_tabs) {
      const int stop = std::max(rules.tab_width, 1);
      return (x / stop + 1) * stop;
    }
    return x + width(static_cast<unsigned char>(c));
  }
};

// One line out of text[begin, end): its runs between tabs, and its width.
TextLine MakeLine(const std::string& text, size_t begin, size_t end, const Measure& measure) {
  TextLine line;
  TextRun run;
  int x = 0;
  for (size_t i = begin; i < end; ++i) {
    const char c = text[i];
    if (c == '\t' && measure.rules.expand_tabs) {
      if (!run.text.empty()) line.runs.push_back(run);
      x = measure.After(c, x);
      run = TextRun{x, {}};
      continue;
    }
    run.text += c;
    x = measure.After(c, x);
  }
  if (!run.text.empty()) line.runs.push_back(run);
  line.width = x;
  return line;
}

// Whether a line may start at text[i] (i > begin): after blanks, and after a hyphen or a
// slash that a letter follows, as the line-breaking rules of DrawText's script layer allow.
bool MayStartLineAt(const std::string& text, size_t i) {
  const char before = text[i - 1], c = text[i];
  if (c == ' ') return false;
  if (before == ' ') return true;
  return (before == '-' || before == '/') && !(c >= '0' && c <= '9');
}

// Breaks text[begin, end) (no line breaks inside) into lines that fit `box_width`: at the last
// place a line may start before the character that does not fit (blanks before it stay on the
// line), after a blank that does not fit itself (the blank goes), or inside a word wider than
// the box, before its first character that does not fit.
void BreakParagraph(const std::string& text, size_t begin, size_t end, int box_width,
                    const Measure& measure, std::vector<TextLine>& lines) {
  while (true) {
    int x = 0;
    size_t last_start = begin;
    size_t next = end, line_end = end;
    for (size_t i = begin; i < end; ++i) {
      if (i > begin && MayStartLineAt(text, i)) last_start = i;
      const int after = measure.After(text[i], x);
      if (measure.rules.word_break && after > box_width && i > begin) {
        if (text[i] == ' ') {
          line_end = i;
          next = i + 1;
        } else if (last_start > begin) {
          line_end = next = last_start;
        } else {
          line_end = next = i;
        }
        break;
      }
      x = after;
    }
    lines.push_back(MakeLine(text, begin, line_end, measure));
    if (next >= end) return;
    begin = next;
  }
}

}  // namespace

std::vector<TextLine> LayOutLines(const std::string& text, int box_width,
                                  const TextLayoutRules& rules, const CharacterWidth& width) {
  const Measure measure{rules, width};
  std::vector<TextLine> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string::npos) end = text.size();
    BreakParagraph(text, begin, end, box_width, measure, lines);
    if (end == text.size()) break;
    // "\r\n" is one line break, as are "\n" and "\r" alone.
    begin = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

std::vector<TextLine> LayOutText(const TextFace& face, const std::string& text, int box_width,
                                 bool word_break, bool expand_tabs) {
  const TextLayoutRules rules{word_break, expand_tabs, 8 * face.AverageCharWidth()};
  return LayOutLines(text, box_width, rules, [&face](unsigned char c) {
    return face.AdvanceWidth(std::string(1, static_cast<char>(c)));
  });
}

Rect SizedToLines(const TextFace& face, const std::vector<TextLine>& lines, const Rect& box) {
  int width = 0;
  for (const TextLine& line : lines) width = std::max(width, line.width);
  return Rect::FromSize(box.left, box.top, width, face.Height() * int(lines.size()));
}

void DrawLines(const TextFace& face, const std::vector<TextLine>& lines, const Rect& box,
               TColor colour, PixelBuffer& target, const Rect& clip) {
  const Rect inside = box.Intersection(clip);
  if (inside.IsEmpty()) return;
  int top = box.top;
  for (const TextLine& line : lines) {
    if (top >= box.bottom) return;
    for (const TextRun& run : line.runs)
      face.Draw(run.text, box.left + run.x, top, colour, target, inside);
    top += face.Height();
  }
}

}  // namespace tintspot::x11
