#include "main_window_tick.h"

#include "shell.h"
#include "tick_profile.h"

namespace tintspot::win32 {

void TickMainWindow(Shell& shell) {
  profile::Tick tick;
  // Whatever the tick drew is shown, also when it ends in an error.
  const MainPainter::BatchScope batch(shell.painter);
  shell.core.Timer1Timer();
}

}  // namespace tintspot::win32
