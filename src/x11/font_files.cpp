#include "font_files.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace tintspot::x11 {
namespace {

std::string FileFor(const FontSpec& font) {
  const std::string face = font.face;
  if (face == "Small Fonts") return "small_fonts.ttf";
  // Tahoma, and whatever else a text might name: Wine's stand-in for the system's face.
  return font.bold ? "tahomabd.ttf" : "tahoma.ttf";
}

}  // namespace

std::string FontFolder() {
  const char* folder = std::getenv("TINTSPOT_FONT_DIR");
  return folder && *folder ? folder : "/usr/share/wine/fonts";
}

const TextFace& FaceFor(const FontSpec& font) {
  using Key = std::tuple<std::string, int, FontMeasure, bool>;
  static std::map<Key, std::unique_ptr<TextFace>> faces;
  const Key key{font.face, font.pixels, font.measure, font.bold};
  std::unique_ptr<TextFace>& face = faces[key];
  if (!face) {
    // LOGFONT heights: negative for the em, positive for the whole cell.
    const int height = font.measure == FontMeasure::Em ? -font.pixels : font.pixels;
    face = std::make_unique<TextFace>(FontFolder() + "/" + FileFor(font), height);
  }
  return *face;
}

}  // namespace tintspot::x11
