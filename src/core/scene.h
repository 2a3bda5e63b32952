// The main window's picture, retained: what every control shows, the draw
// operations that paint any part of the client area in the window's
// painting order, and when a redrawn part is copied to the window.
//
// A shell keeps a back buffer of the whole client area. For every change it
// runs Compose(the changed area) into the buffer, then copies to the window
// what the scene answers: at once, at the end of the batch (a sampling tick)
// or at the end of the repaint the change happened in.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "draw_ops.h"
#include "main_layout.h"
#include "pixel_buffer.h"
#include "platform.h"
#include "text_look.h"

namespace tintspot {

// The labels' text: dark blue, Tahoma with 9-pixel characters, centred at
// the top of the label and cut off at its edges.
extern const TextLook kLabelLook;
// The one-pixel frame around the magnifier panel.
constexpr TColor kMagFramePen = MakeColor(129, 127, 130);
constexpr Rect kClientArea = Rect::FromSize(0, 0, kMainWidth, kMainHeightFull);

class Scene {
 public:
  using SystemColours = std::function<TColor(SystemColour)>;
  // The client background takes the desktop's button-face colour, read
  // afresh for every composition.
  explicit Scene(SystemColours systemColours) : systemColours_(std::move(systemColours)) {}

  // --- Content: each keeps its argument and answers the area it changed ----
  Rect SetPicture(Control control, const Picture& picture);
  Rect SetSwatch(const PixelBuffer& swatch);
  Rect SetMagnifier(const PixelBuffer& view);
  Rect SetLabel(Control label, const std::string& text);

  // The operations that paint area (cut to the client area), in order: the
  // background, then every control in painting order; a label's text lies
  // below its picture, if it has one. They point into the scene and are
  // valid until the next change or composition.
  const std::vector<DrawOp>& Compose(const Rect& area);

  // --- When redrawn parts reach the window -----------------------------------
  // The parts of the back buffer to copy to the window, each once. A batch
  // keeps the controls it redrew apart (a tick redraws labels, swatch and
  // view, far from each other); parts that overlap, or lie as close as the
  // labels' rows, become one.
  using Copies = std::vector<Rect>;
  // A part of the back buffer was redrawn: the area to copy to the window
  // now, or none while a batch or a repaint collects it.
  Copies Redrawn(const Rect& area);
  // A sampling tick begins or ends a batch; batches nest. Each answers what
  // to copy now: a tick that begins inside another (in a message loop the
  // outer one runs) first shows what the outer one drew so far.
  Copies BeginBatch();
  Copies EndBatch();
  // What the batch drew so far, to be shown before the program runs a
  // message loop of its own (an error box) that may last long.
  Copies FlushBatch();
  // A repaint of update: answers the area to compose into the back buffer,
  // which EndRepaint then copies to the window within the repaint.
  Rect BeginRepaint(const Rect& update);
  struct RepaintEnd {
    Rect repainted;  // copy within the repaint
    Copies redrawn;  // changed during the repaint: copy straight to the window
  };
  RepaintEnd EndRepaint();

 private:
  SystemColours systemColours_;
  ControlTable<std::optional<Picture>> pictures_;
  std::optional<PixelBuffer> swatch_;
  std::optional<PixelBuffer> magnifier_;
  ControlTable<std::string> labels_;
  std::vector<DrawOp> ops_;

  int batches_ = 0;  // nesting depth of the batches
  Copies batched_;   // redrawn during the batch, not yet shown
  bool repainting_ = false;
  Rect repaint_;
  Copies redrawnInRepaint_;
};

}  // namespace tintspot
