#include "error_box.h"

#include <exception>
#include <stdexcept>

#include "frm_main.h"
#include "wide_text.h"

namespace tintspot::win32 {

void ShowErrorMessage(HWND owner, const std::string& text) {
  // Wide: the text may hold a path in any script.
  MessageBoxW(owner && IsWindow(owner) ? owner : nullptr, WideFromUtf8(text).c_str(), L"Tintspot",
              MB_ICONERROR | MB_OK);
}

void ShowBoundaryError(HWND owner) {
  std::string text = "Unexpected error";
  try {
    throw;
  } catch (const std::exception& error) {
    text = error.what();
  } catch (...) {
  }
  try {
    ShowErrorMessage(owner, ErrorBoxText(text));
  } catch (...) {
  }
}

}  // namespace tintspot::win32
