#include "app_probe.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>

#include "gif_decoder.h"

#ifndef TINTSPOT_SOURCE_DIR
#define TINTSPOT_SOURCE_DIR "."
#endif

namespace e2e {
namespace {

SkinImage Decode(const std::string& name) {
  const std::string path = SourceDir() + "/assets/skin/" + name + ".gif";
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  if (bytes.empty()) throw std::runtime_error("cannot read " + path);
  tintspot::GifResult decoded = tintspot::DecodeGif(bytes.data(), bytes.size());
  if (!decoded.picture) throw std::runtime_error(path + ": " + decoded.error);
  const tintspot::PixelBuffer& pixels = decoded.picture->pixels;
  SkinImage result;
  result.image.width = pixels.Width();
  result.image.height = pixels.Height();
  for (int y = 0; y < pixels.Height(); ++y) {
    for (int x = 0; x < pixels.Width(); ++x) {
      result.image.pixels.push_back(Rgb::FromColorRef(pixels.At(x, y)));
    }
  }
  if (decoded.picture->transparent) {
    result.transparent = Rgb::FromColorRef(*decoded.picture->transparent);
  }
  return result;
}

}  // namespace

// --- Places and settings ----------------------------------------------------------------------

std::string Ini(int x, int y, int on_top, int zoom, int show_mag) {
  return "[General]\r\nX=" + std::to_string(x) + "\r\nY=" + std::to_string(y) +
         "\r\nonTop=" + std::to_string(on_top) + "\r\n[Magnifier]\r\nZoom=" + std::to_string(zoom) +
         "\r\nShowMag=" + std::to_string(show_mag) + "\r\n";
}

// --- What the program must show -------------------------------------------------------------

Rgb DarkShadow(WineSession& session) {
  // The native build draws with the colour scheme of a fresh prefix, where it is 106,106,106.
  if (NativeBuild()) return {106, 106, 106};
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

Image ExpectedSwatch(const SwatchColour& c, Rgb dark_shadow) {
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

bool OnCrossHair(int x, int y) {
  const int dx = x > kViewCentreX ? x - kViewCentreX : kViewCentreX - x;
  const int dy = y > kViewCentreY ? y - kViewCentreY : kViewCentreY - y;
  return (y == kViewCentreY && dx >= 2 && dx <= 5) || (x == kViewCentreX && dy >= 2 && dy <= 5);
}

Point SourceOf(int x, int y, Point cursor, int zoom) {
  const int src_w = kView.width / zoom, src_h = kView.height / zoom;
  return {cursor.x - src_w / 2 + (2 * x + 1) * src_w / (2 * kView.width),
          cursor.y - src_h / 2 + (2 * y + 1) * src_h / (2 * kView.height)};
}

Image ExpectedView(const std::function<Rgb(Point)>& screen, Point cursor, int zoom) {
  Image image{kView.width, kView.height, {}};
  for (int y = 0; y < kView.height; ++y) {
    for (int x = 0; x < kView.width; ++x) {
      const Rgb c = screen(SourceOf(x, y, cursor, zoom));
      image.pixels.push_back(OnCrossHair(x, y) ? Inverse(c) : c);
    }
  }
  return image;
}

std::string Difference(const Image& actual, const Image& expected) {
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

// --- The skin pictures ----------------------------------------------------------------------

std::string SourceDir() { return TINTSPOT_SOURCE_DIR; }

const SkinImage& SkinPicture(const std::string& name) {
  static std::map<std::string, SkinImage> cache;
  auto found = cache.find(name);
  if (found == cache.end()) found = cache.emplace(name, Decode(name)).first;
  return found->second;
}

std::string CompareWithScreen(XDriver& x, Point window, int left, int top, const std::string& name,
                              const std::vector<Rect>& masked) {
  const SkinImage& picture = SkinPicture(name);
  const Image& expected = picture.image;
  const Image shown = x.Capture({window.x + left, window.y + top, expected.width, expected.height});
  int differing = 0;
  std::ostringstream first;
  for (int py = 0; py < expected.height; ++py) {
    for (int px = 0; px < expected.width; ++px) {
      const Rgb& want = expected.at(px, py);
      if (picture.transparent == want) continue;
      bool hidden = false;
      for (const Rect& r : masked) hidden = hidden || Inside(r, left + px, top + py);
      if (hidden || shown.at(px, py) == want) continue;
      if (differing++ == 0) {
        first << " first at client " << left + px << "," << top + py << ": " << shown.at(px, py)
              << " instead of " << want;
      }
    }
  }
  if (differing == 0) return "";
  return name + ": " + std::to_string(differing) + " pixels differ," + first.str();
}

std::vector<Window> WindowsOfProcess(XDriver& x, long pid) {
  std::vector<Window> own;
  for (Window window : x.TopLevelWindows()) {
    if (x.IsWindowViewable(window) && x.WindowPid(window) == pid) own.push_back(window);
  }
  return own;
}

// --- The running window ---------------------------------------------------------------------

Point AppProbe::Origin() {
  std::optional<Rect> rect = app_.Geometry();
  return rect ? Point{rect->x, rect->y} : Point{-1, -1};
}

Point AppProbe::Screen(Point client) {
  const Rect w = WindowRect();
  return {w.x + client.x, w.y + client.y};
}

void AppProbe::MoveTo(Point client) {
  const Point p = Screen(client);
  x_.MovePointer(p.x, p.y);
}

void AppProbe::Press(Point client, Button button) {
  MoveTo(client);
  x_.Click(button);
}

Rgb AppProbe::PixelAt(Point client) {
  const Point p = Screen(client);
  return x_.PixelAt(p.x, p.y);
}

Image AppProbe::Capture(const Rect& client) {
  const Point p = Screen({client.x, client.y});
  return x_.Capture({p.x, p.y, client.width, client.height});
}

::testing::AssertionResult AppProbe::SwatchBecomes(const Image& expected, milliseconds timeout) {
  ::testing::AssertionResult last = ::testing::AssertionFailure();
  if (WaitUntil([&] { return bool(last = SameImage(CaptureSwatch(), expected)); }, timeout)) {
    return ::testing::AssertionSuccess();
  }
  return last;
}

::testing::AssertionResult AppProbe::SwatchStays(const Image& expected, milliseconds duration) {
  ::testing::AssertionResult last = ::testing::AssertionSuccess();
  if (HoldsFor([&] { return bool(last = SameImage(CaptureSwatch(), expected)); }, duration)) {
    return ::testing::AssertionSuccess();
  }
  return last;
}

int AppProbe::PadlockInk() {
  const Rgb plain = Swatch();
  const Image box = Capture(kPadlock);
  int inked = 0;
  for (const Rgb& c : box.pixels) inked += c != plain;
  return inked;
}

std::optional<Rect> AppProbe::DroppedList() {
  for (Window w : WindowsOfProcess(x_, app_.pid())) {
    const auto name = x_.WindowName(w);
    const auto rect = x_.Geometry(w);
    if ((!name || name->empty()) && rect && rect->width == 169 && rect->height > 19) return rect;
  }
  return std::nullopt;
}

bool AppProbe::ChooseZoom(int index) {
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

ColourPatches::ColourPatches(XDriver& x, std::initializer_list<Rgb> colours) {
  int left = 20;
  for (const Rgb& colour : colours) {
    windows_.push_back(x.CreatePatternWindow({left, 20, 60, 60}, colour));
    left += 80;
  }
}

Point ColourPatches::Centre(size_t index) const {
  const Rect& r = windows_.at(index).rect();
  return Point{r.x + r.width / 2, r.y + r.height / 2};
}

// --- The fixture ----------------------------------------------------------------------------

void SkinnedWindowTest::StartAt(int left, int top, bool magnifier, int zoom) {
  AppOptions options;
  // No onTop key: the tests see whether the program wrote it.
  options.ini = "[General]\r\nX=" + std::to_string(left) + "\r\nY=" + std::to_string(top) +
                "\r\n[Magnifier]\r\nZoom=" + std::to_string(zoom) +
                "\r\nShowMag=" + (magnifier ? "1" : "0") + "\r\n";
  app_ = std::make_unique<TintspotApp>(options);
  ASSERT_TRUE(app_->Start()) << app_->Log();
  probe_ = std::make_unique<AppProbe>(x(), *app_);
  ASSERT_TRUE(WaitUntil(
      [&] {
        return probe().Origin() == Point{left, top};
      },
      milliseconds(3000)))
      << probe().Origin();
}

bool SkinnedWindowTest::Shows(int left, int top, const std::string& name, milliseconds timeout) {
  return WaitUntil([&] { return Compare(left, top, name).empty(); }, timeout);
}

}  // namespace e2e
