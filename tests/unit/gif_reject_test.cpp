// GIF files the decoder must refuse, and damaged files it must survive.
#include <gtest/gtest.h>

#include "gif_test_support.h"

namespace tintspot::gif_test {
namespace {

constexpr TColor kRed = MakeColor(255, 0, 0);
constexpr TColor kGreen = MakeColor(0, 255, 0);
constexpr TColor kBlue = MakeColor(0, 0, 255);

// A valid 2 x 1 image, red and green. Codes: clear, 0, 1, end, all 3 bits.
GifParts TwoPixels() {
  GifParts parts;
  parts.global = {kRed, kGreen, kBlue, kWhite};
  parts.width = 2;
  parts.screenWidth = 2;
  parts.data = PackCodes({{4, 3}, {0, 3}, {1, 3}, {5, 3}});
  return parts;
}

void ExpectError(const Bytes& file, const std::string& cause) {
  const GifResult result = Decode(file);
  EXPECT_FALSE(result.picture.has_value());
  EXPECT_NE(result.error.find(cause), std::string::npos) << "error: \"" << result.error << '"';
}

void ExpectAccepted(const Bytes& file) {
  const GifResult result = Decode(file);
  EXPECT_TRUE(result.picture.has_value()) << result.error;
}

TEST(GifReject, Signature) {
  ExpectAccepted(Build(TwoPixels()));
  for (const char* signature : {"GIF88a", "gif89a", "GIF89b", "JIF87a"}) {
    GifParts parts = TwoPixels();
    parts.signature = signature;
    ExpectError(Build(parts), "not a GIF file");
  }
  ExpectError(Bytes(), "truncated");
  ExpectError(Bytes{'G', 'I', 'F'}, "truncated");
}

TEST(GifReject, ZeroAndHugeSizes) {
  auto withSizes = [](int screenWidth, int screenHeight, int left, int width) {
    GifParts parts = TwoPixels();
    parts.screenWidth = screenWidth;
    parts.screenHeight = screenHeight;
    parts.left = left;
    parts.width = width;
    return Build(parts);
  };
  ExpectError(withSizes(0, 1, 0, 2), "logical screen has no pixels");
  ExpectError(withSizes(2, 0, 0, 2), "logical screen has no pixels");
  ExpectError(withSizes(2, 1, 0, 0), "image has no pixels");
  ExpectError(withSizes(4097, 1, 0, 2), "larger than 4096");
  ExpectError(withSizes(2, 4097, 0, 2), "larger than 4096");
  ExpectError(withSizes(65535, 65535, 0, 2), "larger than 4096");
  ExpectError(withSizes(2, 1, 0, 3), "outside the logical screen");
  ExpectError(withSizes(2, 1, 1, 2), "outside the logical screen");
  ExpectError(withSizes(2, 1, 65535, 2), "outside the logical screen");
  GifParts tall = TwoPixels();
  tall.height = 2;
  ExpectError(Build(tall), "outside the logical screen");

  ExpectAccepted(Encode(MakePicture(4096, 2, [](int x, int) { return MakeColor(x & 1, 0, 0); })));
  ExpectAccepted(Encode(MakePicture(2, 4096, [](int, int y) { return MakeColor(y & 1, 0, 0); })));
}

TEST(GifReject, ColourTables) {
  GifParts parts = TwoPixels();
  parts.global.clear();
  ExpectError(Build(parts), "no colour table");

  // Index 2 or 3 in a 2-colour table; the local table, when present, counts.
  for (int index : {2, 3}) {
    parts = TwoPixels();
    parts.global = {kRed, kGreen};
    parts.data = PackCodes({{4, 3}, {0, 3}, {index, 3}, {5, 3}});
    ExpectError(Build(parts), "colour index outside the colour table");
    parts.global = {kRed, kGreen, kBlue, kWhite};
    ExpectAccepted(Build(parts));
    parts.local = {kRed, kGreen};
    ExpectError(Build(parts), "colour index outside the colour table");
  }

  // An image that leaves part of the screen uncovered needs a background.
  parts = TwoPixels();
  parts.screenWidth = 3;
  ExpectAccepted(Build(parts));
  parts.local = parts.global;
  parts.global.clear();
  ExpectError(Build(parts), "does not cover the screen");
  parts = TwoPixels();
  parts.screenHeight = 2;
  parts.background = 4;
  ExpectError(Build(parts), "background index outside the colour table");
}

TEST(GifReject, AmbiguousTransparency) {
  GifParts parts = TwoPixels();
  parts.global = {kRed, kRed, kBlue, kWhite};
  parts.transparentIndex = 1;
  ExpectError(Build(parts), "opaque pixel has the transparent colour");
  // The same table is fine while the duplicate of the transparent colour is
  // not used by any pixel.
  parts.data = PackCodes({{4, 3}, {1, 3}, {2, 3}, {5, 3}});
  const GifResult unused = Decode(Build(parts));
  ASSERT_TRUE(unused.picture.has_value()) << unused.error;
  EXPECT_EQ(unused.picture->transparent, kRed);
  parts.transparentIndex = 4;
  ExpectError(Build(parts), "transparent index outside the colour table");

  // Background pixels outside the image: transparent when the background
  // index is the transparent index, opaque (and so in conflict) when another
  // index has the same colour.
  parts = TwoPixels();
  parts.screenWidth = 3;
  parts.background = 2;
  parts.transparentIndex = 2;
  const GifResult keyed = Decode(Build(parts));
  ASSERT_TRUE(keyed.picture.has_value()) << keyed.error;
  EXPECT_EQ(keyed.picture->pixels.At(2, 0), kBlue);
  EXPECT_EQ(keyed.picture->transparent, kBlue);
  parts.global = {kRed, kGreen, kBlue, kBlue};
  parts.background = 3;
  ExpectError(Build(parts), "opaque pixel has the transparent colour");
  // With a local table the background comes from another table, so its
  // colour decides.
  parts.global = {kRed, kGreen, kBlue, kWhite};
  parts.local = {kRed, kGreen, kWhite, kBlue};
  ExpectError(Build(parts), "opaque pixel has the transparent colour");
}

TEST(GifReject, BadLzwData) {
  GifParts parts = TwoPixels();
  auto withCodes = [&](std::vector<std::pair<int, int>> codes) {
    parts.data = PackCodes(codes);
    return Build(parts);
  };
  ExpectError(withCodes({{4, 3}, {0, 3}, {7, 3}, {5, 3}}), "corrupt image data");
  ExpectError(withCodes({{4, 3}, {6, 3}, {5, 3}}), "corrupt image data");
  ExpectError(withCodes({{4, 3}, {0, 3}, {4, 3}, {6, 3}, {5, 3}}), "corrupt image data");
  ExpectError(withCodes({{4, 3}, {0, 3}, {5, 3}}), "ends before the last pixel");
  ExpectError(withCodes({{4, 3}, {0, 3}}), "ends before the last pixel");
  ExpectError(withCodes({}), "ends before the last pixel");
  ExpectAccepted(withCodes({{4, 3}, {0, 3}, {4, 3}, {1, 3}, {5, 3}}));

  for (int size : {0, 1, 9, 12}) {
    parts = TwoPixels();
    parts.minCodeSize = size;
    ExpectError(Build(parts), "bad LZW code size");
  }
}

TEST(GifReject, BlockStructure) {
  Bytes file = Build(TwoPixels());
  const std::size_t image = 13 + 12;
  ASSERT_EQ(file.at(image), 0x2C);
  Bytes early(file.begin(), file.begin() + image);
  early.push_back(0x3B);
  ExpectError(early, "no image");
  early.back() = 0x00;
  ExpectError(early, "unknown block");
  Bytes control(file.begin(), file.begin() + image);
  control.insert(control.end(), {0x21, 0xF9, 5, 1, 0, 0, 1, 0, 0});
  control.insert(control.end(), file.begin() + image, file.end());
  ExpectError(control, "bad graphic control extension");
}

// Files with every kind of block, for the damage tests.
std::vector<Bytes> SampleFiles() {
  GifParts parts = TwoPixels();
  parts.local = {kWhite, kBlue, kGreen, kRed};
  parts.transparentIndex = 0;
  parts.interlaced = true;
  parts.screenHeight = 2;
  Noise noise(99);
  return {
      Build(parts),
      Encode(MakePicture(
          7, 11, [](int x, int y) { return (x + y) % 3 ? kBlack : kRed; }, kRed)),
      Encode(MakePicture(40, 30, [&](int, int) { return MakeColor(noise.Next() % 256, 5, 6); }))};
}

TEST(GifDamage, EveryTruncationIsRefused) {
  for (const Bytes& file : SampleFiles()) {
    const GifResult whole = Decode(file);
    ASSERT_TRUE(whole.picture.has_value()) << whole.error;
    // Up to the end of the image data every prefix is an error; the trailer
    // alone may be missing.
    for (std::size_t length = 0; length + 1 < file.size(); ++length) {
      SCOPED_TRACE(length);
      const GifResult result = DecodeGif(file.data(), length);
      EXPECT_FALSE(result.picture.has_value());
      EXPECT_FALSE(result.error.empty());
    }
    const GifResult noTrailer = DecodeGif(file.data(), file.size() - 1);
    ASSERT_TRUE(noTrailer.picture.has_value()) << noTrailer.error;
    EXPECT_TRUE(noTrailer.picture->pixels == whole.picture->pixels);
  }
  EXPECT_FALSE(DecodeGif(nullptr, 100).error.empty());
}

TEST(GifDamage, ChangedBytesGiveAPictureOrAnError) {
  for (const Bytes& file : SampleFiles()) {
    for (std::size_t at = 0; at < file.size(); ++at) {
      for (int change : {0x00, 0xFF, file[at] ^ 0x01, file[at] ^ 0x80, file[at] ^ 0x10}) {
        Bytes damaged = file;
        damaged[at] = static_cast<std::uint8_t>(change);
        const GifResult result = Decode(damaged);
        ASSERT_NE(result.picture.has_value(), !result.error.empty()) << at;
        if (!result.picture) continue;
        const PixelBuffer& pixels = result.picture->pixels;
        EXPECT_TRUE(pixels.Width() >= 1 && pixels.Width() <= kGifMaxDimension);
        EXPECT_TRUE(pixels.Height() >= 1 && pixels.Height() <= kGifMaxDimension);
      }
    }
  }
}

}  // namespace
}  // namespace tintspot::gif_test
