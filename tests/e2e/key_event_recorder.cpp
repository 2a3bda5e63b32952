#include "key_event_recorder.h"

#include <poll.h>

#include <algorithm>
#include <stdexcept>

namespace e2e {

KeyEventRecorder::KeyEventRecorder(Display* display, KeyCode key) : display_(display), key_(key) {
  int major = 0, minor = 0;
  if (!XRecordQueryVersion(display_, &major, &minor))
    throw std::runtime_error("X server has no RECORD extension");
  data_ = XOpenDisplay(DisplayString(display_));
  if (data_ == nullptr) throw std::runtime_error("cannot open a second connection for RECORD");
  XRecordRange* range = XRecordAllocRange();
  range->device_events.first = KeyPress;
  range->device_events.last = KeyRelease;
  XRecordClientSpec clients = XRecordAllClients;
  context_ = XRecordCreateContext(display_, 0, &clients, 1, &range, 1);
  XFree(range);
  XSync(display_, False);
  // The context records once the server has enabled it, which it answers with the start of
  // the data: only then may the key go down.
  if (context_ == 0 ||
      !XRecordEnableContextAsync(data_, context_, &Intercept, reinterpret_cast<XPointer>(this)) ||
      !WaitUntil([this] { return started_; }, std::chrono::milliseconds(5000))) {
    Close();
    throw std::runtime_error("RECORD did not start recording");
  }
}

KeyEventRecorder::~KeyEventRecorder() { Close(); }

void KeyEventRecorder::Close() {
  if (context_ != 0) {
    XRecordDisableContext(display_, context_);
    XSync(display_, False);
    if (started_) WaitUntil([this] { return ended_; }, std::chrono::milliseconds(2000));
    XRecordFreeContext(display_, context_);
    XSync(display_, False);
    context_ = 0;
  }
  if (data_ != nullptr) XCloseDisplay(data_);
  data_ = nullptr;
}

void KeyEventRecorder::Intercept(XPointer self, XRecordInterceptData* data) {
  KeyEventRecorder& recorder = *reinterpret_cast<KeyEventRecorder*>(self);
  switch (data->category) {
    case XRecordStartOfData: recorder.started_ = true; break;
    case XRecordEndOfData: recorder.ended_ = true; break;
    case XRecordFromServer:
      // A recorded device event is the event as the server sends it: its type, then the key.
      if (data->data_len * 4 >= 2 && data->data[1] == recorder.key_) {
        const int type = data->data[0] & 0x7f;
        if (type == KeyPress) ++recorder.presses_;
        if (type == KeyRelease) ++recorder.releases_;
      }
      break;
    default: break;
  }
  XRecordFreeData(data);
}

bool KeyEventRecorder::WaitUntil(const std::function<bool()>& done,
                                 std::chrono::milliseconds limit) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point end = Clock::now() + limit;
  while (true) {
    XRecordProcessReplies(data_);
    if (done()) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    if (left.count() <= 0) return false;
    pollfd connection{ConnectionNumber(data_), POLLIN, 0};
    poll(&connection, 1, int(std::min<long long>(left.count(), 10)));
  }
}

}  // namespace e2e
