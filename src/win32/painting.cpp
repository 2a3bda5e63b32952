#include "painting.h"

#include <stdexcept>

#include "gdi_owners.h"
#include "main_layout.h"
#include "tick_profile.h"

namespace tintspot::win32 {

MainPainter::MainPainter(const ShellWindows& windows)
    : ScenePainter(DesktopColour), windows_(windows) {
  if (!buffer_.Create(kMainWidth, kMainHeightFull))
    throw std::runtime_error("Cannot create the window's drawing surface");
  SetBkMode(buffer_.dc(), TRANSPARENT);
  Compose(kClientArea);
}

void MainPainter::BeginFrame(const RECT& update) { Compose(scene_.BeginRepaint(FromRECT(update))); }

void MainPainter::EndFrame(HDC paintDc) {
  const Scene::RepaintEnd end = scene_.EndRepaint();
  Present(paintDc, end.repainted);
  // The paint DC is clipped to the update region, which need not be the whole
  // of its bounding rectangle: what changed while painting is shown directly.
  PresentNow(end.redrawn);
}

void MainPainter::Compose(const Rect& area) {
  profile::Stage stage("compose into back buffer");
  const std::vector<DrawOp>& ops = scene_.Compose(area);
  if (ops.empty()) return;
  GdiFlush();
  RasterImage image{buffer_.bits(), buffer_.width(), buffer_.height()};
  for (const DrawOp& op : ops) {
    if (op.kind == DrawKind::Text) {
      PaintText(op);
    } else {
      Rasterise(op, image);
    }
  }
}

HFONT MainPainter::FontFor(const TextLook& look) {
  GdiObject<HFONT>& font = fonts_[&look];
  if (!font) font.Reset(CreateFontFor(look.font));
  return font.get();
}

void MainPainter::PaintText(const DrawOp& op) {
  HDC dc = buffer_.dc();
  if (lookSelected_ != op.look) {
    fontSelected_.reset();
    if (HFONT font = FontFor(*op.look)) fontSelected_.emplace(dc, font);
    lookSelected_ = op.look;
  }
  if (textColour_ != op.colour) SetTextColor(dc, op.colour);
  textColour_ = op.colour;
  UINT format = DT_NOPREFIX | DT_EXPANDTABS | DT_TOP;
  format |= op.look->align == TextAlign::Centre ? DT_CENTER : DT_LEFT;
  if (op.look->wordWrap) format |= DT_WORDBREAK;
  RECT box = ToRECT(op.box);
  IntersectClipRect(dc, op.clip.left, op.clip.top, op.clip.right, op.clip.bottom);
  DrawTextA(dc, op.text->c_str(), static_cast<int>(op.text->size()), &box, format);
  SelectClipRgn(dc, nullptr);
  GdiFlush();
}

void MainPainter::Present(HDC dc, const Rect& area) {
  if (area.IsEmpty()) return;
  BitBlt(dc, area.left, area.top, area.Width(), area.Height(), buffer_.dc(), area.left, area.top,
         SRCCOPY);
}

void MainPainter::PresentNow(const Scene::Copies& parts) {
  if (parts.empty() || !windows_.main) return;
  WindowDc dc = [this] {
    profile::Stage stage("window GetDC");
    return WindowDc(windows_.main);
  }();
  if (!dc) return;
  {
    profile::Stage stage("BitBlt to window");
    for (const Rect& part : parts) Present(dc.get(), part);
  }
  profile::Stage stage("window ReleaseDC");
  dc.Release();
}

}  // namespace tintspot::win32
