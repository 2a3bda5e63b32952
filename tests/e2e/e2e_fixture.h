// Base fixture of the end-to-end tests: makes sure Tintspot.exe and the Wine session exist.
//
// A missing Tintspot.exe (or missing Wine/Xvfb) fails the test, unless TINTSPOT_E2E_OPTIONAL=1
// is set: then the test is skipped.
#pragma once

// gtest before Xlib: Xlib defines macros (None, Bool) that clash with gtest.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

#include "subprocess.h"
#include "tintspot_app.h"
#include "wait_until.h"
#include "wine_session.h"
#include "xdriver.h"

namespace e2e {

inline bool E2eOptional() {
  const char* value = getenv("TINTSPOT_E2E_OPTIONAL");
  return value != nullptr && std::string(value) == "1";
}

// For a test that holds only on the bare X server: under a window manager (TINTSPOT_E2E_WM) it
// is skipped, with the reason.
#define E2E_BARE_SERVER_ONLY(reason)                \
  if (!::e2e::WineSession::WindowManager().empty()) \
  GTEST_SKIP() << "needs the bare X server: " << (reason)

class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string missing;
    if (!std::filesystem::exists(TintspotExePath())) {
      missing = "Tintspot.exe (" + TintspotExePath() + ")";
    }
    for (const char* tool : {"wine", "wineserver", "Xvfb"}) {
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
  // winhelper COMMAND on the program's main window, as key=value pairs.
  std::map<std::string, std::string> WinHelper(const std::string& command) {
    RunResult result = session().RunWinHelper({command, TintspotApp::kCaption});
    EXPECT_EQ(result.exit_code, 0) << command << ": " << result.output;
    return ParseKeyValues(result.output);
  }
};

}  // namespace e2e
