// The main window's picture: the core's retained scene drawn into a 32-bit back buffer of the
// whole client area, the labels in Wine's fonts, and put into the window when the scene says so.
#pragma once

// clang-format off
#include "xlib_names.h"  // first: before any of the core's headers
// clang-format on

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "back_buffer.h"
#include "pixel_buffer.h"
#include "platform.h"
#include "scene.h"
#include "scene_painter.h"

namespace tintspot::x11 {

class MainPainter final : public ScenePainter {
 public:
  MainPainter(Display* display, Window window, Scene::SystemColours colours);
  ~MainPainter() override;

  // An exposure of `update`: the scene is redrawn there, `paint` (the core's Paint) runs, and
  // all of it reaches the window at the end, on every path.
  void Repaint(const Rect& update, const std::function<void()>& paint);

  // The colour the window shows at a client point (kClrInvalid outside it).
  TColor PixelAt(ScreenPoint client) const;

 private:
  void Compose(const Rect& area) override;
  void PaintText(const DrawOp& op, RasterImage& image);
  void PresentNow(const Scene::Copies& parts) override;

  Display* display_;
  Window window_;
  GC gc_;
  BackBuffer buffer_;  // the client area at full height
};

}  // namespace tintspot::x11
