// GIF reading and writing: round trips through the encoder, files written
// byte by byte, interlacing.
#include <gtest/gtest.h>

#include <algorithm>

#include "gif_test_support.h"

namespace tintspot::gif_test {
namespace {

constexpr TColor kRed = MakeColor(255, 0, 0);
constexpr TColor kGreen = MakeColor(0, 255, 0);
constexpr TColor kBlue = MakeColor(0, 0, 255);
constexpr TColor kSlate = MakeColor(0x12, 0x34, 0x56);

void ExpectPicture(const GifResult& result, const Picture& expected) {
  ASSERT_TRUE(result.picture.has_value()) << result.error;
  EXPECT_TRUE(result.error.empty());
  EXPECT_EQ(result.picture->pixels.Width(), expected.pixels.Width());
  EXPECT_EQ(result.picture->pixels.Height(), expected.pixels.Height());
  EXPECT_TRUE(result.picture->pixels == expected.pixels);
  EXPECT_EQ(result.picture->transparent, expected.transparent);
}

void ExpectRoundTrip(const Picture& picture) { ExpectPicture(Decode(Encode(picture)), picture); }

// Colour table entries of an encoder-written file, from its screen flags.
std::size_t GlobalTableSize(const Bytes& file) { return 2u << (file.at(10) & 7); }

TEST(GifRoundTrip, SmallAndTransparentPictures) {
  ExpectRoundTrip(MakePicture(1, 1, [](int, int) { return kSlate; }));

  // A 7 x 11 padlock: shackle, body with a keyhole, cut-off bottom corners.
  const char* rows[] = {".XXXXX.", "XX...XX", "X.....X", "XXXXXXX", "XXXXXXX", "XXX.XXX",
                        "XXX.XXX", "XXXXXXX", "XXXXXXX", "XXXXXXX", ".XXXXX."};
  const TColor key = MakeColor(255, 0, 255);
  ExpectRoundTrip(MakePicture(
      7, 11, [&](int x, int y) { return rows[y][x] == 'X' ? kBlack : key; }, key));
}

TEST(GifRoundTrip, ManyColoursAndExactly256) {
  Noise noise(7);
  // 171 x 90, the readout panel's size, with 200 colours in noisy patches.
  ExpectRoundTrip(MakePicture(171, 90, [&](int x, int y) {
    const unsigned n = (x / 3 + y / 2 * 57 + noise.Next() % 3) % 200;
    return MakeColor(n, 255 - n, (n * 7) & 0xFF);
  }));

  const Picture all = MakePicture(16, 16, [](int x, int y) { return MakeColor(x * 16 + y, 3, 9); });
  const Bytes file = Encode(all);
  EXPECT_EQ(GlobalTableSize(file), 256u);
  ExpectPicture(Decode(file), all);
}

TEST(GifRoundTrip, ColourTableIsTheNextPowerOfTwo) {
  const std::pair<unsigned, std::size_t> cases[] = {{1, 2},    {2, 2},     {3, 4},    {4, 4},
                                                    {5, 8},    {9, 16},    {17, 32},  {33, 64},
                                                    {65, 128}, {129, 256}, {255, 256}};
  for (const auto& [colours, tableSize] : cases) {
    SCOPED_TRACE(colours);
    const Picture picture =
        MakePicture(31, 9, [&](int x, int y) { return MakeColor((x + 31 * y) % colours, 40, 0); });
    const Bytes file = Encode(picture);
    EXPECT_EQ(GlobalTableSize(file), tableSize);
    ExpectPicture(Decode(file), picture);
  }
}

TEST(GifRoundTrip, CodeTableFillsAndClearsManyTimes) {
  Noise noise(12345);
  // 8-bit indices: noise fills the 12-bit table after about 3800 codes.
  ExpectRoundTrip(
      MakePicture(300, 200, [&](int, int) { return MakeColor(noise.Next() % 256, 0, 1); }));
  // 2-bit indices: codes grow from 3 to 12 bits before every clear; runs of
  // one colour make long strings.
  ExpectRoundTrip(MakePicture(400, 300, [&](int, int y) {
    return (y % 50 < 10) ? kRed : MakeColor(noise.Next() % 4, 0, 0);
  }));
  ExpectRoundTrip(MakePicture(4096, 16, [](int, int) { return kBlue; }));
}

TEST(GifRoundTrip, TransparentColourWithoutPixels) {
  ExpectRoundTrip(MakePicture(
      3, 2, [](int x, int) { return x ? kRed : kGreen; }, kBlue));
  // Black as the transparent colour: the table is padded with white, so the
  // transparent colour appears only once.
  const Picture picture = MakePicture(
      3, 1, [](int x, int) { return x == 1 ? kBlack : MakeColor(x, 2, 3); }, kBlack);
  const Bytes file = Encode(picture);
  ASSERT_EQ(GlobalTableSize(file), 4u);
  EXPECT_EQ(Bytes(file.begin() + 22, file.begin() + 25), (Bytes{255, 255, 255}));
  ExpectPicture(Decode(file), picture);
}

// Bytes worked out by hand. The LZW codes are 3 bits wide until code 8 can
// occur, then 4; each is written from its lowest bit: clear 4 (0 0 1),
// index 0 (0 0 0), code 6 (0 1 1), index 0 (0 0 0), end 5 (1 0 1 0). The bit
// stream 00100001 10001010, each byte read from its lowest bit, is 0x84 0x51.
// Code 6 is read before it is defined, so it stands for the previous string
// plus that string's first index: "0 0".
// clang-format off
const Bytes kTwoByTwo = {
    'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0xF0, 0, 0,  // screen, 2-colour table
    0x12, 0x34, 0x56, 0, 0, 0,                             // slate, black
    0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0,                       // image 2 x 2 at 0, 0
    2, 2, 0x84, 0x51, 0, 0x3B};
// clang-format on

TEST(GifHandmade, TwoByTwoOfOneColour) {
  const Picture slate = MakePicture(2, 2, [](int, int) { return kSlate; });
  ExpectPicture(Decode(kTwoByTwo), slate);
  EXPECT_EQ(Encode(slate), kTwoByTwo);

  Bytes old = kTwoByTwo;
  old[4] = '7';  // "GIF87a"
  ExpectPicture(Decode(old), slate);
}

// 3 x 1, red green blue with green transparent, after an application and a
// comment extension. Codes: clear (0 0 1), 0 (0 0 0), 1 (1 0 0), 2 (0 1 0),
// end in 4 bits (1 0 1 0): bit stream 00100010 00101010 gives 0x44 0x54.
// clang-format off
const Bytes kThreeByOne = {
    'G', 'I', 'F', '8', '9', 'a', 3, 0, 1, 0, 0xF1, 0, 0,  // screen, 4-colour table
    255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255,         // red green blue white
    0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0,
    0x21, 0xFE, 3, 'h', 'i', '!', 0,           // comment
    0x21, 0xF9, 4, 1, 0, 0, 1, 0,              // transparent index 1
    0x2C, 0, 0, 0, 0, 3, 0, 1, 0, 0,           // image 3 x 1 at 0, 0
    2, 2, 0x44, 0x54, 0, 0x3B};
// clang-format on

TEST(GifHandmade, ThreeByOneWithExtensionsAndTransparency) {
  Picture expected = MakePicture(3, 1, [](int x, int) {
    return x == 0 ? kRed : x == 1 ? kGreen : kBlue;
  });
  expected.transparent = kGreen;
  ExpectPicture(Decode(kThreeByOne), expected);

  // A plain-text block after the Graphic Control Extension is what the
  // extension belongs to; the image then has no transparent colour.
  Bytes plain = kThreeByOne;
  const Bytes text = {0x21, 0x01, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 'a', 'b', 0};
  ASSERT_EQ(plain.at(59), 0x2C);
  plain.insert(plain.begin() + 59, text.begin(), text.end());
  expected.transparent.reset();
  ExpectPicture(Decode(plain), expected);
}

// 11 x 1 with indices 0 0 1 0 2 0 3 1 1 2 1: no pair repeats, so every code
// but the last adds an entry. Codes 0 0 1 are 3 bits; adding entry 8 makes
// them 4 bits: 0 2 0 3 1 1 2 1. The reader, one entry behind the writer,
// reaches entry 16 on the last code, so the end code 5 takes 5 bits:
//   001 000 000 100 0000 0100 0000 1100 1000 1000 0100 1000 10100
// 49 bits, each byte read from its lowest bit: 04 02 02 13 21 51 00.
// clang-format off
const Bytes kElevenByOne = {
    'G', 'I', 'F', '8', '9', 'a', 11, 0, 1, 0, 0xF1, 0, 0,  // screen, 4-colour table
    255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255,          // red green blue white
    0x2C, 0, 0, 0, 0, 11, 0, 1, 0, 0,                        // image 11 x 1 at 0, 0
    2, 7, 0x04, 0x02, 0x02, 0x13, 0x21, 0x51, 0x00, 0, 0x3B};
// clang-format on

TEST(GifHandmade, EndCodeWidensWithTheTable) {
  const int indices[] = {0, 0, 1, 0, 2, 0, 3, 1, 1, 2, 1};
  const TColor colours[] = {kRed, kGreen, kBlue, kWhite};
  const Picture picture = MakePicture(11, 1, [&](int x, int) { return colours[indices[x]]; });
  ExpectPicture(Decode(kElevenByOne), picture);
  EXPECT_EQ(Encode(picture), kElevenByOne);
}

TEST(GifHandmade, LocalTableAndPlacementOnTheScreen) {
  GifParts parts;
  parts.global = {kRed, kGreen, kBlue, kWhite};
  parts.local = {kSlate, kBlack, kWhite, kGreen};
  parts.width = 3;
  parts.screenWidth = 3;
  parts.data = PackCodes({{4, 3}, {0, 3}, {1, 3}, {3, 3}, {5, 4}});
  ExpectPicture(Decode(Build(parts)), MakePicture(3, 1, [](int x, int) {
                  return x == 0 ? kSlate : x == 1 ? kBlack : kGreen;
                }));

  // The same 3 x 1 image at (1, 1) on a 5 x 3 screen of background blue.
  parts.screenWidth = 5;
  parts.screenHeight = 3;
  parts.left = 1;
  parts.top = 1;
  parts.background = 2;
  ExpectPicture(Decode(Build(parts)), MakePicture(5, 3, [](int x, int y) {
                  if (y != 1 || x == 0 || x == 4) return kBlue;
                  return x == 1 ? kSlate : x == 2 ? kBlack : kGreen;
                }));
}

TEST(GifHandmade, UnusualButValidCodeStreams) {
  GifParts parts;
  parts.global = {kRed, kGreen, kBlue, kWhite};
  parts.width = 2;
  parts.screenWidth = 2;
  // No clear code at the start.
  parts.data = PackCodes({{0, 3}, {1, 3}, {5, 3}});
  ExpectPicture(Decode(Build(parts)),
                MakePicture(2, 1, [](int x, int) { return x ? kGreen : kRed; }));
  // A last string longer than the image, and codes after it: both ignored.
  parts.data = PackCodes({{4, 3}, {2, 3}, {6, 3}, {7, 3}, {5, 4}});
  ExpectPicture(Decode(Build(parts)), MakePicture(2, 1, [](int, int) { return kBlue; }));
}

int BitLength(int value) {
  int bits = 0;
  for (; value > 0; value >>= 1) ++bits;
  return bits;
}

TEST(GifHandmade, FullCodeTableIsKeptUntilAClear) {
  // 4998 single-index codes fill the table (codes 6..4095) with no clear
  // code, so codes stay 12 bits wide; then code 6, defined by the first two
  // codes as "0 1", still holds its string.
  GifParts parts;
  parts.global = {kRed, kGreen, kBlue, kWhite};
  parts.width = 100;
  parts.height = 50;
  parts.screenWidth = 100;
  parts.screenHeight = 50;
  std::vector<std::pair<int, int>> codes = {{4, 3}};
  const int literals = 4998;
  // A code is as wide as the next free table entry needs (at most 12 bits).
  auto width = [](int nextFree) { return BitLength(std::min(nextFree, 4095)); };
  for (int k = 0; k < literals; ++k) codes.push_back({k % 4, width(k == 0 ? 6 : 5 + k)});
  codes.push_back({6, 12});
  codes.push_back({5, 12});
  parts.data = PackCodes(codes);
  const TColor colours[] = {kRed, kGreen, kBlue, kWhite};
  ExpectPicture(Decode(Build(parts)), MakePicture(100, 50, [&](int x, int y) {
                  const int n = x + 100 * y;
                  return n < literals ? colours[n % 4] : colours[n - literals];
                }));
}

TEST(GifInterlace, RowsComeInFourPasses) {
  // Stored row order: every 8th row from 0, every 8th from 4, every 4th
  // from 2, every 2nd from 1.
  const std::vector<std::vector<int>> orders = {
      {0},
      {0, 1},
      {0, 2, 1},
      {0, 4, 2, 1, 3},
      {0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9},
      {0, 8, 4, 12, 2, 6, 10, 14, 1, 3, 5, 7, 9, 11, 13, 15}};
  for (const auto& order : orders) {
    const int height = static_cast<int>(order.size());
    SCOPED_TRACE(height);
    auto colourAt = [](int x, int y) { return MakeColor(y * 15, 200 - y, x * 60); };
    const Picture image = MakePicture(3, height, colourAt);
    const Picture stored =
        MakePicture(3, height, [&](int x, int n) { return colourAt(x, order[n]); });
    Bytes file = Encode(stored);
    const std::size_t descriptor = 13 + 3 * GlobalTableSize(file);
    ASSERT_EQ(file.at(descriptor), 0x2C);
    file.at(descriptor + 9) |= 0x40;  // the same data, read as interlaced
    ExpectPicture(Decode(file), image);
  }
}

TEST(GifEncoder, RefusesWhatCannotBeWritten) {
  auto refused = [](const Picture& picture) {
    const GifEncoding encoding = EncodeGif(picture);
    return !encoding.bytes && !encoding.error.empty();
  };
  EXPECT_TRUE(
      refused(MakePicture(257, 1, [](int x, int) { return MakeColor(x % 256, x / 256, 0); })));
  EXPECT_TRUE(refused(MakePicture(
      16, 16, [](int x, int y) { return MakeColor(x, y, 0); }, kWhite)));
  EXPECT_FALSE(refused(MakePicture(16, 16, [](int x, int y) { return MakeColor(x, y, 0); })));
  EXPECT_FALSE(refused(MakePicture(
      16, 16, [](int x, int y) { return MakeColor(x, y, 0); }, kBlack)));
  EXPECT_TRUE(refused(Picture{}));
  EXPECT_TRUE(refused(MakePicture(4097, 1, [](int, int) { return kRed; })));
  EXPECT_TRUE(refused(MakePicture(1, 4097, [](int, int) { return kRed; })));
  EXPECT_TRUE(refused(MakePicture(2, 1, [](int x, int) { return x ? kRed : kClrInvalid; })));
  EXPECT_TRUE(refused(MakePicture(
      2, 1, [](int, int) { return kRed; }, 0x01000000u)));
}

TEST(GifEncoder, GraphicControlOnlyWithTransparency) {
  const Bytes plain = Encode(MakePicture(2, 1, [](int x, int) { return x ? kRed : kBlue; }));
  const std::size_t afterTable = 13 + 3 * GlobalTableSize(plain);
  EXPECT_EQ(plain.at(afterTable), 0x2C);

  const Bytes keyed = Encode(MakePicture(
      2, 1, [](int x, int) { return x ? kRed : kBlue; }, kRed));
  EXPECT_EQ(Bytes(keyed.begin() + afterTable, keyed.begin() + afterTable + 9),
            (Bytes{0x21, 0xF9, 4, 1, 0, 0, 1, 0, 0x2C}));
}

}  // namespace
}  // namespace tintspot::gif_test
