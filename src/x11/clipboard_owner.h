// Owns the CLIPBOARD selection with a text and answers the programs that ask for it.
//
// Offered targets: TARGETS, UTF8_STRING, STRING (Latin-1) and TEXT (answered as UTF8_STRING);
// any other target is refused. The texts are short, so INCR transfers are not needed.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace tintspot::x11 {

class ClipboardOwner {
 public:
  // `window` is ours and receives the selection events.
  ClipboardOwner(Display* display, Window window);

  // Takes the selection with `utf8` at `time` (the time of the event that asked for the copy).
  // False when the server gave the selection to someone else.
  bool Take(const std::string& utf8, Time time);
  bool Owns() const { return owns_; }
  const std::string& text() const { return text_; }
  Window window() const { return window_; }
  Display* display() const { return display_; }

  // SelectionRequest (answered) and SelectionClear (the selection is gone); true when the
  // event was one of them for this owner.
  bool HandleEvent(const XEvent& event);

 private:
  void Answer(const XSelectionRequestEvent& request);

  Display* display_;
  Window window_;
  Atom clipboard_, targets_, utf8_, text_atom_;
  bool owns_ = false;
  Time taken_at_ = CurrentTime;
  std::string text_;
};

// `utf8` in Latin-1, characters beyond it as '?'.
std::string Utf8ToLatin1(const std::string& utf8);

}  // namespace tintspot::x11
