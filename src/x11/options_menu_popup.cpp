#include "options_menu_popup.h"

#include <X11/keysym.h>

#include <cctype>
#include <chrono>
#include <memory>
#include <thread>

// Xlib's macros of the names of the core's enum members (write 0L for Xlib's None).
#undef None
#undef CursorShape

#include "monitors.h"
#include "options_menu_items.h"
#include "options_menu_look.h"
#include "widget_window.h"

namespace tintspot::x11 {
namespace {

// A menu that would cross the edge of its monitor's work area is moved back onto it.
Rect PlaceOnMonitor(Display* display, ScreenPoint top_left, const Rect& size) {
  Rect place = size.MovedTo(top_left.x, top_left.y);
  const std::vector<MonitorInfo> monitors = ReadMonitors(display);
  const MonitorInfo* nearest = nullptr;
  long best = 0;
  for (const MonitorInfo& monitor : monitors) {
    const Rect& b = monitor.bounds;
    const long dx = top_left.x < b.left     ? b.left - top_left.x
                    : top_left.x >= b.right ? top_left.x - b.right + 1
                                            : 0;
    const long dy = top_left.y < b.top       ? b.top - top_left.y
                    : top_left.y >= b.bottom ? top_left.y - b.bottom + 1
                                             : 0;
    const long distance = dx * dx + dy * dy;
    if (nearest == nullptr || distance < best) {
      nearest = &monitor;
      best = distance;
    }
  }
  if (nearest == nullptr) return place;
  const Rect& work = nearest->work;
  if (place.right > work.right) place = place.MovedTo(work.right - place.Width(), place.top);
  if (place.left < work.left) place = place.MovedTo(work.left, place.top);
  if (place.bottom > work.bottom) place = place.MovedTo(place.left, work.bottom - place.Height());
  if (place.top < work.top) place = place.MovedTo(place.left, work.top);
  return place;
}

// Grabs can fail for a moment while another client still holds one; a menu tries a while.
// The keyboard comes first: once the pointer is seen grabbed, keys reach the menu as well.
bool Grab(Display* display, Window window) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
  bool pointer = false, keyboard = false;
  while (true) {
    if (!keyboard)
      keyboard = XGrabKeyboard(display, window, False, GrabModeAsync, GrabModeAsync, CurrentTime) ==
                 GrabSuccess;
    if (!pointer)
      pointer = XGrabPointer(display, window, False,
                             ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                             GrabModeAsync, 0L, 0L, CurrentTime) == GrabSuccess;
    if ((pointer && keyboard) || std::chrono::steady_clock::now() >= end) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (pointer && keyboard) return true;
  if (pointer) XUngrabPointer(display, CurrentTime);
  if (keyboard) XUngrabKeyboard(display, CurrentTime);
  return false;
}

// The next item from `from` in direction `step`, round the menu (from -1: the first or last).
int NextItem(int from, int step) {
  const int count = int(kOptionsMenuItems.size());
  if (from < 0) return step > 0 ? 0 : count - 1;
  return (from + step + count) % count;
}

// The item whose accelerator a key press types, -1 for none.
int ItemOfKey(KeySym key) {
  if (key == 0 || key > 0xFF) return -1;
  for (std::size_t i = 0; i < kOptionsMenuItems.size(); ++i) {
    const OptionsMenuItem& item = kOptionsMenuItems[i];
    const unsigned char letter = static_cast<unsigned char>(item.text[item.accelerator]);
    if (std::toupper(letter) == std::toupper(int(key))) return int(i);
  }
  return -1;
}

}  // namespace

struct OptionsMenuPopup::Impl {
  EventLoop& loop;
  WidgetEvents events;
  std::unique_ptr<WidgetWindow> window;
  bool open = false;
  int highlighted = -1;
  MenuCommand chosen = MenuCommand{};

  void Highlight(int item) {
    if (item == highlighted) return;
    highlighted = item;
    DrawOptionsMenu(window->canvas(), highlighted);
    window->Present();
  }

