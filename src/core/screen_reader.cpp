#include "screen_reader.h"

#include <algorithm>

namespace tintspot {

ScreenPoint ScreenReader::Cursor() {
  if (const std::optional<ScreenPoint> read = platform_.CursorPosition()) lastCursor_ = *read;
  return lastCursor_;
}

bool ScreenReader::IsOwnWindowAt(ScreenPoint point) {
  // The main window and its children lie within the main window's rectangle,
  // so only a point in it can be over them; elsewhere the answer is known
  // without asking the desktop, which costs several round trips under Wine.
  if (!platform_.WindowRect().Contains(point)) return false;
  const ProgramWindow window = platform_.WindowAt(point);
  return window == ProgramWindow::Main || window == ProgramWindow::ZoomList;
}

TColor ScreenReader::Capture(ScreenPoint origin, PixelBuffer& area, ScreenPoint point) {
  // Asked once until the display changes: asking costs several round trips
  // to the desktop at every tick under Wine.
  if (!layoutKnown_) {
    monitors_ = platform_.MonitorRects();
    exactCopies_ = platform_.ScreenBitsPerPixel() >= 24;
    layoutKnown_ = true;
  }
  lastRead_.reset();
  const Rect wanted = Rect::FromSize(origin.x, origin.y, area.Width(), area.Height());
  // What no monitor shows, and what a failed copy leaves, is black. Where the area lies on one
  // monitor and touches no other, that monitor's copy is the only one and writes every pixel,
  // and only its failure needs the black.
  int touching = 0;
  bool within = false;  // the area lies within the (last) monitor it touches
  for (const Rect& monitor : monitors_) {
    if (!monitor.Intersects(wanted)) continue;
    ++touching;
    within = monitor.Intersection(wanted) == wanted;
  }
  const bool onOneMonitor = touching == 1 && within;
  if (!onOneMonitor) area.Fill(kBlack);
  if (!platform_.BeginScreenRead()) {
    area.Fill(kBlack);
    return kClrInvalid;
  }
  struct Held {
    Platform& platform;
    ~Held() { platform.EndScreenRead(); }
  } held{platform_};

  bool pointCopied = false;
  bool allCopied = true;
  for (const Rect& monitor : monitors_) {
    const Rect part{std::max(wanted.left, monitor.left), std::max(wanted.top, monitor.top),
                    std::min(wanted.right, monitor.right), std::min(wanted.bottom, monitor.bottom)};
    if (part.Width() <= 0 || part.Height() <= 0) continue;
    const bool copied =
        platform_.CopyScreen(part, area, ScreenPoint{part.left - origin.x, part.top - origin.y});
    if (!copied && onOneMonitor) area.Fill(kBlack);
    pointCopied = pointCopied || (copied && part.Contains(point));
    allCopied = allCopied && copied;
  }
  // A read of the one pixel answers kClrInvalid only for a point off the
  // screen or a screen it cannot read; the copy holds point only when point
  // lies on a monitor and the copy of that part succeeded.
  const TColor colour = pointCopied && exactCopies_
                            ? area.At(point.x - origin.x, point.y - origin.y)
                            : platform_.ScreenPixel(point);
  if (allCopied && colour != kClrInvalid) lastRead_ = Read{wanted, point, colour};
  return colour;
}

std::optional<TColor> ScreenReader::Unchanged(const Rect& area, ScreenPoint point) {
  const bool changed = platform_.ScreenChangedIn(area);
  if (changed || !lastRead_ || !(lastRead_->area == area) || lastRead_->point != point)
    return std::nullopt;
  return lastRead_->colour;
}

}  // namespace tintspot
