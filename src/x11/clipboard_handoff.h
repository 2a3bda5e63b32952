// Keeps the copied text available after the program ends.
//
// First the clipboard manager protocol: when a program owns CLIPBOARD_MANAGER, the CLIPBOARD
// is converted to SAVE_TARGETS and its requests are answered until it confirms, for at most
// `manager_wait`. Where no manager runs (or it does not confirm in time), a child process with
// its own connection takes the selection and answers for it until another program takes it.
//
// Call it at exit, while no other thread of the process runs: the child starts with fork().
#pragma once

#include <sys/types.h>

#include <chrono>

#include "clipboard_owner.h"

namespace tintspot::x11 {

enum class ClipboardKeeper {
  kNothingToKeep,  // the program did not own the clipboard (any more)
  kManager,        // the clipboard manager has the value
  kChild,          // a child process owns the selection now
  kLost,           // neither worked
};

struct HandOff {
  ClipboardKeeper keeper = ClipboardKeeper::kNothingToKeep;
  pid_t child = -1;  // the keeping process, for kChild
};

HandOff KeepClipboardAfterExit(ClipboardOwner& owner, std::chrono::milliseconds manager_wait,
                               std::chrono::milliseconds child_wait);

}  // namespace tintspot::x11