  void Close(int item) {
    chosen = item >= 0 ? kOptionsMenuItems[std::size_t(item)].command : MenuCommand{};
    open = false;
  }

  void Key(XKeyEvent& key) {
    if (events.key_press) events.key_press(key);
    if (!open) return;
    const KeySym symbol = XLookupKeysym(&key, 0);
    switch (symbol) {
      case XK_Up:
      case XK_KP_Up: Highlight(NextItem(highlighted, -1)); return;
      case XK_Down:
      case XK_KP_Down: Highlight(NextItem(highlighted, 1)); return;
      case XK_Return:
      case XK_KP_Enter: Close(highlighted); return;
      case XK_Escape: Close(-1); return;
      default: break;
    }
    const int item = ItemOfKey(symbol);
    if (item >= 0) Close(item);
  }

  // Every pointer event comes here while the menu holds the grab, relative to the menu.
  void Handle(XEvent& event) {
    switch (event.type) {
      case Expose: window->HandleExpose(event); break;
      case MotionNotify: Highlight(OptionsMenuItemAt({event.xmotion.x, event.xmotion.y})); break;
      case ButtonPress: {
        const Rect inside = Rect::FromSize(0, 0, window->where().Width(), window->where().Height());
        if (!inside.Contains({event.xbutton.x, event.xbutton.y})) Close(-1);
        break;
      }
      case ButtonRelease: {
        if (event.xbutton.button != Button1 && event.xbutton.button != Button3) break;
        const int item = OptionsMenuItemAt({event.xbutton.x, event.xbutton.y});
        if (item >= 0) Close(item);
        break;
      }
      case KeyPress: Key(event.xkey); break;
      case FocusIn:
      case FocusOut:
        if (events.focus_change) events.focus_change(event.xfocus);
        // Another client's grab takes the keyboard away from the menu: that dismisses it.
        if (event.type == FocusOut && event.xfocus.mode == NotifyGrab && open) Close(-1);
        break;
      default: break;
    }
  }
};

OptionsMenuPopup::OptionsMenuPopup(EventLoop& loop, WidgetEvents events)
    : impl_(new Impl{loop, std::move(events), nullptr}) {
  WidgetWindowSetup setup;
  setup.where = OptionsMenuSize();
  setup.name = "mnuOptions";
  setup.events = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                 KeyReleaseMask | FocusChangeMask;
  impl_->window = std::make_unique<WidgetWindow>(loop.display(), setup);
  Impl* impl = impl_;
  loop.AddWindow(impl_->window->id(), [impl](XEvent& event) { impl->Handle(event); });
}

OptionsMenuPopup::~OptionsMenuPopup() {
  impl_->loop.RemoveWindow(impl_->window->id());
  delete impl_;
}

MenuCommand OptionsMenuPopup::Track(ScreenPoint top_left) {
  Impl& impl = *impl_;
  if (impl.open) return MenuCommand{};
  Display* display = impl.loop.display();
  WidgetWindow& window = *impl.window;
  window.Place(PlaceOnMonitor(display, top_left, OptionsMenuSize()));
  impl.highlighted = -1;
  impl.chosen = MenuCommand{};
  DrawOptionsMenu(window.canvas(), impl.highlighted);
  window.Map();
  if (!WaitViewable(display, window.id(), 1000) || !Grab(display, window.id())) {
    window.Unmap();
    XFlush(display);
    return MenuCommand{};
  }
  window.Present();
  impl.open = true;
  impl.loop.RunUntil([&impl] { return !impl.open; });
  XUngrabKeyboard(display, CurrentTime);
  XUngrabPointer(display, CurrentTime);
  window.Unmap();
  XFlush(display);
  return impl.chosen;
}

Window OptionsMenuPopup::window() const { return impl_->open ? impl_->window->id() : 0; }

}  // namespace tintspot::x11
