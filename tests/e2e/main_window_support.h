// Helpers of the main window's end-to-end tests: the swatch as the screen shows it, what it
// should look like for a colour, and where the pointer goes to sample a colour.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "e2e_fixture.h"

namespace e2e {

// Places in the main window, in client pixels (the window has no frame).
constexpr Rect kSwatchArea{115, 25, 48, 48};
constexpr Point kSwatchCentre{139, 49};
constexpr Point kTitlePoint{50, 9};        // on the title picture, away from the buttons
constexpr Point kReadoutPoint{72, 81};     // on the HSB readout
constexpr Point kButtonRowPoint{60, 117};  // on the magnifier button's bar

// tSpot.ini as the program writes it.
inline std::string Ini(int x, int y, int on_top, int zoom, int show_mag) {
  return "[General]\r\nX=" + std::to_string(x) + "\r\nY=" + std::to_string(y) +
         "\r\nonTop=" + std::to_string(on_top) + "\r\n[Magnifier]\r\nZoom=" + std::to_string(zoom) +
         "\r\nShowMag=" + std::to_string(show_mag) + "\r\n";
}

// A colour with the two ring shades of its swatch (the inner ring is 0.08 darker in brightness,
// the outer one 0.20).
struct SwatchColour {
  Rgb colour, outer, inner;
};
constexpr SwatchColour kSteelBlue{{51, 102, 153}, {34, 68, 102}, {44, 88, 133}};
constexpr SwatchColour kWhite{{255, 255, 255}, {204, 204, 204}, {235, 235, 235}};
constexpr SwatchColour kMidGrey{{128, 128, 128}, {77, 77, 77}, {108, 108, 108}};

// The desktop's COLOR_3DDKSHADOW, as the prefix has it.
inline Rgb DarkShadow(WineSession& session) {
  RunResult result = session.RunWinHelper({"syscolor", "21"});
  auto values = ParseKeyValues(result.output);
  int r = 0, g = 0, b = 0;
  char comma1 = 0, comma2 = 0;
  std::istringstream in(values["rgb"]);
  if (result.exit_code != 0 || !(in >> r >> comma1 >> g >> comma2 >> b)) {
    throw std::runtime_error("winhelper syscolor 21 failed: " + result.output);
  }
  return Rgb{uint8_t(r), uint8_t(g), uint8_t(b)};
}

// The 48 x 48 swatch of a colour: ring 0 in the dark shadow colour, ring 1 white, ring 2 the
// outer shade, ring 3 the inner shade, the centre the colour itself.
inline Image ExpectedSwatch(const SwatchColour& c, Rgb dark_shadow) {
  const Rgb rings[] = {dark_shadow, Rgb{255, 255, 255}, c.outer, c.inner};
  Image image{kSwatchArea.width, kSwatchArea.height, {}};
  image.pixels.resize(size_t(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      int ring = std::min({x, y, image.width - 1 - x, image.height - 1 - y});
      image.pixels[size_t(y) * image.width + x] = ring < 4 ? rings[ring] : c.colour;
    }
  }
  return image;
}

inline ::testing::AssertionResult SameImage(const Image& actual, const Image& expected) {
  if (actual.width != expected.width || actual.height != expected.height) {
    return ::testing::AssertionFailure() << "size " << actual.width << "x" << actual.height;
  }
  int wrong = 0;
  std::ostringstream first;
  for (int y = 0; y < actual.height; ++y) {
    for (int x = 0; x < actual.width; ++x) {
      if (actual.at(x, y) == expected.at(x, y)) continue;
      if (wrong++ == 0) {
        first << "at " << x << "," << y << ": " << actual.at(x, y) << " instead of "
              << expected.at(x, y);
      }
    }
  }
  if (wrong == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << wrong << " pixels differ, first " << first.str();
}

// Screen position of a client point of the program's main window.
inline Point OnWindow(TintspotApp& app, Point client) {
  Rect r = app.Geometry().value_or(Rect{});
  return Point{r.x + client.x, r.y + client.y};
}

inline Image CaptureSwatch(TintspotApp& app, XDriver& x) {
  Rect r = app.Geometry().value_or(Rect{});
  return x.Capture(
      {r.x + kSwatchArea.x, r.y + kSwatchArea.y, kSwatchArea.width, kSwatchArea.height});
}

// Waits until the swatch shows exactly `expected`; the failure names the last difference.
inline ::testing::AssertionResult SwatchBecomes(TintspotApp& app, XDriver& x, const Image& expected,
                                                milliseconds timeout = milliseconds(3000)) {
  ::testing::AssertionResult last = ::testing::AssertionFailure();
  if (WaitUntil([&] { return bool(last = SameImage(CaptureSwatch(app, x), expected)); }, timeout)) {
    return ::testing::AssertionSuccess();
  }
  return last;
}

// Checks that the swatch goes on showing exactly `expected` for `duration`.
inline ::testing::AssertionResult SwatchStays(TintspotApp& app, XDriver& x, const Image& expected,
                                              milliseconds duration = milliseconds(400)) {
  ::testing::AssertionResult last = ::testing::AssertionSuccess();
  if (HoldsFor([&] { return bool(last = SameImage(CaptureSwatch(app, x), expected)); }, duration)) {
    return ::testing::AssertionSuccess();
  }
  return last;
}

// A solid pattern window of each colour, side by side in the top left of the screen (the
// program's window starts in the middle), and the point in the middle of each.
class ColourPatches {
 public:
  ColourPatches(XDriver& x, std::initializer_list<Rgb> colours) {
    int left = 20;
    for (const Rgb& colour : colours) {
      windows_.push_back(x.CreatePatternWindow({left, 20, 60, 60}, colour));
      left += 80;
    }
  }
  Point Centre(size_t index) const {
    const Rect& r = windows_.at(index).rect();
    return Point{r.x + r.width / 2, r.y + r.height / 2};
  }

 private:
  std::vector<PatternWindow> windows_;
};

}  // namespace e2e
