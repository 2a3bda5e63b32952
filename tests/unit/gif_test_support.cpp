#include "gif_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tintspot::gif_test {
namespace {

void PutWord(Bytes& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// The size field of a colour table of `count` entries (2 << field entries).
int TableSizeField(std::size_t count) {
  int field = 0;
  while ((2u << field) < count) ++field;
  EXPECT_EQ(2u << field, count) << "test tables must have a power-of-two size";
  return field;
}

void PutTable(Bytes& out, const std::vector<TColor>& table) {
  for (TColor c : table) {
    out.push_back(static_cast<std::uint8_t>(RedOf(c)));
    out.push_back(static_cast<std::uint8_t>(GreenOf(c)));
    out.push_back(static_cast<std::uint8_t>(BlueOf(c)));
  }
}

}  // namespace

Bytes Encode(const Picture& picture) {
  GifEncoding encoding = EncodeGif(picture);
  EXPECT_TRUE(encoding.bytes.has_value()) << encoding.error;
  return encoding.bytes.value_or(Bytes());
}

Bytes PackCodes(const std::vector<std::pair<int, int>>& codes) {
  Bytes out;
  std::uint32_t bits = 0;
  int count = 0;
  for (const auto& [code, width] : codes) {
    bits |= static_cast<std::uint32_t>(code) << count;
    count += width;
    for (; count >= 8; count -= 8, bits >>= 8) out.push_back(static_cast<std::uint8_t>(bits));
  }
  if (count > 0) out.push_back(static_cast<std::uint8_t>(bits));
  return out;
}

Bytes Build(const GifParts& parts) {
  Bytes out(parts.signature.begin(), parts.signature.end());
  PutWord(out, parts.screenWidth);
  PutWord(out, parts.screenHeight);
  out.push_back(parts.global.empty() ? 0 : 0x80 | TableSizeField(parts.global.size()));
  out.push_back(static_cast<std::uint8_t>(parts.background));
  out.push_back(0);
  PutTable(out, parts.global);
  if (parts.transparentIndex) {
    out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0});
    out.push_back(static_cast<std::uint8_t>(*parts.transparentIndex));
    out.push_back(0);
  }
  out.push_back(0x2C);
  PutWord(out, parts.left);
  PutWord(out, parts.top);
  PutWord(out, parts.width);
  PutWord(out, parts.height);
  std::uint8_t flags = parts.interlaced ? 0x40 : 0;
  if (!parts.local.empty()) flags |= 0x80 | TableSizeField(parts.local.size());
  out.push_back(flags);
  PutTable(out, parts.local);
  out.push_back(static_cast<std::uint8_t>(parts.minCodeSize));
  for (std::size_t start = 0; start < parts.data.size(); start += 255) {
    const std::size_t length = std::min<std::size_t>(255, parts.data.size() - start);
    out.push_back(static_cast<std::uint8_t>(length));
    out.insert(out.end(), parts.data.begin() + start, parts.data.begin() + start + length);
  }
  out.push_back(0);
  out.push_back(0x3B);
  return out;
}

}  // namespace tintspot::gif_test
