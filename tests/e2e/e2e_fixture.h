// Base fixture of the end-to-end tests: makes sure the program of the build under test
// (TINTSPOT_E2E_BUILD) and the session exist, and asks the desktop about the program's windows
// the way that build allows.
//
// A missing program (or missing Wine/Xvfb) fails the test, unless TINTSPOT_E2E_OPTIONAL=1 is
// set: then the test is skipped.
#pragma once

// gtest before Xlib: Xlib defines macros (None, Bool) that clash with gtest.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

#include "desktop_probe.h"
#include "subprocess.h"
#include "tintspot_app.h"
#include "wait_until.h"
#include "wine_session.h"
#include "xdriver.h"

namespace e2e {

constexpr const char* kNothingIconifies =
    "without one nothing iconifies an X window (XIconifyWindow asks the manager)";

inline bool E2eOptional() {
  const char* value = getenv("TINTSPOT_E2E_OPTIONAL");
  return value != nullptr && std::string(value) == "1";
}

// For a test that holds only on the bare X server: under a window manager (TINTSPOT_E2E_WM) it
// is skipped, with the reason.
#define E2E_BARE_SERVER_ONLY(reason)                \
  if (!::e2e::WineSession::WindowManager().empty()) \
  GTEST_SKIP() << "needs the bare X server: " << (reason)

// For a test of what only one build has: otherwise it is skipped, with the reason.
#define E2E_WINDOWS_ONLY(reason) \
  if (::e2e::NativeBuild()) GTEST_SKIP() << "Windows build only: " << (reason)
#define E2E_NATIVE_ONLY(reason) \
  if (!::e2e::NativeBuild()) GTEST_SKIP() << "native build only: " << (reason)

// For a test of the native build that needs a window manager to do what it asks (XIconifyWindow
// and _NET_WM_STATE changes are requests to the manager): on the bare server it is skipped.
#define E2E_NATIVE_NEEDS_WINDOW_MANAGER(reason)                            \
  if (::e2e::NativeBuild() && ::e2e::WineSession::WindowManager().empty()) \
  GTEST_SKIP() << "the native build needs a window manager here: " << (reason)

class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string missing;
    if (!std::filesystem::exists(ProgramPath())) missing = "the program (" + ProgramPath() + ")";
    const std::vector<const char*> tools =
        NativeBuild() ? std::vector<const char*>{"Xvfb", "xclip"}
                      : std::vector<const char*>{"wine", "wineserver", "Xvfb"};
    for (const char* tool : tools) {
      if (missing.empty() && !InPath(tool)) missing = tool;
    }
    if (!missing.empty()) {
      if (E2eOptional()) GTEST_SKIP() << "not found: " << missing;
      FAIL() << "not found: " << missing << " (set TINTSPOT_E2E_OPTIONAL=1 to skip instead)";
    }
    try {
      WineSession::Get();
    } catch (const std::exception& e) {
      FAIL() << e.what();
    }
  }

  WineSession& session() { return WineSession::Get(); }
  XDriver& x() { return WineSession::Get().x(); }
  // What the desktop says of the window captioned `caption` (see WindowInfo).
  std::map<std::string, std::string> Info(const std::string& caption = TintspotApp::kCaption) {
    return WindowInfo(session(), caption);
  }
  // Whether the window's topmost state can be seen as it changes: through Win32, or natively
  // where a window manager turns the program's requests into _NET_WM_STATE.
  static bool TopmostChangesShow() {
    return !NativeBuild() || !WineSession::WindowManager().empty();
  }
  void Minimize() { MinimizeWindow(session(), TintspotApp::kCaption); }
  void Restore() { RestoreWindow(session(), TintspotApp::kCaption); }
  // Win32's zoom combo box (text, selection, enabled). The native zoom list is drawn by the
  // program and has no such state to ask: nullopt there.
  std::optional<std::map<std::string, std::string>> Combo() {
    if (NativeBuild()) return std::nullopt;
    RunResult result = session().RunWinHelper({"combo", TintspotApp::kCaption});
    EXPECT_EQ(result.exit_code, 0) << result.output;
    return ParseKeyValues(result.output);
  }
  // Another program's text on the clipboard; ASSERTs that it got there.
  void SetClipboard(const std::string& text) {
    std::string error;
    ASSERT_TRUE(clipboard_.Set(session(), text, &error)) << error;
    std::optional<std::string> now;
    ASSERT_TRUE(WaitUntil([&] { return (now = x().ClipboardText()) == text; }, milliseconds(3000)))
        << "clipboard " << now.value_or("(none)") << ", not " << text;
  }

 private:
  ClipboardSetter clipboard_;
};

}  // namespace e2e
