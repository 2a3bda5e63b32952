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

namespace {

// The message of the exception in flight.
std::string InFlightErrorText() {
  try {
    throw;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
  }
  return "Unexpected error";
}

}  // namespace

void ShowBoundaryError(HWND owner) {
  const std::string text = InFlightErrorText();
  try {
    ShowErrorMessage(owner, ErrorBoxText(text));
  } catch (...) {
  }
}

void ShowBoundaryError(TfrmMain& core) {
  const std::string text = InFlightErrorText();
  try {
    core.ShowError(text);
  } catch (...) {
  }
}

}  // namespace tintspot::win32
