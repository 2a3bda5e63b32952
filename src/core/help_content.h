// What the help popup shows: a pale-yellow box with a thin border and four
// short usage notes, each behind a dash, under a bold caption.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "colour_types.h"
#include "geometry.h"
#include "platform.h"
#include "text_look.h"

namespace tintspot {

constexpr int kHelpWidth = 205;
constexpr int kHelpHeight = 158;
constexpr TColor kHelpBackground = MakeColor(255, 255, 204);
constexpr TColor kHelpBorder = MakeColor(212, 212, 170);  // along the outermost pixels

enum class HelpKind {
  Caption,  // drawn straight onto the background, sized to its text
  Bullet,   // on a patch of background of its own, sized to its text
  Note,     // on a patch of background of its own, a fixed box, word-wrapped,
            // cut off below its height
};
constexpr int kHelpKindCount = static_cast<int>(HelpKind::Note) + 1;

struct HelpKindLook {
  FontSpec font;
  std::optional<SystemColour> ink;  // none: black
  bool sizedToText;                 // the box grows from its top left to fit the text
  bool ownBackground;               // the box is filled with the background first
  bool wordWrap;
};
const HelpKindLook& LookOf(HelpKind kind);

struct HelpItem {
  HelpKind kind;
  Rect box;  // an empty one for a kind sized to its text: its top left only
  const char* text;
};

// In painting order.
extern const std::array<HelpItem, 9> kHelpItems;

}  // namespace tintspot
