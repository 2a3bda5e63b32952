// Counts the presses and releases of one key that the X server makes, its auto-repeats
// included, through the RECORD extension: it sees the server's device events before they go to
// any window, so it counts the same whichever client has the keyboard.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/record.h>

#include <chrono>
#include <functional>

namespace e2e {

class KeyEventRecorder {
 public:
  // Records from the moment it returns; throws std::runtime_error without RECORD.
  KeyEventRecorder(Display* display, KeyCode key);
  ~KeyEventRecorder();
  KeyEventRecorder(const KeyEventRecorder&) = delete;
  KeyEventRecorder& operator=(const KeyEventRecorder&) = delete;

  // Takes in what the server has recorded until `done()` holds; false when `limit` ran out.
  bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);
  int presses() const { return presses_; }
  int releases() const { return releases_; }

 private:
  static void Intercept(XPointer self, XRecordInterceptData* data);
  void Close();

  Display* display_;
  Display* data_ = nullptr;  // RECORD sends its data on a connection of its own
  XRecordContext context_ = 0;
  KeyCode key_;
  bool started_ = false, ended_ = false;
  int presses_ = 0, releases_ = 0;
};

}  // namespace e2e
