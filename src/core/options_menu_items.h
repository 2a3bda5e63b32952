// The options menu below the menu button, top to bottom. An item chosen does
// not run while the menu is open: it runs as its own event once the menu has
// closed and the press that opened it has been handled (see
// TfrmMain::imgMenuMouseDown), so that the menu button shows its normal
// picture again before the item's box or browser opens.
#pragma once

#include <array>
#include <cstddef>

#include "platform.h"

namespace tintspot {

struct OptionsMenuItem {
  MenuCommand command;
  const char* text;
  int accelerator;       // index in text of the item's key, shown underlined
  bool separatorBefore;  // a line between it and the item above
};

// Every command but None, in MenuCommand order.
constexpr std::array<OptionsMenuItem, 2> kOptionsMenuItems = {{
    {MenuCommand::mnuPopSite, "Chromawright Website", 0, false},
    {MenuCommand::mnuPopAbout, "About Tintspot...", 0, true},
}};

constexpr bool MenuInCommandOrder() {
  for (std::size_t i = 0; i < kOptionsMenuItems.size(); ++i)
    if (static_cast<std::size_t>(kOptionsMenuItems[i].command) != i + 1) return false;
  return true;
}
static_assert(static_cast<std::size_t>(MenuCommand::mnuPopAbout) == kOptionsMenuItems.size(),
              "every command but None has an item");
static_assert(MenuInCommandOrder(), "the items follow the MenuCommand enum");

}  // namespace tintspot
