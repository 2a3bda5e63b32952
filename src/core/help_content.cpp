#include "help_content.h"

#include <iterator>

namespace tintspot {
namespace {

constexpr HelpKindLook kLooks[] = {
    {{"Tahoma", 11, FontMeasure::Em, true}, std::nullopt, true, false, false},
    {{"Tahoma", 12, FontMeasure::Cell, true}, SystemColour::WindowText, true, true, false},
    {{"Tahoma", 12, FontMeasure::Cell, false}, SystemColour::WindowText, false, true, true},
};
static_assert(std::size(kLooks) == kHelpKindCount, "every kind of help item has its look");

constexpr Rect At(int left, int top) { return Rect{left, top, left, top}; }

}  // namespace

const HelpKindLook& LookOf(HelpKind kind) { return kLooks[static_cast<std::size_t>(kind)]; }

const std::array<HelpItem, 9> kHelpItems = {{
    {HelpKind::Caption, At(10, 6), "Using Tintspot:"},
    {HelpKind::Bullet, At(10, 24), "-"},
    {HelpKind::Note, Rect::FromSize(18, 24, 179, 31),
     "Press any key to lock/unlock the current color and the magnifier."},
    {HelpKind::Note, Rect::FromSize(18, 54, 179, 36),
     "Click on any color value to copy it to the clipboard, or press 'Ctrl-C' to copy the HEX "
     "value."},
    {HelpKind::Bullet, At(11, 53), "-"},
    {HelpKind::Bullet, At(10, 96), "-"},
    {HelpKind::Note, Rect::FromSize(18, 96, 179, 31),
     "Click on the '+' icon to keep Tintspot on top of all other applications."},
    {HelpKind::Note, Rect::FromSize(18, 126, 179, 25),
     "Click on the 'Magnifier' button to zoom in on the screen, or press 'Ctrl-M'."},
    {HelpKind::Bullet, At(10, 126), "-"},
}};

}  // namespace tintspot
