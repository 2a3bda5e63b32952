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
  if (!OpenWithRetries(owner)) return ClipboardResult::CannotOpen;
  EmptyClipboard();
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    if (void* bytes = GlobalLock(memory)) {
      std::memcpy(bytes, text.c_str(), text.size() + 1);
      GlobalUnlock(memory);
      if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
  return ClipboardResult::Done;
}

}  // namespace tintspot::win32
