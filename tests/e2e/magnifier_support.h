// Helpers shared by the magnifier and keyboard tests: where things lie in Tintspot's window,
// what its magnifier must show for a known screen, and probes of the lock and the swatch.
#pragma once

#include "e2e_fixture.h"

// Xlib after gtest (see e2e_fixture.h).
#include <X11/Xutil.h>

#include <functional>
#include <optional>
#include <sstream>
#include <string>

namespace e2e {
namespace mag {

// The magnifier view in client pixels, its centre and the zoom factor of each list item.
constexpr Rect kView{2, 126, 167, 87};
constexpr int kCentreX = 83, kCentreY = 43;
constexpr int kZoomFactors[] = {1, 2, 3, 4, 5, 12, 28};
constexpr int kZoomItems = 7;
constexpr int kFullHeight = 234, kCompactHeight = 125;

// Client points of the controls.
constexpr Point kNeutralSpot{20, 80};  // bare readout background: focuses, does nothing else
constexpr Point kSwatchCentre{139, 49};
constexpr Point kMagButton{60, 116};
constexpr Point kZoomList{85, 222};
constexpr Point kLblPixel{72, 34}, kLblRgb{72, 49}, kLblHex{72, 64}, kLblHsl{72, 79},
    kLblCmyk{72, 94};
// The padlock drawn on the swatch while locked, in client pixels.
constexpr Rect kPadlock{115 + 35, 25 + 32, 7, 11};

inline std::string Ini(int x, int y, int zoom, bool show_mag) {
  std::ostringstream ini;
  ini << "[General]\r\nX=" << x << "\r\nY=" << y << "\r\nonTop=0\r\n[Magnifier]\r\nZoom=" << zoom
      << "\r\nShowMag=" << (show_mag ? 1 : 0) << "\r\n";
  return ini.str();
}

inline Rgb Inverse(Rgb c) { return {uint8_t(255 - c.r), uint8_t(255 - c.g), uint8_t(255 - c.b)}; }

// Whether view pixel (x, y) lies on one of the four cross-hair arms (2 to 5 pixels from the
// centre to the left, right, up or down).
inline bool OnCrossHair(int x, int y) {
  const int dx = x > kCentreX ? x - kCentreX : kCentreX - x;
  const int dy = y > kCentreY ? y - kCentreY : kCentreY - y;
  return (y == kCentreY && dx >= 2 && dx <= 5) || (x == kCentreX && dy >= 2 && dy <= 5);
}

// The screen pixel that view pixel (x, y) shows at `zoom` with the cursor at `cursor`: the view
// covers (167 div zoom) x (87 div zoom) screen pixels centred on the cursor, each view pixel
// showing the source pixel under its own centre.
inline Point SourceOf(int x, int y, Point cursor, int zoom) {
  const int src_w = kView.width / zoom, src_h = kView.height / zoom;
  return {cursor.x - src_w / 2 + (2 * x + 1) * src_w / (2 * kView.width),
          cursor.y - src_h / 2 + (2 * y + 1) * src_h / (2 * kView.height)};
}

// What the view must show: the enlargement of `screen` (a colour per screen point) with the
// cross-hair inverted.
inline Image ExpectedView(const std::function<Rgb(Point)>& screen, Point cursor, int zoom) {
  Image image{kView.width, kView.height, {}};
  for (int y = 0; y < kView.height; ++y) {
    for (int x = 0; x < kView.width; ++x) {
      const Rgb c = screen(SourceOf(x, y, cursor, zoom));
      image.pixels.push_back(OnCrossHair(x, y) ? Inverse(c) : c);
    }
  }
  return image;
}

// "" when equal, else the number of differing pixels and the first few of them.
inline std::string Difference(const Image& actual, const Image& expected) {
  if (actual.width != expected.width || actual.height != expected.height) return "size differs";
  int count = 0;
  std::ostringstream first;
  for (int y = 0; y < actual.height; ++y) {
    for (int x = 0; x < actual.width; ++x) {
      if (actual.at(x, y) == expected.at(x, y)) continue;
      if (++count <= 5) {
        first << " (" << x << "," << y << "): " << actual.at(x, y) << " not " << expected.at(x, y)
              << ";";
      }
    }
  }
  if (count == 0) return "";
  return std::to_string(count) + " pixels differ:" + first.str();
}

// The Tintspot window under test, seen from outside.
class AppProbe {
 public:
  AppProbe(XDriver& x, TintspotApp& app) : x_(x), app_(app) {}

  Rect WindowRect() { return app_.Geometry().value_or(Rect{}); }
  int Height() { return WindowRect().height; }
  Point Screen(Point client) {
    const Rect w = WindowRect();
    return {w.x + client.x, w.y + client.y};
  }
  void MoveTo(Point client) {
    const Point p = Screen(client);
    x_.MovePointer(p.x, p.y);
  }
  void Press(Point client, Button button = Button::kLeft) {
    MoveTo(client);
    x_.Click(button);
  }
  Image View() {
    const Point p = Screen({kView.x, kView.y});
    return x_.Capture({p.x, p.y, kView.width, kView.height});
  }
  // The colour in the middle of the swatch.
  Rgb Swatch() {
    const Point p = Screen(kSwatchCentre);
    return x_.PixelAt(p.x, p.y);
  }
  // Locked: the padlock's ink shows somewhere in its box on the otherwise plain swatch centre.
  bool Locked() {
    const Rect w = WindowRect();
    const Rgb plain = Swatch();
    Image box = x_.Capture({w.x + kPadlock.x, w.y + kPadlock.y, kPadlock.width, kPadlock.height});
    for (const Rgb& c : box.pixels) {
      if (c != plain) return true;
    }
    return false;
  }

  // The dropped-down zoom list: a viewable top-level window of the program without a name and
  // as wide as the closed list.
  std::optional<Rect> DroppedList() {
    Window root_return = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    std::optional<Rect> found;
    if (!XQueryTree(x_.display(), x_.root(), &root_return, &parent, &children, &count)) {
      return found;
    }
    for (unsigned i = 0; i < count && !found; ++i) {
      const Window w = children[i];
      if (!x_.IsWindowViewable(w) || x_.WindowPid(w) != app_.pid()) continue;
      const auto name = x_.WindowName(w);
      const auto rect = x_.Geometry(w);
      if ((!name || name->empty()) && rect && rect->width == 169 && rect->height > 19) {
        found = rect;
      }
    }
    if (children != nullptr) XFree(children);
    return found;
  }

  // Chooses item `index` of the zoom list with the mouse: a click drops the list down, a click
  // on the item picks it and closes the list. False if the list does not open or close.
  bool ChooseZoom(int index) {
    Press(kZoomList);
    std::optional<Rect> list;
    if (!WaitUntil([&] { return (list = DroppedList()).has_value(); }, milliseconds(5000))) {
      return false;
    }
    // Items are 11 pixels high inside a one-pixel border.
    x_.MovePointer(list->x + 40, list->y + 1 + 11 * index + 5);
    x_.Click();
    return WaitUntil([&] { return !DroppedList().has_value(); }, milliseconds(5000));
  }

 private:
  XDriver& x_;
  TintspotApp& app_;
};

}  // namespace mag
}  // namespace e2e
