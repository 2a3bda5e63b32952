#include "png_file.h"

#include <array>
#include <string>

namespace skin {

namespace {

void PutBigU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
  return ~crc;
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
  PutBigU32(out, static_cast<std::uint32_t>(data.size()));
  std::vector<std::uint8_t> typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  PutBigU32(out, Crc32(typed.data(), typed.size()));
}

// A zlib stream of stored deflate blocks.
std::vector<std::uint8_t> ZlibStored(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out{0x78, 0x01};
  std::size_t offset = 0;
  do {
    const std::size_t size = std::min<std::size_t>(raw.size() - offset, 65535);
    const bool last = offset + size == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(size & 0xFFu));
    out.push_back(static_cast<std::uint8_t>(size >> 8));
    out.push_back(static_cast<std::uint8_t>(~size & 0xFFu));
    out.push_back(static_cast<std::uint8_t>((~size >> 8) & 0xFFu));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
               raw.begin() + static_cast<std::ptrdiff_t>(offset + size));
    offset += size;
  } while (offset < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521u;
    b = (b + a) % 65521u;
  }
  PutBigU32(out, (b << 16) | a);
  return out;
}

}  // namespace

std::vector<std::uint8_t> PngFile(const tintspot::Picture& picture) {
  const tintspot::PixelBuffer& pixels = picture.pixels;
  std::vector<std::uint8_t> raw;
  for (int y = 0; y < pixels.Height(); ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < pixels.Width(); ++x) {
      const tintspot::TColor colour = pixels.At(x, y);
      const bool clear = picture.transparent && colour == *picture.transparent;
      raw.push_back(clear ? 0 : static_cast<std::uint8_t>(colour & 0xFFu));
      raw.push_back(clear ? 0 : static_cast<std::uint8_t>((colour >> 8) & 0xFFu));
      raw.push_back(clear ? 0 : static_cast<std::uint8_t>((colour >> 16) & 0xFFu));
      raw.push_back(clear ? 0 : 255);
    }
  }
  std::vector<std::uint8_t> header;
  PutBigU32(header, static_cast<std::uint32_t>(pixels.Width()));
  PutBigU32(header, static_cast<std::uint32_t>(pixels.Height()));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace

  std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", ZlibStored(raw));
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace skin
