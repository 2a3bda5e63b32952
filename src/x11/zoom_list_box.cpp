#include "zoom_list_box.h"

#include <algorithm>
#include <memory>

// Xlib's macros of the names of the core's enum members (write 0L for Xlib's None).
#undef None
#undef CursorShape

#include "magnifier.h"
#include "monitors.h"
#include "widget_window.h"
#include "zoom_list_look.h"
#include "zoom_list_metrics.h"

namespace tintspot::x11 {

struct ZoomListBox::Impl {
  EventLoop& loop;
  WidgetEvents events;
  std::function<void()> picked;
  std::unique_ptr<WidgetWindow> field;
  std::unique_ptr<WidgetWindow> list;
  int selection = -1;
  int highlighted = -1;  // in the dropped list
  bool enabled = true;
  bool focused = false;
  bool dropped = false;
  bool grabbed = false;

  Display* display() const { return loop.display(); }

  void PaintField() {
    const FieldState state = !enabled              ? FieldState::Disabled
                             : focused && !dropped ? FieldState::Focused
                                                   : FieldState::Normal;
    DrawZoomField(field->canvas(), selection, state);
    field->Present();
  }

  void PaintList() {
    DrawZoomDropDown(list->canvas(), highlighted);
    if (list->Mapped()) list->Present();
  }

  void DropDown() {
    if (dropped || !enabled) return;
    Window child = 0;
    int x = 0, y = 0;
    XTranslateCoordinates(display(), field->id(), DefaultRootWindow(display()), 0, 0, &x, &y,
                          &child);
    // Below the field, or above it where the work area ends before the list would.
    int top = y + kZoomClosedHeight;
    for (const MonitorInfo& monitor : ReadMonitors(display())) {
      if (!monitor.bounds.Contains({x, y})) continue;
      if (top + kZoomDroppedListHeight >= monitor.work.bottom) top = y - kZoomDroppedListHeight;
      break;
    }
    list->Place(Rect::FromSize(x, top, kZoomListBounds.Width(), kZoomDroppedListHeight));
    highlighted = selection;
    dropped = true;
    DrawZoomDropDown(list->canvas(), highlighted);
    list->Map();
    // Every press and release goes to the list while it is down, as the list's mouse capture
    // does on Windows: a press anywhere else closes it.
    if (WaitViewable(display(), list->id(), 1000)) {
      grabbed = XGrabPointer(display(), list->id(), False,
                             ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                             GrabModeAsync, 0L, 0L, loop.LastEventTime()) == GrabSuccess;
    }
    list->Present();
    PaintField();
  }

  // Closes the list; with `pick`, the highlighted item becomes the selection.
  void CloseUp(bool pick) {
    if (!dropped) return;
    dropped = false;
    if (grabbed) XUngrabPointer(display(), loop.LastEventTime());
    grabbed = false;
    list->Unmap();
    const bool changed = pick && highlighted >= 0 && highlighted != selection;
    if (changed) selection = highlighted;
    PaintField();
    XFlush(display());
    if (changed && picked) picked();
  }

  // Moves the selection of the closed field (or the highlight of the dropped list) to `index`,
  // kept within the items.
  void MoveTo(int index) {
    index = std::clamp(index, 0, kZoomLevels - 1);
    if (dropped) {
      if (index == highlighted) return;
      highlighted = index;
      PaintList();
      return;
    }
    if (index == selection) return;
    selection = index;
    PaintField();
    if (picked) picked();
  }

  void FieldEvent(XEvent& event) {
    switch (event.type) {
      case Expose: field->HandleExpose(event); break;
      case ButtonPress:
        if (!enabled) break;
        if (event.xbutton.button == Button1) {
          XSetInputFocus(display(), field->id(), RevertToParent, event.xbutton.time);
          DropDown();
        } else if (focused &&
                   (event.xbutton.button == Button4 || event.xbutton.button == Button5)) {
          // The wheel turns the selection of the focused field, an item a notch.
          MoveTo(selection + (event.xbutton.button == Button4 ? -1 : 1));
        }
        break;
      default: events.Forward(event); break;
    }
  }

