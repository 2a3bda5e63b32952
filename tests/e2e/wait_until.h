// Waiting without fixed sleeps: poll a condition until it holds or a deadline passes.
#pragma once

#include <chrono>
#include <thread>

namespace e2e {

using std::chrono::milliseconds;

// Polls `condition` every `interval` until it returns true (result true) or `timeout` has passed
// (result false; the condition is evaluated once more at the deadline).
template <typename Condition>
bool WaitUntil(Condition condition, milliseconds timeout,
               milliseconds interval = milliseconds(20)) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(interval);
  }
}

// Checks that `condition` stays true for the whole of `duration` (for "must not change" checks).
template <typename Condition>
bool HoldsFor(Condition condition, milliseconds duration,
              milliseconds interval = milliseconds(20)) {
  auto deadline = std::chrono::steady_clock::now() + duration;
  for (;;) {
    if (!condition()) return false;
    if (std::chrono::steady_clock::now() >= deadline) return true;
    std::this_thread::sleep_for(interval);
  }
}

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace e2e
