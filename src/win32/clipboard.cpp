#include "clipboard.h"

#include <cstring>

namespace tintspot::win32 {
namespace {

constexpr int kOpenTries = 5;
constexpr DWORD kRetryPauseMs = 10;

bool OpenWithRetries(HWND owner) {
  for (int attempt = 0; attempt < kOpenTries; ++attempt) {
    if (attempt > 0) Sleep(kRetryPauseMs);
    if (OpenClipboard(owner)) return true;
  }
  return false;
}

}  // namespace

ClipboardResult PutClipboardText(HWND owner, const std::string& text) {
  // The text is made ready before the clipboard is touched, so that a copy
  // that cannot be made leaves the clipboard as it was.
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) return ClipboardResult::CannotSet;
  void* bytes = GlobalLock(memory);
  if (!bytes) {
    GlobalFree(memory);
    return ClipboardResult::CannotSet;
  }
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(memory);

  if (!OpenWithRetries(owner)) {
    GlobalFree(memory);
    return ClipboardResult::CannotOpen;
  }
  EmptyClipboard();
  // Once set, the memory belongs to the clipboard.
  const bool set = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  if (!set) {
    GlobalFree(memory);
    return ClipboardResult::CannotSet;
  }
  return ClipboardResult::Done;
}

}  // namespace tintspot::win32
