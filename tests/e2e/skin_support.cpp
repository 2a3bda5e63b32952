#include "skin_support.h"

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

bool Inside(const Rect& r, int x, int y) {
  return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height;
}

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
  Window root_back = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  std::vector<Window> own;
  if (XQueryTree(x.display(), x.root(), &root_back, &parent, &children, &count) == 0) return own;
  for (unsigned i = 0; i < count; ++i) {
    if (x.IsWindowViewable(children[i]) && x.WindowPid(children[i]) == pid) {
      own.push_back(children[i]);
    }
  }
  if (children != nullptr) XFree(children);
  return own;
}

void SkinnedWindowTest::StartAt(int left, int top, bool magnifier, int zoom) {
  AppOptions options;
  options.ini = "[General]\r\nX=" + std::to_string(left) + "\r\nY=" + std::to_string(top) +
                "\r\n[Magnifier]\r\nZoom=" + std::to_string(zoom) +
                "\r\nShowMag=" + (magnifier ? "1" : "0") + "\r\n";
  app_ = std::make_unique<TintspotApp>(options);
  ASSERT_TRUE(app_->Start()) << app_->Log();
  ASSERT_TRUE(WaitUntil(
      [&] {
        return Origin() == Point{left, top};
      },
      milliseconds(3000)))
      << Origin();
}

Point SkinnedWindowTest::Origin() {
  std::optional<Rect> rect = app_->Geometry();
  return rect ? Point{rect->x, rect->y} : Point{-1, -1};
}

void SkinnedWindowTest::PointAt(int cx, int cy) {
  const Point origin = Origin();
  x().MovePointer(origin.x + cx, origin.y + cy);
}

void SkinnedWindowTest::ClickAt(int cx, int cy, Button button) {
  PointAt(cx, cy);
  x().Click(button);
}

bool SkinnedWindowTest::Shows(int left, int top, const std::string& name, milliseconds timeout) {
  return WaitUntil([&] { return Compare(left, top, name).empty(); }, timeout);
}

std::map<std::string, std::string> SkinnedWindowTest::Info() {
  return ParseKeyValues(session().RunWinHelper({"info", TintspotApp::kCaption}).output);
}

}  // namespace e2e
