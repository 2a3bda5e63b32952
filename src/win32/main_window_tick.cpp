#include "main_window_tick.h"

#include "shell.h"
#include "tick_profile.h"

namespace tintspot::win32 {

void TickMainWindow(Shell& shell) {
  profile::Tick tick;
  // Whatever the tick drew is shown, also when it ends in an error.
  struct EndBatchOnExit {
    MainPainter& painter;
    ~EndBatchOnExit() { painter.EndBatch(); }
  } end{shell.painter};
  shell.painter.BeginBatch();
  shell.core.Timer1Timer();
}

}  // namespace tintspot::win32
