// Xlib for the files that also use the core's names. Xlib's X.h defines None and CursorShape as
// macros, which would replace the core's names (ProgramWindow::None, Control::None,
// MenuCommand::None, enum CursorShape): include this before any core header, and write 0 for
// X's None.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#undef None
#undef CursorShape