  // The list's events, every pointer event among them while it holds the grab (with its
  // coordinates relative to the list, wherever the pointer is).
  void ListEvent(XEvent& event) {
    switch (event.type) {
      case Expose: list->HandleExpose(event); break;
      case MotionNotify: {
        const int item = ZoomItemAt(event.xmotion.x, event.xmotion.y);
        if (item >= 0 && item != highlighted) {
          highlighted = item;
          PaintList();
        }
        break;
      }
      case ButtonPress: {
        const ScreenPoint at{event.xbutton.x, event.xbutton.y};
        const Rect inside = Rect::FromSize(0, 0, list->where().Width(), list->where().Height());
        // A press on the field closes the list as well: it is the press that toggles it.
        if (!inside.Contains(at)) CloseUp(false);
        break;
      }
      case ButtonRelease: {
        if (event.xbutton.button != Button1) break;
        const int item = ZoomItemAt(event.xbutton.x, event.xbutton.y);
        if (item >= 0) {
          highlighted = item;
          CloseUp(true);
        }
        break;
      }
      default: break;
    }
  }
};

ZoomListBox::ZoomListBox(EventLoop& loop, Window parent, WidgetEvents events,
                         std::function<void()> picked)
    : impl_(new Impl{loop, std::move(events), std::move(picked), nullptr, nullptr}) {
  WidgetWindowSetup field;
  field.parent = parent;
  field.where = kZoomListBounds;
  field.override_redirect = false;
  field.events =
      ButtonPressMask | ButtonReleaseMask | KeyPressMask | KeyReleaseMask | FocusChangeMask;
  impl_->field = std::make_unique<WidgetWindow>(loop.display(), field);
  WidgetWindowSetup list;
  list.where = Rect::FromSize(0, 0, kZoomListBounds.Width(), kZoomDroppedListHeight);
  list.name = "cboZoom";
  list.events = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  impl_->list = std::make_unique<WidgetWindow>(loop.display(), list);
  Impl* impl = impl_;
  loop.AddWindow(impl_->field->id(), [impl](XEvent& event) { impl->FieldEvent(event); });
  loop.AddWindow(impl_->list->id(), [impl](XEvent& event) { impl->ListEvent(event); });
  impl_->PaintField();
  impl_->field->Map();
}

ZoomListBox::~ZoomListBox() {
  impl_->CloseUp(false);
  impl_->loop.RemoveWindow(impl_->field->id());
  impl_->loop.RemoveWindow(impl_->list->id());
  delete impl_;
}

Window ZoomListBox::field() const { return impl_->field->id(); }
Window ZoomListBox::drop_down() const { return impl_->list->id(); }
bool ZoomListBox::DroppedDown() const { return impl_->dropped; }
int ZoomListBox::Selection() const { return impl_->selection; }

void ZoomListBox::Select(int index) {
  impl_->selection = index >= 0 && index < kZoomLevels ? index : -1;
  impl_->highlighted = impl_->selection;
  impl_->PaintField();
  if (impl_->dropped) impl_->PaintList();
}

void ZoomListBox::Enable(bool enabled) {
  if (!enabled) impl_->CloseUp(false);
  impl_->enabled = enabled;
  impl_->PaintField();
}

void ZoomListBox::SetFocused(bool focused) {
  if (!focused) impl_->CloseUp(false);
  impl_->focused = focused;
  impl_->PaintField();
}

void ZoomListBox::HandleKey(Key key, ShiftState shift) {
  Impl& impl = *impl_;
  if (!impl.enabled) return;
  const int at = impl.dropped ? impl.highlighted : impl.selection;
  const bool toggle = key == Key::F4 || (shift.alt && (key == Key::Up || key == Key::Down));
  if (toggle) {
    if (impl.dropped) {
      impl.CloseUp(true);
    } else {
      impl.DropDown();
    }
    return;
  }
  switch (key) {
    case Key::Up:
    case Key::Left: impl.MoveTo(at < 0 ? 0 : at - 1); break;
    case Key::Down:
    case Key::Right: impl.MoveTo(at + 1); break;
    case Key::Home: impl.MoveTo(0); break;
    case Key::End: impl.MoveTo(kZoomLevels - 1); break;
    // A page is the items the list shows at once, less the one kept in view.
    case Key::PageUp: impl.MoveTo(at - (kZoomLevels - 1)); break;
    case Key::PageDown: impl.MoveTo(at + (kZoomLevels - 1)); break;
    case Key::Enter: impl.CloseUp(true); break;
    case Key::Escape: impl.CloseUp(false); break;
    default: break;
  }
}

}  // namespace tintspot::x11
