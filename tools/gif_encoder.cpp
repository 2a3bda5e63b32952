#include "gif_encoder.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "gif_decoder.h"

namespace tintspot {
namespace {

constexpr int kMaxCodes = 4096;  // 12-bit codes

GifEncoding Fail(std::string text) {
  GifEncoding result;
  result.error = std::move(text);
  return result;
}

void PutWord(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutColour(std::vector<std::uint8_t>& out, TColor colour) {
  out.push_back(static_cast<std::uint8_t>(RedOf(colour)));
  out.push_back(static_cast<std::uint8_t>(GreenOf(colour)));
  out.push_back(static_cast<std::uint8_t>(BlueOf(colour)));
}

// Packs variable-width codes from the least significant bit up.
class CodeWriter {
 public:
  void Write(int code, int width) {
    bits_ |= static_cast<std::uint32_t>(code) << bitCount_;
    bitCount_ += width;
    while (bitCount_ >= 8) {
      bytes_.push_back(static_cast<std::uint8_t>(bits_ & 0xFF));
      bits_ >>= 8;
      bitCount_ -= 8;
    }
  }
  std::vector<std::uint8_t> Finish() {
    if (bitCount_ > 0) bytes_.push_back(static_cast<std::uint8_t>(bits_ & 0xFF));
    bits_ = 0;
    bitCount_ = 0;
    return std::move(bytes_);
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint32_t bits_ = 0;
  int bitCount_ = 0;
};

// LZW codes of the indices (at least one), starting with a clear code.
std::vector<std::uint8_t> EncodeLzw(const std::vector<std::uint8_t>& indices, int minCodeSize) {
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  // (code of a string << 8 | next index) -> code of the longer string
  std::unordered_map<std::uint32_t, int> table;
  int next = clear + 2;
  int width = minCodeSize + 1;
  CodeWriter codes;
  codes.Write(clear, width);
  int current = indices[0];
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const std::uint32_t key = (static_cast<std::uint32_t>(current) << 8) | indices[i];
    const auto found = table.find(key);
    if (found != table.end()) {
      current = found->second;
      continue;
    }
    codes.Write(current, width);
    table.emplace(key, next);
    if (next == (1 << width)) ++width;  // the new code needs one more bit
    ++next;
    if (next == kMaxCodes) {
      codes.Write(clear, width);
      table.clear();
      next = clear + 2;
      width = minCodeSize + 1;
    }
    current = indices[i];
  }
  codes.Write(current, width);
  // The reader adds one more entry on reading the last code (unless it came
  // straight after a clear), which may widen the end code.
  if (next == (1 << width)) ++width;
  codes.Write(end, width);
  return codes.Finish();
}

}  // namespace

GifEncoding EncodeGif(const Picture& picture) {
  const PixelBuffer& pixels = picture.pixels;
  if (pixels.Empty()) return Fail("picture has no pixels");
  if (pixels.Width() > kGifMaxDimension || pixels.Height() > kGifMaxDimension) {
    return Fail("picture larger than 4096 x 4096 pixels");
  }
  if (picture.transparent && *picture.transparent > 0xFFFFFFu) {
    return Fail("transparent value is not an RGB colour");
  }

  std::vector<TColor> palette;
  std::unordered_map<TColor, std::uint8_t> indexOf;
  std::vector<std::uint8_t> indices;
  indices.reserve(pixels.Pixels().size());
  auto add = [&](TColor colour) {
    const auto found = indexOf.find(colour);
    if (found != indexOf.end()) return true;
    if (palette.size() == 256) return false;
    indexOf.emplace(colour, static_cast<std::uint8_t>(palette.size()));
    palette.push_back(colour);
    return true;
  };
  for (TColor colour : pixels.Pixels()) {
    if (colour > 0xFFFFFFu) return Fail("pixel is not an RGB colour");
    if (!add(colour)) return Fail("picture has more than 256 colours");
    indices.push_back(indexOf[colour]);
  }
  if (picture.transparent && !add(*picture.transparent)) {
    return Fail("picture has more than 256 colours with its transparent colour");
  }

  int sizeBits = 0;  // the table holds 2 << sizeBits colours
  while ((2u << sizeBits) < palette.size()) ++sizeBits;
  const TColor padding = (picture.transparent == kBlack) ? kWhite : kBlack;
  palette.resize(2u << sizeBits, padding);
  const int minCodeSize = std::max(2, sizeBits + 1);

  std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  PutWord(out, pixels.Width());
  PutWord(out, pixels.Height());
  out.push_back(static_cast<std::uint8_t>(0xF0 | sizeBits));  // global table, 8-bit colour
  out.push_back(0);                                           // background index
  out.push_back(0);                                           // no aspect ratio
  for (TColor colour : palette) PutColour(out, colour);
  if (picture.transparent) {
    const std::uint8_t index = indexOf[*picture.transparent];
    out.insert(out.end(), {0x21, 0xF9, 4, 0x01, 0, 0, index, 0});
  }
  out.push_back(0x2C);
  PutWord(out, 0);
  PutWord(out, 0);
  PutWord(out, pixels.Width());
  PutWord(out, pixels.Height());
  out.push_back(0);  // no local table, not interlaced
  out.push_back(static_cast<std::uint8_t>(minCodeSize));
  const std::vector<std::uint8_t> data = EncodeLzw(indices, minCodeSize);
  for (std::size_t start = 0; start < data.size(); start += 255) {
    const std::size_t length = std::min<std::size_t>(255, data.size() - start);
    out.push_back(static_cast<std::uint8_t>(length));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(start),
               data.begin() + static_cast<std::ptrdiff_t>(start + length));
  }
  out.push_back(0);
  out.push_back(0x3B);

  GifEncoding result;
  result.bytes = std::move(out);
  return result;
}

}  // namespace tintspot
