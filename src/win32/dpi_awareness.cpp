#include "dpi_awareness.h"

#include <windows.h>

namespace tintspot::win32 {
namespace {

using SetContextFn = BOOL(WINAPI*)(HANDLE);
using SetAwareFn = BOOL(WINAPI*)();

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  // Through void(*)(), which converts to every function pointer type.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

void DeclareDpiAwareness() {
  HMODULE user = GetModuleHandleA("user32.dll");
  if (!user) return;
  if (auto setContext = Lookup<SetContextFn>(user, "SetProcessDpiAwarenessContext")) {
    if (setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))) ||  // per monitor v2
        setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3))))    // per monitor
      return;
  }
  if (auto setAware = Lookup<SetAwareFn>(user, "SetProcessDPIAware")) setAware();
}

}  // namespace tintspot::win32
