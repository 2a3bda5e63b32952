// The X11 shell's one event loop: X events go to the handler of the window they are for, the
// sampling timer fires at its period, and tasks posted by the program run after the event being
// handled. Modal parts (the options menu, the message boxes, the title drag) run the loop nested
// with RunUntil, so ticks, repaints and posted tasks go on while they are open, as the core
// expects of a desktop's modal loops.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace tintspot::x11 {

class EventLoop {
 public:
  using Handler = std::function<void(XEvent&)>;
  // An event watcher: sees every event before the window handlers; true when it took the event.
  using Filter = std::function<bool(XEvent&)>;
  using Clock = std::chrono::steady_clock;

  explicit EventLoop(Display* display) : display_(display) {}
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;

  Display* display() const { return display_; }

  // The handler of the events of one window (replacing an earlier one).
  void AddWindow(Window window, Handler handler);
  void RemoveWindow(Window window);
  // Filters run in the order added, before any window handler (damage, RandR, selections).
  void AddFilter(Filter filter);

  // The sampling timer: `tick` every `period_ms` (as Windows' timers, a tick that comes late
  // is not made up for, and none is queued twice). StopTimer is safe inside a tick.
  void StartTimer(int period_ms, std::function<void()> tick);
  void StopTimer();
  bool TimerRunning() const { return timer_running_; }

  // Runs `task` once the event being handled is done, behind the tasks already waiting.
  void Post(std::function<void()> task);

  // Handles events, ticks and posted tasks until `done()` answers true (asked before waiting
  // and after every event, tick and task). Nested calls are fine.
  void RunUntil(const std::function<bool()>& done);

  // The server time of the last event that carried one (key, button, motion, crossing,
  // property, selection); CurrentTime before any.
  Time LastEventTime() const { return last_time_; }

 private:
  void Dispatch(XEvent& event);
  bool RunOneTask();
  bool TickIfDue();
  // Waits until the X connection has input or the timer is due (or `limit` has passed); false
  // when it ended without input.
  bool Wait(Clock::duration limit);
  void NoteTime(const XEvent& event);

  Display* display_;
  std::map<Window, Handler> handlers_;
  std::vector<Filter> filters_;
  std::deque<std::function<void()>> tasks_;
  std::function<void()> tick_;
  Clock::duration period_{};
  Clock::time_point next_tick_{};
  bool timer_running_ = false;
  bool in_tick_ = false;
  Time last_time_ = CurrentTime;
};

}  // namespace tintspot::x11
