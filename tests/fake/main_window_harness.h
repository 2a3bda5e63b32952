// Helpers for driving the main window on the simulated desktop.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "frm_main.h"

namespace tintspot::testing {

// A screen on which every pixel of x and y in -4096..4095 has a colour of
// its own: x in the low twelve bits, y in the high twelve.
inline TColor PatternColour(int x, int y) {
  const unsigned ux = static_cast<unsigned>(x + 4096) & 0xFFFu;
  const unsigned uy = static_cast<unsigned>(y + 4096) & 0xFFFu;
  return ux | (uy << 12);
}

// The screen point of a client point of the main window.
inline ScreenPoint ScreenOfClient(const FakePlatform& desktop, ScreenPoint client) {
  return ScreenPoint{desktop.window.left + client.x, desktop.window.top + client.y};
}

// The calls logged from index from on.
inline std::vector<std::string> CallsSince(const FakePlatform& desktop, std::size_t from) {
  return std::vector<std::string>(desktop.calls.begin() + static_cast<std::ptrdiff_t>(from),
                                  desktop.calls.end());
}

// Checks a call log against steps: the steps in this order, the calls within
// a step in any order (only the order between steps matters), nothing more.
inline ::testing::AssertionResult CallsInSteps(const std::vector<std::string>& calls,
                                               const std::vector<std::vector<std::string>>& steps) {
  auto fail = [&](const std::string& why) {
    std::string text = why + "\n  calls:";
    for (const std::string& call : calls) text += " " + call + ";";
    return ::testing::AssertionFailure() << text;
  };
  std::size_t at = 0;
  for (std::size_t step = 0; step < steps.size(); ++step) {
    std::vector<std::string> expected = steps[step];
    if (calls.size() - at < expected.size()) return fail("too few calls");
    std::vector<std::string> actual(
        calls.begin() + static_cast<std::ptrdiff_t>(at),
        calls.begin() + static_cast<std::ptrdiff_t>(at + expected.size()));
    at += expected.size();
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    if (actual != expected) return fail("step " + std::to_string(step + 1) + " differs");
  }
  if (at != calls.size()) return fail("more calls than expected");
  return ::testing::AssertionSuccess();
}

// A press time long after the last: such presses are never a double-click.
inline std::uint32_t Apart() {
  static std::uint32_t time = 0;
  return time += 10000;
}

// A left, right or middle press and release at a client point.
inline void ClickAt(TfrmMain& main, ScreenPoint client, MouseButton button = MouseButton::Left,
                    std::uint32_t timeMs = Apart()) {
  main.MouseDown(client, button, timeMs);
  main.MouseUp(client, button);
}

// A left double-click: two clicks at the same place 100 ms apart.
inline void DoubleClickAt(TfrmMain& main, ScreenPoint client) {
  const std::uint32_t time = Apart();
  ClickAt(main, client, MouseButton::Left, time);
  ClickAt(main, client, MouseButton::Left, time + 100);
}

// Client points inside the controls the tests press.
// A repaint of the whole client area (the window uncovered or restored).
constexpr Rect kWholeClient{0, 0, 171, 234};

constexpr ScreenPoint kOnSwatch{130, 40};
constexpr ScreenPoint kOnImgMag{20, 115};
constexpr ScreenPoint kOnImgTop{120, 8};

// The client point of a point of the magnifier view.
constexpr ScreenPoint ClientOfView(int x, int y) { return ScreenPoint{2 + x, 126 + y}; }

}  // namespace tintspot::testing
