#include "help_popup_window.h"

#include <memory>

// Xlib's macros of the names of the core's enum members (write 0L for Xlib's None).
#undef None
#undef CursorShape

#include "desktop_look.h"
#include "font_files.h"
#include "help_content.h"
#include "text_layout.h"
#include "widget_window.h"

namespace tintspot::x11 {
namespace {

// The popup's picture: the background, the border along its outermost pixels, then the items in
// their order, each in its own font, the later ones over the earlier ones.
void Compose(PixelBuffer& canvas) {
  const Rect all = Rect::FromSize(0, 0, kHelpWidth, kHelpHeight);
  FillBox(canvas, all, kHelpBackground);
  FrameBox(canvas, all, kHelpBorder);
  for (const HelpItem& item : kHelpItems) {
    const HelpKindLook& look = LookOf(item.kind);
    const TextFace& face = FaceFor(look.font);
    const std::vector<TextLine> lines =
        LayOutText(face, item.text, item.box.Width(), look.wordWrap, true);
    const Rect box = look.sizedToText ? SizedToLines(face, lines, item.box) : item.box;
    if (look.ownBackground) FillBox(canvas, box, kHelpBackground);
    const TColor ink = look.ink ? SchemeColour(*look.ink) : kBlack;
    DrawLines(face, lines, box, ink, canvas, all);
  }
}

}  // namespace

struct HelpPopupWindow::Impl {
  EventLoop& loop;
  WidgetEvents events;
  std::unique_ptr<WidgetWindow> window;
  bool shown = false;
  bool composed = false;

  void Handle(XEvent& event) {
    if (event.type == Expose) {
      window->HandleExpose(event);
    } else {
      events.Forward(event);
    }
  }
};

HelpPopupWindow::HelpPopupWindow(EventLoop& loop, WidgetEvents events)
    : impl_(new Impl{loop, std::move(events), nullptr}) {
  WidgetWindowSetup setup;
  setup.where = Rect::FromSize(0, 0, kHelpWidth, kHelpHeight);
  setup.name = "frmHelp";
  setup.events = KeyPressMask | KeyReleaseMask | FocusChangeMask | ButtonPressMask;
  impl_->window = std::make_unique<WidgetWindow>(loop.display(), setup);
  Impl* impl = impl_;
  loop.AddWindow(impl_->window->id(), [impl](XEvent& event) { impl->Handle(event); });
}

HelpPopupWindow::~HelpPopupWindow() {
  Destroy();
  delete impl_;
}

void HelpPopupWindow::Show(ScreenPoint top_left) {
  WidgetWindow* window = impl_->window.get();
  if (window == nullptr) return;
  if (!impl_->composed) {
    Compose(window->canvas());
    impl_->composed = true;
  }
  Display* display = impl_->loop.display();
  window->Place(Rect::FromSize(top_left.x, top_left.y, kHelpWidth, kHelpHeight));
  XRaiseWindow(display, window->id());
  window->Map();
  impl_->shown = true;
  // The keyboard comes with the showing, as with an activated window; the focus can only go
  // to a window that is viewable.
  if (WaitViewable(display, window->id(), 1000))
    XSetInputFocus(display, window->id(), RevertToParent, CurrentTime);
  window->Present();
  XFlush(display);
}

void HelpPopupWindow::Hide() {
  if (impl_->window == nullptr) return;
  impl_->window->Unmap();
  impl_->shown = false;
  XFlush(impl_->loop.display());
}

void HelpPopupWindow::Destroy() {
  if (impl_->window == nullptr) return;
  impl_->loop.RemoveWindow(impl_->window->id());
  impl_->window.reset();
  impl_->shown = false;
}

bool HelpPopupWindow::Shown() const { return impl_->shown; }

Window HelpPopupWindow::window() const {
  return impl_->window != nullptr ? impl_->window->id() : 0;
}

}  // namespace tintspot::x11
