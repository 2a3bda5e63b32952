#include "main_painter.h"

#include "draw_ops.h"
#include "font_files.h"
#include "main_layout.h"

namespace tintspot::x11 {

MainPainter::MainPainter(Display* display, Window window, Scene::SystemColours colours)
    : ScenePainter(std::move(colours)),
      display_(display),
      window_(window),
      gc_(XCreateGC(display, window, 0, nullptr)),
      buffer_(display, kMainWidth, kMainHeightFull) {
  Compose(kClientArea);
}

MainPainter::~MainPainter() { XFreeGC(display_, gc_); }

void MainPainter::Repaint(const Rect& update, const std::function<void()>& paint) {
  struct End {
    MainPainter& painter;
    ~End() {
      const Scene::RepaintEnd end = painter.scene_.EndRepaint();
      painter.PresentNow(Scene::Copies{end.repainted});
      painter.PresentNow(end.redrawn);
    }
  };
  Compose(scene_.BeginRepaint(update));
  const End end{*this};
  paint();
}

TColor MainPainter::PixelAt(ScreenPoint client) const {
  if (!kClientArea.Contains(client)) return kClrInvalid;
  const std::uint32_t xrgb =
      buffer_.bits()[std::size_t(client.y) * kMainWidth + std::size_t(client.x)];
  return MakeColor(xrgb >> 16, (xrgb >> 8) & 0xFFu, xrgb & 0xFFu);
}

void MainPainter::Compose(const Rect& area) {
  const std::vector<DrawOp>& ops = scene_.Compose(area);
  RasterImage image{buffer_.bits(), kMainWidth, kMainHeightFull};
  for (const DrawOp& op : ops) {
    if (op.kind == DrawKind::Text) {
      PaintText(op, image);
    } else {
      Rasterise(op, image);
    }
  }
}

void MainPainter::PaintText(const DrawOp& op, RasterImage& image) {
  // Single lines at the top of their box, centred by their measured extent as DrawText
  // centres them (the main window draws no wrapped text).
  const TextFace& face = FaceFor(op.look->font);
  const std::string& text = *op.text;
  const int x = op.look->align == TextAlign::Centre
                    ? (op.box.left + op.box.right - face.AdvanceWidth(text)) / 2
                    : op.box.left;
  face.DrawRaster(text, x, op.box.top, ToRasterPixel(op.colour), image, op.clip);
}

void MainPainter::PresentNow(const Scene::Copies& parts) {
  for (const Rect& part : parts) buffer_.Put(window_, gc_, part);
}

}  // namespace tintspot::x11
