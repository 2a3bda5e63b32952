// The help popup's line layout (DrawText's line, word and tab rules) with characters of known
// widths: every letter 1 pixel, 'W' 3.
#include "text_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace x11 = tintspot::x11;

namespace {

int Width(unsigned char c) { return c == 'W' ? 3 : 1; }

// A line as its runs: "x:text" each, joined by '|'.
std::string Runs(const x11::TextLine& line) {
  std::string out;
  for (const x11::TextRun& run : line.runs) {
    if (!out.empty()) out += '|';
    out += std::to_string(run.x) + ":" + run.text;
  }
  return out;
}

TEST(TextLayout, LinesWordsAndTabsBreakAsDrawTextBreaksThem) {
  struct Case {
    const char* text;
    int box_width;
    bool word_break, expand_tabs;
    std::vector<std::string> lines;  // each line's runs
  };
  const Case cases[] = {
      {"aaa bbb", 100, true, false, {"0:aaa bbb"}},
      // The blank that does not fit goes; one that fits stays on the line before the break.
      {"aaa bbb ccc", 7, true, false, {"0:aaa bbb", "0:ccc"}},
      {"aaa bbbb", 6, true, false, {"0:aaa ", "0:bbbb"}},
      {"aa  bbbb", 6, true, false, {"0:aa  ", "0:bbbb"}},
      // After a hyphen or a slash before a letter a line may break; not before a digit.
      {"press 'Ctrl-M'.", 7, true, false, {"0:press ", "0:'Ctrl-", "0:M'."}},
      {"lock/unlock", 7, true, false, {"0:lock/", "0:unlock"}},
      {"a-1234", 3, true, false, {"0:a-1", "0:234"}},
      // A word wider than the box breaks before its first character that does not fit.
      {"abcdefgh", 3, true, false, {"0:abc", "0:def", "0:gh"}},
      {"WWW", 4, true, false, {"0:W", "0:W", "0:W"}},
      // Without word breaks a line is cut off at the box, not broken.
      {"aaa bbb ccc", 4, false, false, {"0:aaa bbb ccc"}},
      // Line breaks: CR LF, LF and CR alone; a break at the very end adds no line.
      {"a\r\nb\nc\rd\n", 10, true, false, {"0:a", "0:b", "0:c", "0:d"}},
      {"a\n\nb", 10, true, false, {"0:a", "", "0:b"}},
      // Tabs go to the next stop (every 4 pixels here), or stay literal without expansion.
      {"a\tb", 20, false, true, {"0:a|4:b"}},
      {"abcd\tb\t\tc", 20, false, true, {"0:abcd|8:b|16:c"}},
      {"a\tb", 20, false, false, {"0:a\tb"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const x11::TextLayoutRules rules{c.word_break, c.expand_tabs, 4};
    const std::vector<x11::TextLine> lines = x11::LayOutLines(c.text, c.box_width, rules, Width);
    std::vector<std::string> got;
    for (const x11::TextLine& line : lines) got.push_back(Runs(line));
    EXPECT_EQ(got, c.lines);
  }
}

TEST(TextLayout, ALineIsAsWideAsItsCharactersAndTabStops) {
  const x11::TextLayoutRules rules{true, true, 4};
  const std::vector<x11::TextLine> lines = x11::LayOutLines("ab\tW\naaa bbbb", 7, rules, Width);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].width, 7);  // a, b, the stop at 4, W
  EXPECT_EQ(lines[1].width, 4);  // "aaa " with its blank
  EXPECT_EQ(lines[2].width, 4);
}

}  // namespace
