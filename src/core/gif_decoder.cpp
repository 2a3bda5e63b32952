#include "gif_decoder.h"

#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace tintspot {
namespace {

constexpr int kMaxCodes = 4096;  // 12-bit codes
constexpr int kMaxCodeBits = 12;

constexpr char kTruncated[] = "truncated file";
constexpr char kShortData[] = "image data ends before the last pixel";
constexpr char kCorruptData[] = "corrupt image data";
constexpr char kAmbiguous[] = "an opaque pixel has the transparent colour";

GifResult Fail(std::string text) {
  GifResult result;
  result.error = std::move(text);
  return result;
}

// A cursor over the file that reports running off its end instead of
// reading past it.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

  bool Byte(std::uint8_t& out) {
    if (pos_ >= size_) return false;
    out = data_[pos_++];
    return true;
  }
  bool Word(int& out) {  // little-endian 16 bits
    std::uint8_t low = 0, high = 0;
    if (!Byte(low) || !Byte(high)) return false;
    out = low | (high << 8);
    return true;
  }
  bool Bytes(std::size_t count, const std::uint8_t*& out) {
    if (size_ - pos_ < count) return false;
    out = data_ + pos_;
    pos_ += count;
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// The bytes of a chain of data sub-blocks (a length byte, then that many
// bytes; a zero length ends the chain), one at a time.
class SubBlockStream {
 public:
  explicit SubBlockStream(ByteReader& reader) : reader_(reader) {}

  // False at the end of the chain or of the file.
  bool Next(std::uint8_t& out) {
    while (left_ == 0) {
      if (ended_ || truncated_) return false;
      std::uint8_t length = 0;
      if (!reader_.Byte(length)) {
        truncated_ = true;
        return false;
      }
      if (length == 0) {
        ended_ = true;
        return false;
      }
      left_ = length;
    }
    if (!reader_.Byte(out)) {
      truncated_ = true;
      return false;
    }
    --left_;
    return true;
  }
  // Skips the rest of the chain; false when the file ends first.
  bool Finish() {
    std::uint8_t ignored = 0;
    while (Next(ignored)) {
    }
    return !truncated_;
  }
  bool Truncated() const { return truncated_; }

 private:
  ByteReader& reader_;
  int left_ = 0;
  bool ended_ = false;
  bool truncated_ = false;
};

// Variable-width codes packed from the least significant bit up.
class CodeReader {
 public:
  explicit CodeReader(SubBlockStream& stream) : stream_(stream) {}

  bool Read(int width, int& code) {
    while (bitCount_ < width) {
      std::uint8_t byte = 0;
      if (!stream_.Next(byte)) return false;
      bits_ |= static_cast<std::uint32_t>(byte) << bitCount_;
      bitCount_ += 8;
    }
    code = static_cast<int>(bits_ & ((1u << width) - 1));
    bits_ >>= width;
    bitCount_ -= width;
    return true;
  }

 private:
  SubBlockStream& stream_;
  std::uint32_t bits_ = 0;
  int bitCount_ = 0;
};

// Decodes LZW data into exactly `count` colour indices (codes after the
// last pixel are not read). Returns an error text, empty on success.
std::string DecodeLzw(SubBlockStream& stream, int minCodeSize, std::size_t count,
                      std::vector<std::uint8_t>& out) {
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  // Entry c >= clear + 2 is the string of entry prefix[c] followed by
  // suffix[c]; every prefix is smaller than its entry, so chains end.
  std::array<std::uint16_t, kMaxCodes> prefix{};
  std::array<std::uint8_t, kMaxCodes> suffix{};
  std::array<std::uint8_t, kMaxCodes> reversed{};  // one string, last index first
  for (int i = 0; i < clear; ++i) suffix[i] = static_cast<std::uint8_t>(i);

  CodeReader codes(stream);
  int next = clear + 2;
  int width = minCodeSize + 1;
  int previous = -1;  // no previous code right after a clear
  out.clear();
  while (out.size() < count) {
    int code = 0;
    if (!codes.Read(width, code)) return stream.Truncated() ? kTruncated : kShortData;
    if (code == clear) {
      next = clear + 2;
      width = minCodeSize + 1;
      previous = -1;
      continue;
    }
    if (code == end) return kShortData;
    if (previous < 0) {
      if (code > clear) return kCorruptData;  // must be a single index
      out.push_back(static_cast<std::uint8_t>(code));
      previous = code;
      continue;
    }
    // The code's string; a code one past the table is the previous string
    // followed by its own first index.
    int walk = code;
    if (code == next && next < kMaxCodes) {
      walk = previous;
    } else if (code >= next) {
      return kCorruptData;
    }
    std::size_t length = 0;
    for (; walk >= clear; walk = prefix[walk]) reversed[length++] = suffix[walk];
    reversed[length++] = static_cast<std::uint8_t>(walk);
    const std::uint8_t firstIndex = static_cast<std::uint8_t>(walk);
    for (std::size_t i = length; i > 0 && out.size() < count; --i) out.push_back(reversed[i - 1]);
    if (code == next && out.size() < count) out.push_back(firstIndex);

    if (next < kMaxCodes) {  // a full table stays as it is until a clear
      prefix[next] = static_cast<std::uint16_t>(previous);
      suffix[next] = firstIndex;
      ++next;
      if (next == (1 << width) && width < kMaxCodeBits) ++width;
    }
    previous = code;
  }
  return std::string();
}

struct ColourTable {
  std::array<TColor, 256> colours{};
  int size = 0;  // 0: no table
};

bool ReadColourTable(ByteReader& in, int sizeBits, ColourTable& table) {
  table.size = 2 << sizeBits;
  const std::uint8_t* rgb = nullptr;
  if (!in.Bytes(static_cast<std::size_t>(table.size) * 3, rgb)) return false;
  for (int i = 0; i < table.size; ++i) {
    table.colours[i] = MakeColor(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
  }
  return true;
}

// The image row that the n-th stored row of an interlaced image belongs to:
// every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
std::vector<int> InterlacedRows(int height) {
  static constexpr int kPasses[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(height));
  for (const auto& pass : kPasses) {
    for (int y = pass[0]; y < height; y += pass[1]) rows.push_back(y);
  }
  return rows;
}

struct Screen {
  int width = 0;
  int height = 0;
  int background = 0;
  ColourTable global;
};

// transparentIndex: from the Graphic Control Extension, -1 when none.
GifResult DecodeImage(ByteReader& in, const Screen& screen, int transparentIndex) {
  int left = 0, top = 0, width = 0, height = 0;
  std::uint8_t flags = 0;
  if (!in.Word(left) || !in.Word(top) || !in.Word(width) || !in.Word(height) || !in.Byte(flags)) {
    return Fail(kTruncated);
  }
  if (width == 0 || height == 0) return Fail("image has no pixels");
  if (left + width > screen.width || top + height > screen.height) {
    return Fail("image lies outside the logical screen");
  }
  ColourTable local;
  if ((flags & 0x80) && !ReadColourTable(in, flags & 7, local)) return Fail(kTruncated);
  const ColourTable& table = local.size ? local : screen.global;
  if (table.size == 0) return Fail("no colour table");

  std::uint8_t minCodeSize = 0;
  if (!in.Byte(minCodeSize)) return Fail(kTruncated);
  if (minCodeSize < 2 || minCodeSize > 8) return Fail("bad LZW code size");
  SubBlockStream stream(in);
  std::vector<std::uint8_t> indices;
  const std::string lzwError =
      DecodeLzw(stream, minCodeSize, static_cast<std::size_t>(width) * height, indices);
  if (!lzwError.empty()) return Fail(lzwError);
  if (!stream.Finish()) return Fail(kTruncated);

  std::array<bool, 256> used{};
  for (std::uint8_t index : indices) used[index] = true;
  for (int i = table.size; i < 256; ++i) {
    if (used[i]) return Fail("colour index outside the colour table");
  }

  std::optional<TColor> transparent;
  if (transparentIndex >= 0) {
    if (transparentIndex >= table.size) return Fail("transparent index outside the colour table");
    transparent = table.colours[transparentIndex];
    for (int i = 0; i < table.size; ++i) {
      if (used[i] && i != transparentIndex && table.colours[i] == *transparent) {
        return Fail(kAmbiguous);
      }
    }
  }

  TColor background = kBlack;
  const bool coversScreen =
      left == 0 && top == 0 && width == screen.width && height == screen.height;
  if (!coversScreen) {
    if (screen.global.size == 0) return Fail("image does not cover the screen and no background");
    if (screen.background >= screen.global.size) {
      return Fail("background index outside the colour table");
    }
    background = screen.global.colours[screen.background];
    const bool backgroundIsTransparent =
        &table == &screen.global && transparentIndex == screen.background;
    if (transparent && !backgroundIsTransparent && background == *transparent) {
      return Fail(kAmbiguous);
    }
  }

  Picture picture;
  picture.pixels = PixelBuffer(screen.width, screen.height, background);
  picture.transparent = transparent;
  std::vector<int> rows;
  if (flags & 0x40) rows = InterlacedRows(height);
  const std::uint8_t* source = indices.data();
  for (int stored = 0; stored < height; ++stored) {
    const int y = top + (rows.empty() ? stored : rows[stored]);
    for (int x = 0; x < width; ++x) picture.pixels.Set(left + x, y, table.colours[*source++]);
  }
  GifResult result;
  result.picture = std::move(picture);
  return result;
}

// Graphic Control Extension, after its label: the transparent colour index
// when its flag is set, else -1. Returns an error text, empty on success.
std::string ReadGraphicControl(ByteReader& in, int& transparentIndex) {
  std::uint8_t length = 0;
  const std::uint8_t* body = nullptr;
  if (!in.Byte(length)) return kTruncated;
  if (length != 4) return "bad graphic control extension";
  if (!in.Bytes(4, body)) return kTruncated;
  transparentIndex = (body[0] & 1) ? body[3] : -1;
  SubBlockStream rest(in);
  if (!rest.Finish()) return kTruncated;
  return std::string();
}

}  // namespace

GifResult DecodeGif(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const std::uint8_t* signature = nullptr;
  if (!in.Bytes(6, signature)) return Fail(kTruncated);
  if (std::memcmp(signature, "GIF89a", 6) != 0 && std::memcmp(signature, "GIF87a", 6) != 0) {
    return Fail("not a GIF file");
  }
  Screen screen;
  std::uint8_t flags = 0, background = 0, aspect = 0;
  if (!in.Word(screen.width) || !in.Word(screen.height) || !in.Byte(flags) ||
      !in.Byte(background) || !in.Byte(aspect)) {
    return Fail(kTruncated);
  }
  if (screen.width == 0 || screen.height == 0) return Fail("logical screen has no pixels");
  if (screen.width > kGifMaxDimension || screen.height > kGifMaxDimension) {
    return Fail("logical screen larger than 4096 x 4096 pixels");
  }
  screen.background = background;
  if ((flags & 0x80) && !ReadColourTable(in, flags & 7, screen.global)) return Fail(kTruncated);

  int transparentIndex = -1;  // from the last Graphic Control Extension
  for (;;) {
    std::uint8_t introducer = 0;
    if (!in.Byte(introducer)) return Fail(kTruncated);
    if (introducer == 0x2C) return DecodeImage(in, screen, transparentIndex);
    if (introducer == 0x3B) return Fail("no image in file");
    if (introducer != 0x21) return Fail("unknown block");
    std::uint8_t label = 0;
    if (!in.Byte(label)) return Fail(kTruncated);
    if (label == 0xF9) {
      std::string error = ReadGraphicControl(in, transparentIndex);
      if (!error.empty()) return Fail(std::move(error));
      continue;
    }
    // A plain-text block is what a preceding Graphic Control Extension
    // belonged to.
    if (label == 0x01) transparentIndex = -1;
    SubBlockStream skipped(in);
    if (!skipped.Finish()) return Fail(kTruncated);
  }
}

}  // namespace tintspot
