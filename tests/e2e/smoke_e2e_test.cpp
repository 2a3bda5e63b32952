// Tintspot.exe starts under Wine, shows its window and closes on request.
#include <iostream>

#include "e2e_fixture.h"

namespace e2e {
namespace {

class SmokeTest : public E2eTest {};

TEST_F(SmokeTest, MainWindowAppearsWithTheProgramsWidth) {
  TintspotApp app;
  ASSERT_TRUE(app.Start()) << app.Log();
  std::cerr << "[e2e] Tintspot.exe window shown after " << app.start_seconds() << " s\n";
  EXPECT_TRUE(app.Running());
  EXPECT_GT(app.ResidentKilobytes().value_or(0), 1000);  // a Wine process takes megabytes
  auto rect = app.Geometry();
  ASSERT_TRUE(rect.has_value());
  EXPECT_EQ(rect->width, 171);
  EXPECT_TRUE(rect->height == 125 || rect->height == 234) << ToString(*rect);
  EXPECT_GE(rect->x, 0);
  EXPECT_GE(rect->y, 0);
  EXPECT_LE(rect->x + rect->width, x().ScreenWidth());
  EXPECT_LE(rect->y + rect->height, x().ScreenHeight());
}

TEST_F(SmokeTest, CloseRequestEndsTheProcess) {
  TintspotApp app;
  ASSERT_TRUE(app.Start()) << app.Log();
  Window window = app.window();
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(app.Close()) << app.Log();
  std::cerr << "[e2e] closed after " << SecondsSince(start) << " s\n";
  EXPECT_EQ(app.exit_code(), 0);
  EXPECT_TRUE(WaitUntil([&] { return !x().IsWindowViewable(window); }, milliseconds(5000)));
}

}  // namespace
}  // namespace e2e
