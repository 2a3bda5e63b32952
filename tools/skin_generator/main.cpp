// skin_generator: draws the skin pictures, the two cursors and the program
// icon and writes them under the assets folder given as the only argument:
//   skin/<resource in lower case>.gif, cursors/hand.cur, cursors/dropper.cur,
//   icon/tintspot.ico, icon/tintspot-{16,32,48,256}.png
// The same fonts always give the same bytes.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cursor_file.h"
#include "gif_encoder.h"
#include "icon_file.h"
#include "png_file.h"
#include "skin.h"
#include "skin_pictures.h"

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

void WriteSkin(const skin::FontFiles& fonts, const fs::path& folder) {
  fs::create_directories(folder);
  for (const tintspot::SkinEntry& entry : tintspot::SkinEntries()) {
    const tintspot::Picture picture = skin::DrawSkinPicture(fonts, entry.resource);
    if (picture.pixels.Width() != entry.width || picture.pixels.Height() != entry.height ||
        picture.transparent.has_value() != entry.transparent)
      throw std::logic_error(std::string(entry.resource) + " is drawn at the wrong size");
    const tintspot::GifEncoding gif = tintspot::EncodeGif(picture);
    if (!gif.bytes) throw std::runtime_error(std::string(entry.resource) + ": " + gif.error);
    WriteFile(folder / (Lower(entry.resource) + ".gif"), *gif.bytes);
  }
}

void WriteCursors(const fs::path& folder) {
  fs::create_directories(folder);
  WriteFile(folder / "hand.cur", skin::CursorFile(skin::HandCursor()));
  WriteFile(folder / "dropper.cur", skin::CursorFile(skin::DropperCursor()));
}

void WriteIcon(const fs::path& folder) {
  fs::create_directories(folder);
  WriteFile(folder / "tintspot.ico", skin::IconFile({skin::IconImage(16), skin::IconImage(32)}));
  // The desktop icons of the Linux package, in the sizes its icon theme folders take.
  for (int size : {16, 32, 48, 256})
    WriteFile(folder / ("tintspot-" + std::to_string(size) + ".png"),
              skin::PngFile(skin::IconImage(size)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skin_generator ASSETS_FOLDER\n");
    return 2;
  }
  const skin::FontFiles fonts{TINTSPOT_FONT_REGULAR, TINTSPOT_FONT_BOLD, TINTSPOT_FONT_BOLD_ITALIC};
  const fs::path root = argv[1];
  try {
    WriteSkin(fonts, root / "skin");
    WriteCursors(root / "cursors");
    WriteIcon(root / "icon");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "skin_generator: %s\n", error.what());
    return 1;
  }
  return 0;
}
