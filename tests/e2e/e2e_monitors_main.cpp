// Entry of the end-to-end tests on two monitors: the two-monitor X server first, then one Wine
// session on it for all the tests.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <iostream>
#include <memory>

#include "two_monitor_display.h"
#include "wine_session.h"

namespace {

class SessionEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { e2e::WineSession::Shutdown(); }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::string logs = std::filesystem::temp_directory_path() / "tintspot-monitors-XXXXXX";
  if (mkdtemp(logs.data()) == nullptr) return 1;
  std::unique_ptr<e2e::TwoMonitorDisplay> display;
  try {
    display = std::make_unique<e2e::TwoMonitorDisplay>(logs);
    setenv("TINTSPOT_E2E_DISPLAY", display->display().c_str(), 1);
    setenv("TINTSPOT_E2E_ONE_MONITOR_DISPLAY", display->one_monitor_display().c_str(), 1);
  } catch (const std::exception& e) {
    // The tests fail (or skip, with TINTSPOT_E2E_OPTIONAL=1) when they find no display.
    std::cerr << "[e2e] " << e.what() << "\n";
    setenv("TINTSPOT_E2E_TWO_MONITORS_MISSING", e.what(), 1);
  }
  ::testing::AddGlobalTestEnvironment(new SessionEnvironment);
  const int result = RUN_ALL_TESTS();
  display.reset();
  std::error_code ignored;
  if (result == 0) std::filesystem::remove_all(logs, ignored);
  return result;
}
