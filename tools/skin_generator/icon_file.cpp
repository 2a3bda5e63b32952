#include "icon_file.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "byte_writer.h"
#include "canvas.h"
#include "emblem.h"

namespace skin {

namespace {

constexpr TColor kKey = Rgb(255, 0, 255);

bool IsTransparent(const tintspot::Picture& picture, int x, int y) {
  return picture.transparent && picture.pixels.At(x, y) == *picture.transparent;
}

// The bitmap of one image: header, palette, colour indices, AND mask.
std::vector<std::uint8_t> IconBitmap(const tintspot::Picture& picture) {
  const PixelBuffer& pixels = picture.pixels;
  const int size = pixels.Width();
  std::vector<TColor> palette{tintspot::kBlack};
  std::map<TColor, int> index{{tintspot::kBlack, 0}};
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      if (IsTransparent(picture, x, y) || index.count(pixels.At(x, y))) continue;
      index[pixels.At(x, y)] = static_cast<int>(palette.size());
      palette.push_back(pixels.At(x, y));
    }
  if (palette.size() > 256) throw std::invalid_argument("icon image has more than 256 colours");
  palette.resize(256, tintspot::kBlack);

  const int colourStride = (size + 3) / 4 * 4;
  const int maskStride = MaskStride(size);
  std::vector<std::uint8_t> colours(static_cast<std::size_t>(colourStride * size), 0);
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskStride * size), 0);
  for (int y = 0; y < size; ++y) {
    const int row = size - 1 - y;  // bottom up
    for (int x = 0; x < size; ++x) {
      if (IsTransparent(picture, x, y)) {
        mask[static_cast<std::size_t>(row * maskStride + x / 8)] |=
            static_cast<std::uint8_t>(0x80u >> (x % 8));
      } else {
        colours[static_cast<std::size_t>(row * colourStride + x)] =
            static_cast<std::uint8_t>(index[pixels.At(x, y)]);
      }
    }
  }

  std::vector<std::uint8_t> out;
  PutIconBitmapHeader(out, size, 8, static_cast<std::uint32_t>(colours.size() + mask.size()), 256);
  for (TColor colour : palette) {
    PutU8(out, tintspot::BlueOf(colour));
    PutU8(out, tintspot::GreenOf(colour));
    PutU8(out, tintspot::RedOf(colour));
    PutU8(out, 0);
  }
  out.insert(out.end(), colours.begin(), colours.end());
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

}  // namespace

tintspot::Picture IconImage(int size) {
  tintspot::Picture picture{PixelBuffer(size, size, kKey), kKey};
  const int gap = 2;
  const int square = (size - gap) / 2;
  const int margin = (size - 2 * square - gap) / 2;
  Emblem(picture.pixels, margin, margin, square, gap);
  return picture;
}

std::vector<std::uint8_t> IconFile(const std::vector<tintspot::Picture>& images) {
  std::vector<std::vector<std::uint8_t>> bitmaps;
  for (const tintspot::Picture& image : images) {
    const int size = image.pixels.Width();
    if (size != image.pixels.Height() || size < 1 || size > 256)
      throw std::invalid_argument("icon images must be square and at most 256 wide");
    bitmaps.push_back(IconBitmap(image));
  }
  std::vector<std::uint8_t> out;
  PutU16(out, 0);
  PutU16(out, 1);  // icon
  PutU16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = images[i].pixels.Width();
    PutU8(out, static_cast<unsigned>(size % 256));
    PutU8(out, static_cast<unsigned>(size % 256));
    PutU8(out, 0);  // 256 colours
    PutU8(out, 0);
    PutU16(out, 1);  // planes
    PutU16(out, 8);  // bits per pixel
    PutU32(out, static_cast<std::uint32_t>(bitmaps[i].size()));
    PutU32(out, offset);
    offset += static_cast<std::uint32_t>(bitmaps[i].size());
  }
  for (const auto& bitmap : bitmaps) out.insert(out.end(), bitmap.begin(), bitmap.end());
  return out;
}

}  // namespace skin
