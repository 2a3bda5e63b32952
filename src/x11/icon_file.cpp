#include "icon_file.h"

namespace tintspot::x11 {
namespace {

class Reader {
 public:
  explicit Reader(const std::vector<std::uint8_t>& data) : data_(data) {}
  bool Has(size_t offset, size_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }
  unsigned U8(size_t at) const { return data_[at]; }
  unsigned U16(size_t at) const { return data_[at] | (unsigned(data_[at + 1]) << 8); }
  std::uint32_t U32(size_t at) const { return U16(at) | (std::uint32_t(U16(at + 2)) << 16); }

 private:
  const std::vector<std::uint8_t>& data_;
};

size_t RowBytes(int width, int bits) { return ((size_t(width) * size_t(bits) + 31) / 32) * 4; }

std::optional<ArgbImage> ParseBitmap(const Reader& in, size_t at, size_t size, bool cursor,
                                     unsigned hot_x, unsigned hot_y) {
  if (size < 40 || !in.Has(at, size) || in.U32(at) < 40) return std::nullopt;
  const auto width = std::int32_t(in.U32(at + 4));
  const auto double_height = std::int32_t(in.U32(at + 8));
  const unsigned bits = in.U16(at + 14);
  const std::uint32_t compression = in.U32(at + 16);
  std::uint32_t colours_used = in.U32(at + 32);
  if (width <= 0 || width > 256 || double_height <= 0 || double_height > 512 || compression != 0)
    return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
  const int height = double_height / 2;
  if (bits <= 8 && colours_used == 0) colours_used = 1u << bits;
  const size_t palette = at + in.U32(at);
  const size_t pixels = palette + (bits <= 8 ? size_t(colours_used) * 4 : 0);
  const size_t xor_row = RowBytes(width, int(bits)), and_row = RowBytes(width, 1);
  const size_t mask = pixels + xor_row * size_t(height);
  if (!in.Has(at, size) || mask + and_row * size_t(height) > at + size) return std::nullopt;

  ArgbImage image;
  image.width = width;
  image.height = height;
  if (cursor) {
    image.hot_x = int(hot_x);
    image.hot_y = int(hot_y);
  }
  image.pixels.resize(size_t(width) * size_t(height));
  bool any_alpha = false;
  for (int y = 0; y < height; ++y) {
    const size_t row = pixels + size_t(height - 1 - y) * xor_row;  // rows are stored bottom up
    for (int x = 0; x < width; ++x) {
      std::uint32_t argb = 0;
      if (bits == 32) {
        argb = in.U32(row + size_t(x) * 4);
        any_alpha = any_alpha || (argb >> 24) != 0;
      } else if (bits == 24) {
        const size_t p = row + size_t(x) * 3;
        argb = in.U8(p) | (in.U8(p + 1) << 8) | (in.U8(p + 2) << 16);
      } else {
        const size_t bit = size_t(x) * bits;
        const unsigned index = (in.U8(row + bit / 8) >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= colours_used) return std::nullopt;
        argb = in.U32(palette + size_t(index) * 4) & 0xFFFFFFu;
      }
      image.pixels[size_t(y) * size_t(width) + size_t(x)] = argb;
    }
  }
  // Without an alpha channel of its own, the AND mask decides: a set bit is transparent.
  for (int y = 0; y < height; ++y) {
    const size_t row = mask + size_t(height - 1 - y) * and_row;
    for (int x = 0; x < width; ++x) {
      std::uint32_t& p = image.pixels[size_t(y) * size_t(width) + size_t(x)];
      if (any_alpha) continue;
      const bool transparent = (in.U8(row + size_t(x) / 8) >> (7 - x % 8)) & 1u;
      p = transparent ? 0u : (p | 0xFF000000u);
    }
  }
  return image;
}

}  // namespace

std::optional<std::vector<ArgbImage>> ParseIconFile(const std::vector<std::uint8_t>& data) {
  const Reader in(data);
  if (!in.Has(0, 6) || in.U16(0) != 0) return std::nullopt;
  const unsigned type = in.U16(2), count = in.U16(4);
  if ((type != 1 && type != 2) || count == 0 || !in.Has(6, size_t(count) * 16)) return std::nullopt;
  std::vector<ArgbImage> images;
  for (unsigned i = 0; i < count; ++i) {
    const size_t entry = 6 + size_t(i) * 16;
    auto image = ParseBitmap(in, in.U32(entry + 12), in.U32(entry + 8), type == 2,
                             in.U16(entry + 4), in.U16(entry + 6));
    if (!image) return std::nullopt;
    images.push_back(std::move(*image));
  }
  return images;
}

}  // namespace tintspot::x11
