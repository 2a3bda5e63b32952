// Where the program looks for the DLLs it loads after start.
#pragma once

namespace tintspot::win32 {

// From now on, DLLs loaded by name come from the system folder only, never
// from the program's own folder or the current one: a stranger's DLL beside
// the exe in a downloads folder stays unloaded. Systems without the call
// keep their usual search.
void RestrictDllSearchToSystem();

}  // namespace tintspot::win32
