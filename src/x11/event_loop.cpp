#include "event_loop.h"

#include <poll.h>

#include <algorithm>
#include <utility>

namespace tintspot::x11 {

void EventLoop::AddWindow(Window window, Handler handler) {
  handlers_[window] = std::move(handler);
}

void EventLoop::RemoveWindow(Window window) { handlers_.erase(window); }

void EventLoop::AddFilter(Filter filter) { filters_.push_back(std::move(filter)); }

void EventLoop::StartTimer(int period_ms, std::function<void()> tick) {
  tick_ = std::move(tick);
  period_ = std::chrono::milliseconds(std::max(period_ms, 1));
  next_tick_ = Clock::now() + period_;
  timer_running_ = true;
}

void EventLoop::StopTimer() { timer_running_ = false; }

void EventLoop::Post(std::function<void()> task) { tasks_.push_back(std::move(task)); }

void EventLoop::NoteTime(const XEvent& event) {
  switch (event.type) {
    case KeyPress:
    case KeyRelease: last_time_ = event.xkey.time; break;
    case ButtonPress:
    case ButtonRelease: last_time_ = event.xbutton.time; break;
    case MotionNotify: last_time_ = event.xmotion.time; break;
    case EnterNotify:
    case LeaveNotify: last_time_ = event.xcrossing.time; break;
    case PropertyNotify: last_time_ = event.xproperty.time; break;
    case SelectionClear: last_time_ = event.xselectionclear.time; break;
    default: break;
  }
}

void EventLoop::Dispatch(XEvent& event) {
  NoteTime(event);
  for (const Filter& filter : filters_)
    if (filter(event)) return;
  const auto handler = handlers_.find(event.xany.window);
  if (handler == handlers_.end()) return;
  // A copy: the handler may remove its own window (or run a nested loop that does).
  Handler run = handler->second;
  run(event);
}

bool EventLoop::RunOneTask() {
  if (tasks_.empty()) return false;
  std::function<void()> task = std::move(tasks_.front());
  tasks_.pop_front();
  task();
  return true;
}

bool EventLoop::TickIfDue() {
  // A tick is not started inside a tick (a box opened by one runs the loop nested).
  if (!timer_running_ || in_tick_) return false;
  const Clock::time_point now = Clock::now();
  if (now < next_tick_) return false;
  next_tick_ += period_;
  if (next_tick_ <= now) next_tick_ = now + period_;
  in_tick_ = true;
  std::function<void()> tick = tick_;
  tick();
  in_tick_ = false;
  return true;
}

bool EventLoop::Wait(Clock::duration limit) {
  Clock::duration wait = limit;
  if (timer_running_ && !in_tick_) wait = std::min(wait, next_tick_ - Clock::now());
  if (wait <= Clock::duration::zero()) return false;
  // Rounded up: a wake-up a little before the deadline would only wait again.
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
  pollfd connection{ConnectionNumber(display_), POLLIN, 0};
  return poll(&connection, 1, static_cast<int>(std::min<long long>(ms, 60000))) != 0;
}

void EventLoop::RunUntil(const std::function<bool()>& done) {
  // Whether the connection may have something for us: not after a wait that ended on time
  // with nothing to read, nor after a tick that asked nothing of the server (and so read
  // nothing from it), so that an idle tick costs no read of its own.
  bool look = true;
  while (!done()) {
    // Events first, then the posted tasks (each waits for the event that posted it), and the
    // timer when nothing else waits, as Windows makes WM_TIMER only for an empty queue.
    // XPending also sends what the last event, task or tick asked of the server.
    if (look && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      Dispatch(event);
      continue;
    }
    look = true;
    if (RunOneTask()) continue;
    const unsigned long asked = NextRequest(display_);
    if (TickIfDue()) {
      look = NextRequest(display_) != asked || XEventsQueued(display_, QueuedAlready) > 0;
      continue;
    }
    look = Wait(std::chrono::seconds(60));
  }
}

}  // namespace tintspot::x11
