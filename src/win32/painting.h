// The main window's picture: the core's retained scene, drawn into a back
// buffer and copied to the window when the scene says so.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "gdi_owners.h"
#include "gdi_util.h"
#include "pixel_buffer.h"
#include "platform.h"
#include "scene.h"
#include "shell_windows.h"

namespace tintspot::win32 {

class MainPainter {
 public:
  explicit MainPainter(const ShellWindows& windows);
  MainPainter(const MainPainter&) = delete;
  MainPainter& operator=(const MainPainter&) = delete;

  // Each of these keeps the new content and redraws its control at once.
  void ShowPicture(Control control, const Picture& picture) {
    Redraw(scene_.SetPicture(control, picture));
  }
  void ShowSwatch(const PixelBuffer& swatch) { Redraw(scene_.SetSwatch(swatch)); }
  void ShowMagnifier(const PixelBuffer& view) { Redraw(scene_.SetMagnifier(view)); }
  void ShowLabel(Control label, const std::string& text) { Redraw(scene_.SetLabel(label, text)); }

  // A sampling tick, for the span of a scope: what it drew is shown at its
  // end, also when the scope ends in an error.
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
  // Before anything that runs a message loop of its own.
  void FlushBatch() { PresentNow(scene_.FlushBatch()); }

  // A repaint: BeginFrame redraws the retained scene within the update
  // rectangle, the core then paints what it paints, and EndFrame copies the
  // frame to the paint device context (and anything the core redrew outside
  // the update rectangle straight to the window).
  void BeginFrame(const RECT& update);
  void EndFrame(HDC paintDc);

 private:
  void Redraw(const Rect& area);
  void Compose(const Rect& area);
  void PaintText(const DrawOp& op);
  HFONT FontFor(const TextLook& look);
  void Present(HDC dc, const Rect& area);
  void PresentNow(const Scene::Copies& parts);

  const ShellWindows& windows_;
  Scene scene_{DesktopColour};
  DibSurface buffer_;  // the whole client area at full height
  // The fonts of the looks drawn so far; the one in use is selected into buffer_.
  std::map<const TextLook*, GdiObject<HFONT>> fonts_;
  std::optional<Selection> fontSelected_;
  const TextLook* lookSelected_ = nullptr;
  std::optional<TColor> textColour_;
};

}  // namespace tintspot::win32
