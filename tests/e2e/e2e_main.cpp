// Entry of the end-to-end test binary: one Xvfb and one Wine prefix for all its tests.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

#include "wait_until.h"
#include "wine_session.h"

namespace {

class SessionEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { e2e::WineSession::Shutdown(); }
};

}  // namespace

int main(int argc, char** argv) {
  auto start = std::chrono::steady_clock::now();
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new SessionEnvironment);
  int result = RUN_ALL_TESTS();
  std::cerr << "[e2e] total " << e2e::SecondsSince(start) << " s\n";
  return result;
}
