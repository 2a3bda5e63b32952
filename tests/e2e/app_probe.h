// Probing the running program from outside: where the parts of its main window lie, what its
// settings file, swatch, magnifier view and skin pictures must look like, and AppProbe, which
// reads and drives one running Tintspot window through the X test driver.
#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e_fixture.h"

namespace e2e {

// --- Places in the main window, in client pixels (the window has no frame) -------------------

constexpr int kFullHeight = 234, kCompactHeight = 125;

constexpr Rect kSwatchArea{115, 25, 48, 48};
constexpr Point kSwatchCentre{139, 49};
// The padlock drawn on the swatch while locked: its top left on the swatch, and its box.
constexpr Point kPadlockAt{35, 32};
constexpr Rect kPadlock{kSwatchArea.x + kPadlockAt.x, kSwatchArea.y + kPadlockAt.y, 7, 11};

constexpr Point kLblPixel{72, 34}, kLblRgb{72, 49}, kLblHex{72, 64}, kLblHsl{72, 79},
    kLblCmyk{72, 94};
constexpr Point kOnPanel{20, 100};         // bare readout panel: a click there only activates
constexpr Point kOnTitle{50, 9};           // on the title picture, away from the buttons
constexpr Point kButtonRowPoint{60, 117};  // on the magnifier button's bar
constexpr Point kMagButton{60, 116};
constexpr Point kZoomList{85, 222};

// The magnifier view, its centre and the zoom factor of each list item.
constexpr Rect kView{2, 126, 167, 87};
constexpr int kViewCentreX = 83, kViewCentreY = 43;
constexpr int kZoomFactors[] = {1, 2, 3, 4, 5, 12, 28};
constexpr int kZoomItems = 7;

inline bool Inside(const Rect& r, int x, int y) {
  return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height;
}

// The settings file as the program writes it.
std::string Ini(int x, int y, int on_top, int zoom, int show_mag);

// --- What the program must show ---------------------------------------------------------------

// A colour with the two ring shades of its swatch (the inner ring is 0.08 darker in brightness,
// the outer one 0.20).
struct SwatchColour {
  Rgb colour, outer, inner;
};
constexpr SwatchColour kSteelBlue{{51, 102, 153}, {34, 68, 102}, {44, 88, 133}};
constexpr SwatchColour kWhite{{255, 255, 255}, {204, 204, 204}, {235, 235, 235}};
constexpr SwatchColour kMidGrey{{128, 128, 128}, {77, 77, 77}, {108, 108, 108}};

// The desktop's COLOR_3DDKSHADOW, as the prefix has it.
Rgb DarkShadow(WineSession& session);

// The 48 x 48 swatch of a colour: ring 0 in the dark shadow colour, ring 1 white, ring 2 the
// outer shade, ring 3 the inner shade, the centre the colour itself.
Image ExpectedSwatch(const SwatchColour& c, Rgb dark_shadow);

inline Rgb Inverse(Rgb c) { return {uint8_t(255 - c.r), uint8_t(255 - c.g), uint8_t(255 - c.b)}; }

// Whether view pixel (x, y) lies on one of the four cross-hair arms (2 to 5 pixels from the
// centre to the left, right, up or down).
bool OnCrossHair(int x, int y);

// The screen pixel that view pixel (x, y) shows at `zoom` with the cursor at `cursor`: the view
// covers (167 div zoom) x (87 div zoom) screen pixels centred on the cursor, each view pixel
// showing the source pixel under its own centre.
Point SourceOf(int x, int y, Point cursor, int zoom);

// What the view must show: the enlargement of `screen` (a colour per screen point) with the
// cross-hair inverted.
Image ExpectedView(const std::function<Rgb(Point)>& screen, Point cursor, int zoom);

// "" when equal, else the number of differing pixels and the first few of them.
std::string Difference(const Image& actual, const Image& expected);
inline ::testing::AssertionResult SameImage(const Image& actual, const Image& expected) {
  const std::string difference = Difference(actual, expected);
  if (difference.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << difference;
}

// --- The skin pictures ----------------------------------------------------------------------

// The source tree (where assets/ and docs/ lie).
std::string SourceDir();

struct SkinImage {
  Image image;
  std::optional<Rgb> transparent;  // the colour that is not drawn (padlocks only)
};

// The committed picture assets/skin/NAME.gif (decoded by the program's own decoder); throws
// std::runtime_error if it cannot be decoded.
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

// --- The running window ---------------------------------------------------------------------

// The Tintspot window under test, seen from outside and driven by client points.
class AppProbe {
 public:
  AppProbe(XDriver& x, TintspotApp& app) : x_(x), app_(app) {}

  Rect WindowRect() { return app_.Geometry().value_or(Rect{}); }
  int Height() { return WindowRect().height; }
  // The window's top left now; (-1, -1) while it has none.
  Point Origin();
  Point Screen(Point client);
  void MoveTo(Point client);
  void Press(Point client, Button button = Button::kLeft);
  Rgb PixelAt(Point client);
  Image Capture(const Rect& client);

  Image View() { return Capture(kView); }
  // The colour in the middle of the swatch.
  Rgb Swatch() { return PixelAt(kSwatchCentre); }
  Image CaptureSwatch() { return Capture(kSwatchArea); }
  // Waits until the swatch shows exactly `expected`; the failure names the last difference.
  ::testing::AssertionResult SwatchBecomes(const Image& expected,
                                           milliseconds timeout = milliseconds(3000));
  // Checks that the swatch goes on showing exactly `expected` for `duration`.
  ::testing::AssertionResult SwatchStays(const Image& expected,
                                         milliseconds duration = milliseconds(400));
  // Pixels in the padlock's box that differ from the swatch's centre.
  int PadlockInk();
  // Locked: the padlock's ink shows somewhere in its box on the otherwise plain swatch centre.
  bool Locked() { return PadlockInk() > 0; }

  // The dropped-down zoom list: a viewable top-level window of the program without a name and
  // as wide as the closed list.
  std::optional<Rect> DroppedList();
  // Chooses item `index` of the zoom list with the mouse: a click drops the list down, a click
  // on the item picks it and closes the list. False if the list does not open or close.
  bool ChooseZoom(int index);

 private:
  XDriver& x_;
  TintspotApp& app_;
};

// A solid pattern window of each colour, side by side in the top left of the screen (the
// program's window starts in the middle), and the point in the middle of each.
class ColourPatches {
 public:
  ColourPatches(XDriver& x, std::initializer_list<Rgb> colours);
  Point Centre(size_t index) const;

 private:
  std::vector<PatternWindow> windows_;
};

// A fixture with one Tintspot.exe placed where the test wants it.
class SkinnedWindowTest : public E2eTest {
 protected:
  // Starts the program (ASSERTs that it shows its window) with the window at (left, top), the
  // magnifier shown or hidden and the zoom list at item `zoom`.
  void StartAt(int left, int top, bool magnifier = false, int zoom = 0);
  TintspotApp& app() { return *app_; }
  AppProbe& probe() { return *probe_; }
  std::string Compare(int left, int top, const std::string& name,
                      const std::vector<Rect>& masked = {}) {
    return CompareWithScreen(x(), probe().Origin(), left, top, name, masked);
  }
  // Polls until the picture NAME is shown at client (left, top).
  bool Shows(int left, int top, const std::string& name, milliseconds timeout = milliseconds(3000));

  std::unique_ptr<TintspotApp> app_;
  std::unique_ptr<AppProbe> probe_;
};

}  // namespace e2e
