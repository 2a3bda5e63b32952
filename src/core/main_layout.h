// The main window's controls: where they lie, in painting order, and what
// the mouse shows over them.
#pragma once

#include <array>
#include <cstddef>

#include "geometry.h"

namespace tintspot {

constexpr int kMainWidth = 171;
constexpr int kMainHeightFull = 234;     // magnifier shown
constexpr int kMainHeightCompact = 125;  // cut just above the magnifier

// Controls drawn by the main window itself, in painting order (later ones
// lie over earlier ones). The zoom list is a child window of its own and
// is handled by the platform layer. One name per control: the layout, the
// core, the Platform calls and the painter all use these.
enum class Control {
  None,
  MagBG,
  imgMain,
  imgHeader,
  Pixel,
  imgTop,
  imgMin,
  imgClose,
  lblPixel,
  lblRGB,
  lblHEX,
  lblHSL,
  lblCMYK,
  pbMag,
  imgMag,
  imgHelp,
  imgMenu,  // the last one: kControlCount counts on it
};

constexpr int kControlCount = static_cast<int>(Control::imgMenu) + 1;  // None included

// Something kept for every control (a picture, a label text), indexed by the
// control itself, so that a new control needs no table of its own.
template <typename T>
class ControlTable {
 public:
  T& operator[](Control control) { return items_[Index(control)]; }
  const T& operator[](Control control) const { return items_[Index(control)]; }

 private:
  static std::size_t Index(Control control) { return static_cast<std::size_t>(control); }
  std::array<T, kControlCount> items_{};
};

enum class CursorShape { Arrow, Hand, Dropper };

struct ControlInfo {
  Control control;
  const char* name;
  Rect bounds;          // client pixels
  const char* tooltip;  // nullptr: none
  CursorShape cursor;
  bool takesMouse;  // false: presses fall through to what lies below
};

// Every control in painting order.
const ControlInfo* MainControls(int* count);
const ControlInfo& InfoOf(Control control);

// The topmost control at a client point that takes the mouse; None over
// bare background.
Control ControlAt(ScreenPoint clientPoint);

constexpr Rect kZoomListBounds = Rect{1, 213, 1 + 169, 213 + 19};

}  // namespace tintspot
