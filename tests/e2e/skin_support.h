// The skin on the screen: the committed pictures (assets/skin/*.gif, decoded by the program's own
// decoder) compared with what the window shows, and the X windows a process has open.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e_fixture.h"

namespace e2e {

// The source tree (where assets/ and docs/ lie).
std::string SourceDir();

struct SkinImage {
  Image image;
  std::optional<Rgb> transparent;  // the colour that is not drawn (padlocks only)
};

// The committed picture assets/skin/NAME.gif; throws std::runtime_error if it cannot be decoded.
const SkinImage& SkinPicture(const std::string& name);

// Compares the picture NAME, placed at client point (left, top) of a frameless window whose top
// left is `window`, with the screen, leaving out its transparent pixels and the client
// rectangles in `masked`. Empty when every pixel matches, else how many differ and where first.
std::string CompareWithScreen(XDriver& x, Point window, int left, int top, const std::string& name,
                              const std::vector<Rect>& masked = {});
inline bool ScreenShows(XDriver& x, Point window, int left, int top, const std::string& name) {
  return CompareWithScreen(x, window, left, top, name).empty();
}

// Viewable top-level X windows that belong to process `pid`, whatever their names.
std::vector<Window> WindowsOfProcess(XDriver& x, long pid);

// A fixture with one Tintspot.exe placed where the test wants it, driven by client points.
class SkinnedWindowTest : public E2eTest {
 protected:
  // Starts the program (ASSERTs that it shows its window) with the window at (left, top), the
  // magnifier shown or hidden and the zoom list at item `zoom`.
  void StartAt(int left, int top, bool magnifier = false, int zoom = 0);
  TintspotApp& app() { return *app_; }
  Point Origin();                // the window's top left now
  void PointAt(int cx, int cy);  // the pointer to a client point (through XTest)
  void ClickAt(int cx, int cy, Button button = Button::kLeft);
  std::string Compare(int left, int top, const std::string& name,
                      const std::vector<Rect>& masked = {}) {
    return CompareWithScreen(x(), Origin(), left, top, name, masked);
  }
  // Polls until the picture NAME is shown at client (left, top).
  bool Shows(int left, int top, const std::string& name, milliseconds timeout = milliseconds(3000));
  // `winhelper info` about the main window (rect, normal_rect, visible, iconic, topmost, ...).
  std::map<std::string, std::string> Info();

  std::unique_ptr<TintspotApp> app_;
};

}  // namespace e2e
