// The main window's picture: a retained scene (the picture of every picture
// control, the label texts, the last swatch and the last magnifier view)
// composed into a back buffer and copied to the window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "gdi_owners.h"
#include "gdi_util.h"
#include "pixel_buffer.h"
#include "platform.h"
#include "shell_windows.h"

namespace tintspot::win32 {

class MainPainter {
 public:
  explicit MainPainter(const ShellWindows& windows);
  MainPainter(const MainPainter&) = delete;
  MainPainter& operator=(const MainPainter&) = delete;

  // Each of these keeps the new content and redraws its control at once:
  // straight into the window, or into the frame when a repaint is running.
  void ShowPicture(Control control, const Picture& picture);
  void ShowSwatch(const PixelBuffer& swatch);
  void ShowMagnifier(const PixelBuffer& view);
  void ShowLabel(Control label, const std::string& text);

  // A sampling tick: what changes between BeginBatch and EndBatch reaches the
  // window in one copy of the rectangle around it all, at EndBatch (or
  // earlier, by PresentBatch, before anything that runs a message loop).
  void BeginBatch();
  void EndBatch();
  void PresentBatch();
  // A batch for the span of a scope: what it drew is shown at its end, also
  // when the scope ends in an error.
  class BatchScope {
   public:
    explicit BatchScope(MainPainter& painter) : painter_(painter) { painter_.BeginBatch(); }
    ~BatchScope() { painter_.EndBatch(); }
    BatchScope(const BatchScope&) = delete;
    BatchScope& operator=(const BatchScope&) = delete;

   private:
    MainPainter& painter_;
  };

  // A repaint: BeginFrame redraws the retained scene within the update
  // rectangle, the core then paints what it paints, and EndFrame copies the
  // frame to the paint device context (and anything the core redrew outside
  // the update rectangle straight to the window).
  void BeginFrame(const RECT& update);
  void EndFrame(HDC paintDc);

 private:
  void Redraw(const RECT& area);
  void Compose(const RECT& area);
  void DrawPixels(const PixelBuffer& pixels, std::optional<TColor> transparent, int left, int top,
                  const RECT& clip);
  void DrawFrame(const Rect& bounds, TColor pen, const RECT& clip);
  void DrawLabel(Control label, const Rect& bounds, const RECT& clip);
  void Present(HDC dc, const RECT& area);
  void PresentNow(const RECT& area);

  const ShellWindows& windows_;
  DibSurface buffer_;  // the whole client area at full height
  GdiObject<HFONT> labelFont_;
  std::optional<Selection> labelFontSelected_;  // into buffer_, while the painter lives

  ControlTable<std::optional<Picture>> pictures_;
  std::optional<PixelBuffer> swatch_;
  std::optional<PixelBuffer> magnifier_;
  ControlTable<std::string> labels_;

  int batches_ = 0;  // nesting depth of BeginBatch
  RECT batched_{};   // redrawn during the batch, not yet shown
  bool framing_ = false;
  RECT frame_{};
  RECT pending_{};  // redrawn during the frame
};

}  // namespace tintspot::win32
