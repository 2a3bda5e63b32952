#include "painting.h"

#include <algorithm>
#include <stdexcept>

#include "gdi_owners.h"
#include "main_layout.h"
#include "tick_profile.h"

namespace tintspot::win32 {
namespace {

constexpr TColor kLabelText = MakeColor(0, 51, 128);
constexpr TColor kMagFramePen = MakeColor(129, 127, 130);
constexpr RECT kClient{0, 0, kMainWidth, kMainHeightFull};

RECT BoundsOf(Control control) { return ToRECT(InfoOf(control).bounds); }

}  // namespace

MainPainter::MainPainter(const ShellWindows& windows) : windows_(windows) {
  if (!buffer_.Create(kMainWidth, kMainHeightFull))
    throw std::runtime_error("Cannot create the window's drawing surface");
  labelFont_.Reset(CreatePixelFont("Tahoma", -9, false));
  if (labelFont_) labelFontSelected_.emplace(buffer_.dc(), labelFont_.get());
  SetBkMode(buffer_.dc(), TRANSPARENT);
  SetTextColor(buffer_.dc(), kLabelText);
  Compose(kClient);
}

void MainPainter::ShowPicture(Control control, const Picture& picture) {
  pictures_[control] = picture;
  Redraw(BoundsOf(control));
}

void MainPainter::ShowSwatch(const PixelBuffer& swatch) {
  swatch_ = swatch;
  Redraw(BoundsOf(Control::Pixel));
}

void MainPainter::ShowMagnifier(const PixelBuffer& view) {
  magnifier_ = view;
  Redraw(BoundsOf(Control::pbMag));
}

void MainPainter::ShowLabel(Control label, const std::string& text) {
  labels_[label] = text;
  Redraw(BoundsOf(label));
}

void MainPainter::BeginBatch() {
  // A tick inside a message loop that runs within another tick first shows
  // what the outer one drew so far.
  PresentBatch();
  ++batches_;
}

void MainPainter::EndBatch() {
  --batches_;
  PresentBatch();
}

void MainPainter::PresentBatch() {
  if (!IsRectEmpty(&batched_)) PresentNow(batched_);
  batched_ = RECT{};
}

void MainPainter::BeginFrame(const RECT& update) {
  IntersectRect(&frame_, &update, &kClient);
  pending_ = RECT{};
  framing_ = true;
  Compose(frame_);
}

void MainPainter::EndFrame(HDC paintDc) {
  framing_ = false;
  Present(paintDc, frame_);
  // The paint DC is clipped to the update region, which need not be the whole
  // of its bounding rectangle: what changed while painting is shown directly.
  if (!IsRectEmpty(&pending_)) PresentNow(pending_);
  pending_ = RECT{};
}

void MainPainter::Redraw(const RECT& area) {
  Compose(area);
  RECT joined;
  if (framing_) {
    UnionRect(&joined, &pending_, &area);
    pending_ = joined;
  } else if (batches_ > 0) {
    UnionRect(&joined, &batched_, &area);
    batched_ = joined;
  } else {
    PresentNow(area);
  }
}

// Draws the retained scene within area in the window's painting order.
void MainPainter::Compose(const RECT& area) {
  profile::Stage stage("compose into back buffer");
  RECT clip;
  if (!IntersectRect(&clip, &area, &kClient)) return;
  GdiFlush();
  const std::uint32_t face = ToDibPixel(GetSysColor(COLOR_BTNFACE));
  for (int y = clip.top; y < clip.bottom; ++y)
    for (int x = clip.left; x < clip.right; ++x) buffer_.bits()[y * buffer_.width() + x] = face;

  int count = 0;
  const ControlInfo* controls = MainControls(&count);
  for (int i = 0; i < count; ++i) {
    const ControlInfo& info = controls[i];
    const Rect& at = info.bounds;
    switch (info.control) {
      case Control::MagBG: DrawFrame(at, kMagFramePen, clip); break;
      case Control::Pixel:
        if (swatch_) DrawPixels(*swatch_, std::nullopt, at.left, at.top, clip);
        break;
      case Control::pbMag:
        if (magnifier_) DrawPixels(*magnifier_, std::nullopt, at.left, at.top, clip);
        break;
      default: {
        // A picture control or a label: whichever it has been given.
        DrawLabel(info.control, at, clip);
        const std::optional<Picture>& picture = pictures_[info.control];
        if (picture) DrawPixels(picture->pixels, picture->transparent, at.left, at.top, clip);
        break;
      }
    }
  }
}

void MainPainter::DrawPixels(const PixelBuffer& pixels, std::optional<TColor> transparent, int left,
                             int top, const RECT& clip) {
  const int x0 = std::max<int>(left, clip.left);
  const int y0 = std::max<int>(top, clip.top);
  const int x1 = std::min<int>(left + pixels.Width(), clip.right);
  const int y1 = std::min<int>(top + pixels.Height(), clip.bottom);
  for (int y = y0; y < y1; ++y) {
    std::uint32_t* row = buffer_.bits() + y * buffer_.width();
    for (int x = x0; x < x1; ++x) {
      const TColor colour = pixels.At(x - left, y - top);
      if (transparent && colour == *transparent) continue;
      row[x] = ToDibPixel(colour);
    }
  }
}

// A hollow rectangle drawn with a one-pixel pen.
void MainPainter::DrawFrame(const Rect& bounds, TColor pen, const RECT& clip) {
  const std::uint32_t pixel = ToDibPixel(pen);
  auto plot = [&](int x, int y) {
    if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom)
      buffer_.bits()[y * buffer_.width() + x] = pixel;
  };
  for (int x = bounds.left; x < bounds.right; ++x) {
    plot(x, bounds.top);
    plot(x, bounds.bottom - 1);
  }
  for (int y = bounds.top; y < bounds.bottom; ++y) {
    plot(bounds.left, y);
    plot(bounds.right - 1, y);
  }
}

// A label: centred, transparent, its text cut off at its bounds.
void MainPainter::DrawLabel(Control label, const Rect& bounds, const RECT& clip) {
  const std::string& text = labels_[label];
  RECT box = ToRECT(bounds);
  RECT visible;
  if (text.empty() || !IntersectRect(&visible, &box, &clip)) return;
  HDC dc = buffer_.dc();
  IntersectClipRect(dc, visible.left, visible.top, visible.right, visible.bottom);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box,
            DT_CENTER | DT_NOPREFIX | DT_EXPANDTABS);
  SelectClipRgn(dc, nullptr);
  GdiFlush();
}

void MainPainter::Present(HDC dc, const RECT& area) {
  if (IsRectEmpty(&area)) return;
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer_.dc(),
         area.left, area.top, SRCCOPY);
}

void MainPainter::PresentNow(const RECT& area) {
  if (!windows_.main) return;
  WindowDc dc = [this] {
    profile::Stage stage("window GetDC");
    return WindowDc(windows_.main);
  }();
  if (!dc) return;
  {
    profile::Stage stage("BitBlt to window");
    Present(dc.get(), area);
  }
  profile::Stage stage("window ReleaseDC");
  dc.Release();
}

}  // namespace tintspot::win32
