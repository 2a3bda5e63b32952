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
#include "scene_painter.h"
#include "shell_windows.h"

namespace tintspot::win32 {

class MainPainter final : public ScenePainter {
 public:
  explicit MainPainter(const ShellWindows& windows);

  // A repaint: BeginFrame redraws the retained scene within the update
  // rectangle, the core then paints what it paints, and EndFrame copies the
  // frame to the paint device context (and anything the core redrew outside
  // the update rectangle straight to the window).
  void BeginFrame(const RECT& update);
  void EndFrame(HDC paintDc);

 private:
  void Compose(const Rect& area) override;
  void PaintText(const DrawOp& op);
  HFONT FontFor(const TextLook& look);
  void Present(HDC dc, const Rect& area);
  void PresentNow(const Scene::Copies& parts) override;

  const ShellWindows& windows_;
  DibSurface buffer_;  // the whole client area at full height
  // The fonts of the looks drawn so far; the one in use is selected into buffer_.
  std::map<const TextLook*, GdiObject<HFONT>> fonts_;
  std::optional<Selection> fontSelected_;
  const TextLook* lookSelected_ = nullptr;
  std::optional<TColor> textColour_;
};

}  // namespace tintspot::win32
