#include "tooltip_windows.h"

#include <chrono>
#include <memory>
#include <vector>

// Xlib's macros of the names of the core's enum members (write 0L for Xlib's None).
#undef None
#undef CursorShape

#include "desktop_look.h"
#include "font_files.h"
#include "monitors.h"
#include "tooltip_rules.h"
#include "widget_window.h"

namespace tintspot::x11 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The desktop's tooltip times: the rest before a tip shows, the shorter one before another
// tip shows while one is up, and how long a tip stays while the pointer rests.
constexpr milliseconds kInitialDelay{500}, kReshowDelay{100}, kAutoPop{5000};
// The tip's text in the status font, two pixels from its one-pixel frame; the tip's text box
// starts 20 pixels below the pointer.
constexpr FontSpec kTipFont{"Tahoma", 11, FontMeasure::Em, false};
constexpr int kTextMargin = 2, kBorder = 1, kBelowPointer = 20;
// What waits besides a tip: nothing, or hiding the tip that is up.
constexpr int kNothing = -1, kHideOnly = -2;

}  // namespace

struct TooltipWindows::Impl {
  explicit Impl(EventLoop& event_loop) : loop(event_loop) {}

  EventLoop& loop;
  std::vector<Tooltip> tips = MainTooltips();
  std::unique_ptr<WidgetWindow> window;
  int under = -1;          // the tip whose control is under the pointer (index in tips)
  int shown = -1;          // the tip on the screen
  int pending = kNothing;  // the tip waiting for its delay, kNothing or kHideOnly
  Clock::time_point show_at{}, hide_at{};
  ScreenPoint client{}, root{};

  int TipAt(ScreenPoint point) const {
    for (std::size_t i = 0; i < tips.size(); ++i)
      if (tips[i].bounds.Contains(point)) return int(i);
    return -1;
  }

  void Hide() {
    if (shown >= 0 && window) window->Unmap();
    shown = -1;
  }

  // Where a tip of `size` goes for the pointer at `root`, kept on the monitor's work area.
  Rect Place(const Rect& size, const Tooltip& tip) const {
    Rect place = size.MovedTo(root.x - kBorder, root.y + kBelowPointer - kBorder);
    const std::vector<MonitorInfo> monitors = ReadMonitors(loop.display());
    for (const MonitorInfo& monitor : monitors) {
      if (!monitor.bounds.Contains(root)) continue;
      const Rect& work = monitor.work;
      if (place.right > work.right)
        place = place.MovedTo(work.right - 2 - place.Width(), place.top);
      if (place.left < work.left) place = place.MovedTo(work.left, place.top);
      // Below the screen's bottom it goes above its control instead.
      if (place.bottom > work.bottom) {
        const int control_top = root.y - client.y + tip.bounds.top;
        place = place.MovedTo(place.left, control_top - 2 - place.Height());
      }
      break;
    }
    return place;
  }

  void Show(int index) {
    const Tooltip& tip = tips[std::size_t(index)];
    const TextFace& face = FaceFor(kTipFont);
    const int width = face.AdvanceWidth(tip.text) + 2 * (kTextMargin + kBorder);
    const int height = face.Height() + 2 * (kTextMargin + kBorder);
    const Rect place = Place(Rect{0, 0, width, height}, tip);
    if (!window) {
      WidgetWindowSetup setup;
      setup.where = place;
      setup.name = "tooltips_class32";
      window = std::make_unique<WidgetWindow>(loop.display(), setup);
      WidgetWindow* tip_window = window.get();
      loop.AddWindow(window->id(),
                     [tip_window](XEvent& event) { tip_window->HandleExpose(event); });
    }
    window->Place(place);
    PixelBuffer& canvas = window->canvas();
    const Rect all{0, 0, width, height};
    FillBox(canvas, all, scheme::kInfoBackground);
    FrameBox(canvas, all, scheme::kWindowFrame);
    face.Draw(tip.text, kBorder + kTextMargin, kBorder + kTextMargin, scheme::kInfoText, canvas,
              all);
    XRaiseWindow(loop.display(), window->id());
    window->Map();
    window->Present();
    XFlush(loop.display());
    shown = index;
    hide_at = Clock::now() + kAutoPop;
  }
};

// The tips learn of the main window's pointer from the shell, so the window itself is not needed.
TooltipWindows::TooltipWindows(EventLoop& loop, Window /*main*/) : impl_(new Impl(loop)) {}

TooltipWindows::~TooltipWindows() {
  if (impl_->window) impl_->loop.RemoveWindow(impl_->window->id());
  delete impl_;
}

void TooltipWindows::PointerMoved(ScreenPoint client, ScreenPoint root) {
  Impl& impl = *impl_;
  impl.client = client;
  impl.root = root;
  impl.under = impl.TipAt(client);
  const Clock::time_point now = Clock::now();
  if (impl.under != impl.shown) {
    // Every move restarts the wait, so a tip shows once the pointer rests on its control; while
    // a tip is up, the next one (or none) follows after the shorter delay.
    if (impl.shown >= 0) {
      impl.pending = impl.under >= 0 ? impl.under : kHideOnly;
      impl.show_at = now + kReshowDelay;
    } else {
      impl.pending = impl.under >= 0 ? impl.under : kNothing;
      impl.show_at = now + kInitialDelay;
    }
  } else if (impl.shown >= 0) {
    impl.hide_at = now + kAutoPop;
  }
  Update();
}

void TooltipWindows::ButtonPressed() {
  impl_->Hide();
  impl_->pending = kNothing;
}

void TooltipWindows::PointerLeft() {
  impl_->Hide();
  impl_->pending = kNothing;
  impl_->under = -1;
}

void TooltipWindows::Update() {
  Impl& impl = *impl_;
  const Clock::time_point now = Clock::now();
  if (impl.shown >= 0 && now >= impl.hide_at) impl.Hide();
  if (impl.pending != kNothing && now >= impl.show_at) {
    const int next = impl.pending;
    impl.pending = kNothing;
    impl.Hide();
    // The tip shows only if its control is still the one under the pointer.
    if (next >= 0 && next == impl.under) impl.Show(next);
  }
}

Window TooltipWindows::window() const { return impl_->window ? impl_->window->id() : 0; }

}  // namespace tintspot::x11
