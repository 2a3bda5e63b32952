// What every shell's painter of the main window shares: the retained scene, every change
// redrawn into the shell's back buffer at once, and the redrawn parts copied to the window when
// the scene says so (at once, at the end of a sampling tick, or before a loop of its own).
#pragma once

#include <string>
#include <utility>

#include "pixel_buffer.h"
#include "platform.h"
#include "scene.h"

namespace tintspot {

class ScenePainter {
 public:
  explicit ScenePainter(Scene::SystemColours colours) : scene_(std::move(colours)) {}
  virtual ~ScenePainter() = default;
  ScenePainter(const ScenePainter&) = delete;
  ScenePainter& operator=(const ScenePainter&) = delete;

  // Each keeps the new content and redraws its control at once (shown at once, or at the
  // batch's end).
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
    explicit BatchScope(ScenePainter& painter) : painter_(painter) {
      painter_.PresentNow(painter_.scene_.BeginBatch());
    }
    ~BatchScope() { painter_.PresentNow(painter_.scene_.EndBatch()); }
    BatchScope(const BatchScope&) = delete;
    BatchScope& operator=(const BatchScope&) = delete;

   private:
    ScenePainter& painter_;
  };
  // Before anything that runs a loop of its own (a message box).
  void FlushBatch() { PresentNow(scene_.FlushBatch()); }

 protected:
  // Runs the scene's operations for `area` into the back buffer.
  virtual void Compose(const Rect& area) = 0;
  // Copies these parts of the back buffer to the window.
  virtual void PresentNow(const Scene::Copies& parts) = 0;

  void Redraw(const Rect& area) {
    Compose(area);
    PresentNow(scene_.Redrawn(area));
  }

  Scene scene_;
};

}  // namespace tintspot
