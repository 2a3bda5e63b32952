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

namespace tintspot::x11 {

class MainPainter {
 public:
  MainPainter(Display* display, Window window, Scene::SystemColours colours);
  ~MainPainter();
  MainPainter(const MainPainter&) = delete;
  MainPainter& operator=(const MainPainter&) = delete;

  // Each keeps the new content and redraws its control at once (or at the batch's end).
  void ShowPicture(Control control, const Picture& picture) {
    Redraw(scene_.SetPicture(control, picture));
  }
  void ShowSwatch(const PixelBuffer& swatch) { Redraw(scene_.SetSwatch(swatch)); }
  void ShowMagnifier(const PixelBuffer& view) { Redraw(scene_.SetMagnifier(view)); }
  void ShowLabel(Control label, const std::string& text) { Redraw(scene_.SetLabel(label, text)); }

  // A sampling tick, for the span of a scope: what it drew is shown at its end, also when the
  // scope ends in an error.
  class BatchScope {
   public:
    explicit BatchScope(MainPainter& painter) : painter_(painter) {
      painter_.PresentNow(painter_.scene_.BeginBatch());
    }
    ~BatchScope() { painter_.PresentNow(painter_.scene_.EndBatch()); }
    BatchScope(const BatchScope&) = delete;
    BatchScope& operator=(const BatchScope&) = delete;

   private:
    MainPainter& painter_;
  };
  // Before anything that runs a loop of its own (a message box).
  void FlushBatch() { PresentNow(scene_.FlushBatch()); }

  // An exposure of `update`: the scene is redrawn there, `paint` (the core's Paint) runs, and
  // all of it reaches the window at the end, on every path.
  void Repaint(const Rect& update, const std::function<void()>& paint);

  // The colour the window shows at a client point (kClrInvalid outside it).
  TColor PixelAt(ScreenPoint client) const;

 private:
  void Redraw(const Rect& area);
  void Compose(const Rect& area);
  void PaintText(const DrawOp& op, RasterImage& image);
  void PresentNow(const Scene::Copies& parts);

  Display* display_;
  Window window_;
  GC gc_;
  Scene scene_;
  BackBuffer buffer_;  // the client area at full height
};

}  // namespace tintspot::x11
