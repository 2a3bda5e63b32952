#include "clipboard_owner.h"

#include <X11/Xatom.h>

namespace tintspot::x11 {

std::string Utf8ToLatin1(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    unsigned code = lead;
    if (length > 1) {
      code = lead & (0x3Fu >> (length - 1));
      for (int k = 1; k < length; ++k) {
        const auto next = i + k < utf8.size() ? static_cast<unsigned char>(utf8[i + k]) : 0;
        if ((next & 0xC0u) != 0x80u) {
          length = k;
          code = 0x100;  // broken sequence
          break;
        }
        code = (code << 6) | (next & 0x3Fu);
      }
    } else if (lead >= 0x80) {
      code = 0x100;  // stray continuation byte
    }
    out += code <= 0xFF ? static_cast<char>(code) : '?';
    i += size_t(length);
  }
  return out;
}

ClipboardOwner::ClipboardOwner(Display* display, Window window)
    : display_(display),
      window_(window),
      clipboard_(XInternAtom(display, "CLIPBOARD", False)),
      targets_(XInternAtom(display, "TARGETS", False)),
      utf8_(XInternAtom(display, "UTF8_STRING", False)),
      text_atom_(XInternAtom(display, "TEXT", False)) {}

bool ClipboardOwner::Take(const std::string& utf8, Time time) {
  text_ = utf8;
  taken_at_ = time;
  XSetSelectionOwner(display_, clipboard_, window_, time);
  owns_ = XGetSelectionOwner(display_, clipboard_) == window_;
  return owns_;
}

bool ClipboardOwner::HandleEvent(const XEvent& event) {
  if (event.type == SelectionClear && event.xselectionclear.window == window_ &&
      event.xselectionclear.selection == clipboard_) {
    owns_ = false;
    return true;
  }
  if (event.type == SelectionRequest && event.xselectionrequest.owner == window_) {
    Answer(event.xselectionrequest);
    return true;
  }
  return false;
}

void ClipboardOwner::Answer(const XSelectionRequestEvent& request) {
  XSelectionEvent reply{};
  reply.type = SelectionNotify;
  reply.display = display_;
  reply.requestor = request.requestor;
  reply.selection = request.selection;
  reply.target = request.target;
  reply.time = request.time;
  // Old clients name no property: the target is the property then.
  const Atom property = request.property != None ? request.property : request.target;
  reply.property = None;
  const bool ours =
      owns_ && request.selection == clipboard_ &&
      (request.time == CurrentTime || taken_at_ == CurrentTime || request.time >= taken_at_);
  if (ours) {
    if (request.target == targets_) {
      const Atom offered[] = {targets_, utf8_, XA_STRING, text_atom_};
      XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(offered), 4);
      reply.property = property;
    } else if (request.target == utf8_ || request.target == text_atom_) {
      XChangeProperty(display_, request.requestor, property, utf8_, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(text_.data()), int(text_.size()));
      reply.property = property;
    } else if (request.target == XA_STRING) {
      const std::string latin1 = Utf8ToLatin1(text_);
      XChangeProperty(display_, request.requestor, property, XA_STRING, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(latin1.data()), int(latin1.size()));
      reply.property = property;
    }
  }
  XSendEvent(display_, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
  XFlush(display_);
}

}  // namespace tintspot::x11
