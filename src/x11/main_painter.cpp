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
  const int y = op.box.top;
  const CoverageMask mask = face.Render(text);
  const std::uint32_t ink = ToRasterPixel(op.colour);
  // Only the mask's part inside the clip is drawn.
  const Rect drawn = Rect::FromSize(x, y, mask.width, mask.height).Intersection(op.clip);
  for (int ty = drawn.top; ty < drawn.bottom; ++ty) {
    const std::uint8_t* cover = &mask.coverage[std::size_t(ty - y) * std::size_t(mask.width)];
    std::uint32_t* row = image.bits + std::size_t(ty) * std::size_t(image.width);
    for (int tx = drawn.left; tx < drawn.right; ++tx) {
      const unsigned a = cover[tx - x];
      if (a == 0) continue;
      std::uint32_t& pixel = row[tx];
      if (a == 255) {  // all the labels' text: they are drawn without smoothing
        pixel = ink;
        continue;
      }
      std::uint32_t mixed = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned fg = (ink >> shift) & 0xFFu, bg = (pixel >> shift) & 0xFFu;
        mixed |= ((fg * a + bg * (255 - a) + 127) / 255) << shift;
      }
      pixel = mixed;
    }
  }
}

void MainPainter::PresentNow(const Scene::Copies& parts) {
  for (const Rect& part : parts) buffer_.Put(window_, gc_, part);
}

}  // namespace tintspot::x11
