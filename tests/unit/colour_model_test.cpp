// The colour conversions and readout texts, including the colours whose
// readouts lie exactly on a half and so depend on every rounding step.
#include "colour_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <future>
#include <string>
#include <vector>

#include "fp_precision.h"
#include "readout_texts.h"

namespace tintspot {
namespace {

struct Expected {
  unsigned r, g, b;
  const char* rgb;
  const char* hex;
  const char* hsb;
  const char* cmyk;
  TColor outer;
  TColor inner;
  const char* padlock;
};

// Reference readouts of colours across the cube, including black, white,
// greys, primaries, a hue just short of a full turn and very dark colours.
const Expected kTable[] = {
    {0, 0, 0, "0,0,0", "#000000", "0,0,0", "0,0,0,100", MakeColor(0, 0, 0), MakeColor(0, 0, 0),
     "white"},
    {255, 255, 255, "255,255,255", "#FFFFFF", "0,0,100", "0,0,0,0", MakeColor(204, 204, 204),
     MakeColor(235, 235, 235), "black"},
    {128, 128, 128, "128,128,128", "#808080", "0,0,50", "0,0,0,50", MakeColor(77, 77, 77),
     MakeColor(108, 108, 108), "black"},
    {255, 0, 0, "255,0,0", "#FF0000", "0,100,100", "0,100,100,0", MakeColor(204, 0, 0),
     MakeColor(235, 0, 0), "white"},
    {0, 255, 0, "0,255,0", "#00FF00", "120,100,100", "100,0,100,0", MakeColor(0, 204, 0),
     MakeColor(0, 235, 0), "black"},
    {0, 0, 255, "0,0,255", "#0000FF", "240,100,100", "100,100,0,0", MakeColor(0, 0, 204),
     MakeColor(0, 0, 235), "white"},
    {255, 255, 0, "255,255,0", "#FFFF00", "60,100,100", "0,0,100,0", MakeColor(204, 204, 0),
     MakeColor(235, 235, 0), "black"},
    {0, 255, 255, "0,255,255", "#00FFFF", "180,100,100", "100,0,0,0", MakeColor(0, 204, 204),
     MakeColor(0, 235, 235), "black"},
    {255, 0, 255, "255,0,255", "#FF00FF", "300,100,100", "0,100,0,0", MakeColor(204, 0, 204),
     MakeColor(235, 0, 235), "white"},
    {51, 102, 153, "51,102,153", "#336699", "210,67,60", "67,33,0,40", MakeColor(34, 68, 102),
     MakeColor(44, 88, 133), "white"},
    {255, 0, 1, "255,0,1", "#FF0001", "360,100,100", "0,100,100,0", MakeColor(204, 0, 1),
     MakeColor(235, 0, 1), "white"},
    {1, 0, 1, "1,0,1", "#010001", "300,100,0", "0,100,0,100", MakeColor(0, 0, 0),
     MakeColor(0, 0, 0), "white"},
    {20, 10, 10, "20,10,10", "#140A0A", "0,50,8", "0,50,50,92", MakeColor(0, 0, 0),
     MakeColor(0, 0, 0), "white"},
    {125, 125, 125, "125,125,125", "#7D7D7D", "0,0,49", "0,0,0,51", MakeColor(74, 74, 74),
     MakeColor(105, 105, 105), "black"},
    {124, 124, 124, "124,124,124", "#7C7C7C", "0,0,49", "0,0,0,51", MakeColor(73, 73, 73),
     MakeColor(104, 104, 104), "white"},
};

// Colours with a readout exactly on a half in exact arithmetic: plain
// doubles or exact rationals give other texts.
struct Half {
  unsigned r, g, b;
  const char* hex;
  const char* hsb;
  const char* cmyk;
};
const Half kHalves[] = {
    {33, 133, 193, "#2185C1", "203,83,76", "83,31,0,24"},  // hue 202.5 lands on it
    {70, 47, 30, "#462F1E", "25,57,27", "0,33,57,73"},     // hue 25.5 lands below
    {40, 3, 3, "#280303", "0,92,16", "0,93,93,84"},        // 92.5 below / on
    {200, 199, 199, "#C8C7C7", "0,0,78", "0,0,0,22"},      // 0.5 lands below
};

void ExpectTableRow(const Expected& row) {
  const TColor colour = MakeColor(row.r, row.g, row.b);
  SCOPED_TRACE(row.rgb);
  const ReadoutTexts texts = MakeReadoutTexts(colour, ScreenPoint{512, 384});
  EXPECT_EQ(texts.rgb, row.rgb);
  EXPECT_EQ(texts.hex, row.hex);
  EXPECT_EQ(texts.hsb, row.hsb);
  EXPECT_EQ(texts.cmyk, row.cmyk);
  const Shades shades = ShadesOf(colour);
  EXPECT_EQ(shades.outer, row.outer);
  EXPECT_EQ(shades.inner, row.inner);
  EXPECT_EQ(HasContrast(colour, kBlack) ? "black" : "white", std::string(row.padlock));
}

void ExpectHalves() {
  for (const Half& half : kHalves) {
    const TColor colour = MakeColor(half.r, half.g, half.b);
    SCOPED_TRACE(half.hex);
    EXPECT_EQ(HEXText(colour), half.hex);
    EXPECT_EQ(HSBText(colour), half.hsb);
    EXPECT_EQ(CMYKText(colour), half.cmyk);
  }
}

TEST(ColourModel, ReadoutsOfReferenceColours) {
  for (const Expected& row : kTable) ExpectTableRow(row);
}

TEST(ColourModel, ExactHalvesFollowTheExtendedEvaluation) { ExpectHalves(); }

TEST(ColourModel, IndependentOfTheCallersX87Precision) {
  // 64-bit Windows starts processes with 53-bit x87 precision.
  const std::uint16_t original = ReadX87ControlWord();
  SetX87Precision(X87Precision::Double);
  const std::uint16_t doublePrecision = ReadX87ControlWord();
  ExpectHalves();
  for (const Expected& row : kTable) ExpectTableRow(row);
  const std::string line = ReadoutLine(MakeColor(40, 3, 3));
  // The caller's precision is handed back untouched.
  EXPECT_EQ(ReadX87ControlWord(), doublePrecision);
  WriteX87ControlWord(original);
  EXPECT_EQ(line, ReadoutLine(MakeColor(40, 3, 3)));
}

TEST(ColourModel, DarkColoursLoseTheirRingsInTurn) {
  // Brightness between 0.08 and 0.20: only the outer ring is black.
  const Shades shades = ShadesOf(MakeColor(40, 3, 3));
  EXPECT_EQ(shades.outer, MakeColor(0, 0, 0));
  EXPECT_EQ(shades.inner, MakeColor(20, 1, 1));
}

TEST(ColourModel, ContrastThresholdIsWeightedBrightness125) {
  EXPECT_TRUE(HasContrast(MakeColor(125, 125, 125), kBlack));
  EXPECT_FALSE(HasContrast(MakeColor(124, 124, 124), kBlack));
  // 587 * 200 + 114 * 66 = 124,924; one step of blue more gives 125,038.
  EXPECT_FALSE(HasContrast(MakeColor(0, 200, 66), kBlack));
  EXPECT_TRUE(HasContrast(MakeColor(0, 200, 67), kBlack));
  // Symmetric in its arguments.
  EXPECT_TRUE(HasContrast(kBlack, MakeColor(255, 255, 255)));
  EXPECT_FALSE(HasContrast(MakeColor(130, 130, 130), MakeColor(10, 10, 10)));
}

TEST(ColourModel, InvalidColourReadsAsWhite) {
  const ReadoutTexts texts = MakeReadoutTexts(kClrInvalid, ScreenPoint{0, 0});
  EXPECT_EQ(texts.rgb, "255,255,255");
  EXPECT_EQ(texts.hex, "#FFFFFF");
  EXPECT_EQ(texts.hsb, "0,0,100");
  EXPECT_EQ(texts.cmyk, "0,0,0,0");
  EXPECT_TRUE(HasContrast(kClrInvalid, kBlack));
  EXPECT_EQ(ShadesOf(kClrInvalid).outer, MakeColor(204, 204, 204));
}

TEST(ReadoutTexts, PositionsKeepTheirSign) {
  EXPECT_EQ(PixelText({512, 384}), "512 x 384");
  EXPECT_EQ(PixelText({-1280, 15}), "-1280 x 15");
  EXPECT_EQ(PixelText({0, -1}), "0 x -1");
  EXPECT_EQ(PixelText({-2147483647 - 1, 2147483647}), "-2147483648 x 2147483647");
}

TEST(ColourModel, WholeNumberFormatRoundsHalvesUp) {
  EXPECT_EQ(WholeNumberText(12.5L), "13");
  EXPECT_EQ(WholeNumberText(37.5L), "38");
  EXPECT_EQ(WholeNumberText(0.5L), "1");
  EXPECT_EQ(WholeNumberText(0.49999999999999999L), "0");
  EXPECT_EQ(WholeNumberText(99.6L), "100");
  EXPECT_EQ(WholeNumberText(0.0L), "0");
  EXPECT_EQ(WholeNumberText(359.99L), "360");
  // Channel rounding is different: ties go to the even neighbour.
  EXPECT_EQ(RoundHalfEven(12.5L), 12);
  EXPECT_EQ(RoundHalfEven(13.5L), 14);
  EXPECT_EQ(RoundHalfEven(254.5L), 254);
  EXPECT_EQ(RoundHalfEven(12.500000001L), 13);
}

TEST(ColourModel, HsbRoundTripIsExactForEveryGreyAndPrimary) {
  for (unsigned v = 0; v < 256; ++v) {
    for (TColor c :
         {MakeColor(v, v, v), MakeColor(v, 0, 0), MakeColor(0, v, 0), MakeColor(0, 0, v)}) {
      double h, s, b;
      RGBToHSB(c, h, s, b);
      EXPECT_EQ(HSBToRGB(h, s, b), c) << std::hex << c;
    }
  }
}

// 64-bit FNV-1a, the fingerprint of the readouts of all colours.
struct Fnv1a {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  void Add(const std::string& text) {
    for (unsigned char c : text) {
      hash ^= c;
      hash *= 0x100000001b3ULL;
    }
  }
};

// Reads a list of `count` whole numbers no larger than max, separated by
// commas, without leading zeros, ending at `end`; false when malformed.
bool ReadList(const char*& p, const char* end, int count, unsigned max, unsigned* values) {
  for (int i = 0; i < count; ++i) {
    if (i > 0 && (p == end || *p++ != ',')) return false;
    const char* digits = p;
    unsigned value = 0;
    while (p < end && *p >= '0' && *p <= '9' && p - digits < 4)
      value = value * 10 + unsigned(*p++ - '0');
    if (p == digits || (p - digits > 1 && *digits == '0') || value > max) return false;
    values[i] = value;
  }
  return true;
}

struct Plane {
  std::string lines;
  std::vector<std::string> failures;
};

// Checks one readout line: field shapes and ranges, and that both shades
// are the colour darkened, the outer ring never brighter than the inner.
bool LineIsSound(const char* p, const char* end, TColor colour) {
  unsigned rgb[3], hsb[3], cmyk[4], outer[3], inner[3];
  const char* field = p;
  if (!ReadList(p, end, 3, 255, rgb) || *p++ != ' ') return false;
  if (std::string(p, 7) != HEXText(colour)) return false;
  p += 7;
  if (*p++ != ' ' || !ReadList(p, end, 3, 360, hsb) || hsb[1] > 100 || hsb[2] > 100) return false;
  if (*p++ != ' ' || !ReadList(p, end, 4, 100, cmyk)) return false;
  if (*p++ != ' ' || !ReadList(p, end, 3, 255, outer)) return false;
  if (*p++ != ' ' || !ReadList(p, end, 3, 255, inner)) return false;
  const std::string padlock(p, end);
  if (padlock != " black" && padlock != " white") return false;
  for (int i = 0; i < 3; ++i)
    if (outer[i] > inner[i] || inner[i] > rgb[i]) return false;
  return field != end && MakeColor(rgb[0], rgb[1], rgb[2]) == colour;
}

// The readout lines of one blue plane, green then red, with the colours
// that break a property of the model.
Plane SweepPlane(unsigned b) {
  Plane plane;
  plane.lines.reserve(256 * 256 * 64);
  for (unsigned g = 0; g < 256; ++g) {
    for (unsigned r = 0; r < 256; ++r) {
      const TColor colour = MakeColor(r, g, b);
      double h, s, v;
      RGBToHSB(colour, h, s, v);
      const std::size_t start = plane.lines.size();
      AppendReadoutLine(plane.lines, colour);
      const char* line = plane.lines.data() + start;
      const char* end = plane.lines.data() + plane.lines.size();
      const bool hsbInRange = h >= 0 && h < 1 && s >= 0 && s <= 1 && v >= 0 && v <= 1;
      if ((!hsbInRange || !LineIsSound(line, end, colour)) && plane.failures.size() < 5)
        plane.failures.emplace_back(line, end);
      plane.lines += '\n';
    }
  }
  return plane;
}

TEST(ColourModel, AllColoursAreWellFormedAndMatchTheFingerprint) {
  // Blue outermost, green, red innermost; each line ends in one newline.
  // Two planes are computed at a time and hashed in order.
  constexpr unsigned kInFlight = 2;
  std::deque<std::future<Plane>> pending;
  unsigned next = 0;
  auto launch = [&] { pending.push_back(std::async(std::launch::async, SweepPlane, next++)); };
  while (next < kInFlight) launch();
  Fnv1a fnv;
  int failures = 0;
  for (unsigned b = 0; b < 256; ++b) {
    Plane plane = pending.front().get();
    pending.pop_front();
    if (next < 256) launch();
    for (const std::string& failure : plane.failures)
      if (++failures <= 20) ADD_FAILURE() << failure;
    fnv.Add(plane.lines);
  }
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(fnv.hash, 0x3da54074c58d3f6dULL);
}

}  // namespace
}  // namespace tintspot
