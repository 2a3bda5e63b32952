// The committed artwork as the program and the resource compiler read it:
// the skin pictures through the program's own GIF decoder, the two cursors
// and the program icon through their file layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "gif_decoder.h"
#include "skin.h"

namespace tintspot {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr TColor kOutline = MakeColor(128, 128, 128);
constexpr TColor kTitleBaseLine = MakeColor(153, 153, 153);
constexpr TColor kActiveName = MakeColor(51, 51, 51);
constexpr TColor kInactiveName = MakeColor(143, 143, 143);
constexpr TColor kGlyph = MakeColor(76, 76, 76);
constexpr TColor kMinusGlyph = MakeColor(119, 119, 119);
constexpr TColor kOrange = MakeColor(229, 152, 0);
constexpr TColor kKeyOrange = MakeColor(204, 128, 0);
constexpr TColor kReadoutFill = MakeColor(162, 215, 255);
constexpr TColor kReadoutBorder = MakeColor(51, 51, 51);

std::filesystem::path AssetsFolder() {
  return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "assets";
}

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

const std::map<std::string, Picture>& Skin() {
  static const std::map<std::string, Picture> skin = [] {
    std::map<std::string, Picture> pictures;
    for (const auto& [name, bytes] : testing::LoadCommittedSkin()) {
      GifResult decoded = DecodeGif(bytes.data(), bytes.size());
      if (decoded.picture) pictures[name] = *decoded.picture;
    }
    return pictures;
  }();
  return skin;
}

const PixelBuffer& Pixels(const std::string& name) {
  static const PixelBuffer none;
  const auto found = Skin().find(name);
  return found == Skin().end() ? none : found->second.pixels;
}

int Brightness(TColor c) { return static_cast<int>(RedOf(c) + GreenOf(c) + BlueOf(c)); }
bool IsGrey(TColor c) { return RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c); }
bool IsOrangeish(TColor c) {
  return RedOf(c) > GreenOf(c) && GreenOf(c) > BlueOf(c) && RedOf(c) - BlueOf(c) > 100;
}

int Count(const PixelBuffer& pixels, bool (*test)(TColor)) {
  return static_cast<int>(std::count_if(pixels.Pixels().begin(), pixels.Pixels().end(), test));
}
bool Contains(const PixelBuffer& pixels, TColor colour) {
  return std::find(pixels.Pixels().begin(), pixels.Pixels().end(), colour) != pixels.Pixels().end();
}

TEST(SkinAssets, EveryPictureDecodesAtItsSizeAndOnlyThePadlocksHaveATransparentColour) {
  for (const SkinEntry& entry : SkinEntries()) {
    const std::string name = entry.resource;
    ASSERT_EQ(Skin().count(name), 1u) << name << " is missing or does not decode";
    const Picture& picture = Skin().at(name);
    EXPECT_EQ(picture.pixels.Width(), entry.width) << name;
    EXPECT_EQ(picture.pixels.Height(), entry.height) << name;
    const bool padlock = name == "IMGLOCKBLACK" || name == "IMGLOCKWHITE";
    EXPECT_EQ(picture.transparent.has_value(), padlock) << name;
  }
  // The program's own loader accepts the set as a whole.
  EXPECT_NO_THROW(LoadSkin([](const char* name) { return testing::LoadCommittedSkin()[name]; }));
}

TEST(SkinAssets, PadlocksAreOneInkOnATransparentKeyWithAKeyholeAndCutCorners) {
  const std::pair<const char*, TColor> locks[] = {{"IMGLOCKBLACK", kBlack},
                                                  {"IMGLOCKWHITE", kWhite}};
  for (const auto& [name, ink] : locks) {
    SCOPED_TRACE(name);
    const Picture& lock = Skin().at(name);
    ASSERT_TRUE(lock.transparent.has_value());
    const TColor key = *lock.transparent;
    EXPECT_NE(key, ink);
    const std::set<TColor> colours(lock.pixels.Pixels().begin(), lock.pixels.Pixels().end());
    EXPECT_EQ(colours, (std::set<TColor>{ink, key}));
    // Bottom corners cut off, body solid around a keyhole of two pixels.
    EXPECT_EQ(lock.pixels.At(0, 10), key);
    EXPECT_EQ(lock.pixels.At(6, 10), key);
    int hole = 0;
    for (int y = 5; y < 10; ++y)
      for (int x = 1; x < 6; ++x) hole += lock.pixels.At(x, y) == key;
    EXPECT_EQ(hole, 2);
    EXPECT_EQ(lock.pixels.At(0, 5), ink);
    EXPECT_EQ(lock.pixels.At(6, 5), ink);
  }
}

TEST(SkinAssets, TheTwoTitlesDifferOnlyInTheColourOfTheName) {
  const PixelBuffer& active = Pixels("IMGTITLEDEACT");
  const PixelBuffer& inactive = Pixels("IMGHEADER");
  ASSERT_EQ(active.Width(), inactive.Width());
  ASSERT_EQ(active.Height(), inactive.Height());
  int differing = 0;
  for (int y = 0; y < active.Height(); ++y)
    for (int x = 0; x < active.Width(); ++x) {
      if (active.At(x, y) == inactive.At(x, y)) continue;
      ++differing;
      // The name lies right of the emblem, inside the bar, and is darker
      // when active.
      EXPECT_GE(x, 18) << x << "," << y;
      EXPECT_LT(x, 100) << x << "," << y;
      EXPECT_GE(y, 1) << x << "," << y;
      EXPECT_LE(y, 17) << x << "," << y;
      EXPECT_LT(Brightness(active.At(x, y)), Brightness(inactive.At(x, y))) << x << "," << y;
    }
  EXPECT_GT(differing, 60);
  EXPECT_TRUE(Contains(active, kActiveName));
  EXPECT_TRUE(Contains(inactive, kInactiveName));
  EXPECT_FALSE(Contains(active, kInactiveName));
  EXPECT_FALSE(Contains(inactive, kActiveName));
}

TEST(SkinAssets, TitleIsAShadedBarWithTheEmblemAtItsLeft) {
  const PixelBuffer& title = Pixels("IMGTITLEDEACT");
  ASSERT_EQ(title.Height(), 19);
  // The shading in a column left of the emblem: from almost white down to
  // light grey, never getting lighter.
  EXPECT_EQ(title.At(2, 1), MakeColor(254, 254, 254));
  EXPECT_EQ(title.At(2, 17), MakeColor(233, 233, 233));
  for (int y = 2; y <= 17; ++y) {
    EXPECT_TRUE(IsGrey(title.At(2, y))) << y;
    EXPECT_LE(Brightness(title.At(2, y)), Brightness(title.At(2, y - 1))) << y;
  }
  // Emblem: green top left, orange top right, purple bottom left, red
  // bottom right, each found among the pixels of its quarter.
  auto hasColour = [&](int left, int top, auto test) {
    for (int y = top; y < top + 7; ++y)
      for (int x = left; x < left + 7; ++x)
        if (test(title.At(x, y))) return true;
    return false;
  };
  auto r = [](TColor c) { return static_cast<int>(RedOf(c)); };
  auto g = [](TColor c) { return static_cast<int>(GreenOf(c)); };
  auto b = [](TColor c) { return static_cast<int>(BlueOf(c)); };
  EXPECT_TRUE(hasColour(3, 2, [&](TColor c) { return g(c) > r(c) + 60 && g(c) > b(c) + 60; }));
  EXPECT_TRUE(hasColour(10, 2, [&](TColor c) { return r(c) > g(c) + 40 && g(c) > b(c) + 60; }));
  EXPECT_TRUE(hasColour(3, 9, [&](TColor c) { return b(c) > g(c) + 60 && r(c) > g(c) + 30; }));
  EXPECT_TRUE(hasColour(10, 9, [&](TColor c) { return r(c) > g(c) + 100 && r(c) > b(c) + 100; }));
}

TEST(SkinAssets, OutlineRunsAlongTheWindowsOuterEdges) {
  // Top of the title row.
  for (const char* name : {"IMGHEADER", "IMGTITLEDEACT", "IMGTOPO", "IMGTOPD", "IMGMIN", "IMGMIND",
                           "IMGCLOSE", "IMGCLOSED"}) {
    const PixelBuffer& p = Pixels(name);
    ASSERT_FALSE(p.Empty()) << name;
    for (int x = 0; x < p.Width(); ++x) EXPECT_EQ(p.At(x, 0), kOutline) << name << " " << x;
    // The title row's lighter base line (the outer columns belong to the
    // side outline).
    const int first = std::string(name).rfind("IMGCLOSE", 0) == 0 ? 0 : 1;
    for (int x = first; x < p.Width() - 1; ++x)
      EXPECT_EQ(p.At(x, 18), kTitleBaseLine) << name << " " << x;
  }
  // Left edge.
  for (const char* name : {"IMGHEADER", "IMGTITLEDEACT", "IMGMAIN", "IMGMAGU", "IMGMAGD"}) {
    const PixelBuffer& p = Pixels(name);
    for (int y = 0; y < p.Height(); ++y) EXPECT_EQ(p.At(0, y), kOutline) << name << " " << y;
  }
  // Right edge.
  for (const char* name : {"IMGCLOSE", "IMGCLOSED", "IMGMAIN", "IMGMENU", "IMGMENUD"}) {
    const PixelBuffer& p = Pixels(name);
    for (int y = 0; y < p.Height(); ++y)
      EXPECT_EQ(p.At(p.Width() - 1, y), kOutline) << name << " " << y;
  }
}

TEST(SkinAssets, ReadoutLabelsLieOnClearRowsOfTheBlueBox) {
  const PixelBuffer& panel = Pixels("IMGMAIN");
  ASSERT_EQ(panel.Width(), 171);
  ASSERT_EQ(panel.Height(), 90);
  // The labels: 66 x 13 at panel x 40, rows 15 apart from y 9.
  for (int row = 0; row < 5; ++row) {
    const int top = 9 + 15 * row;
    for (int y = top; y < top + 13; ++y)
      for (int x = 40; x < 106; ++x)
        ASSERT_EQ(panel.At(x, y), kReadoutFill) << "row " << row << " at " << x << "," << y;
    // Under each row but the last: a darker rule, then a light one.
    if (row < 4) {
      const TColor rule = panel.At(70, top + 13);
      const TColor light = panel.At(70, top + 14);
      EXPECT_GT(BlueOf(rule), RedOf(rule)) << row;
      EXPECT_LT(Brightness(rule), Brightness(kReadoutFill)) << row;
      EXPECT_GT(Brightness(light), Brightness(kReadoutFill)) << row;
    }
  }
  // A one-pixel dark border round the box.
  for (int y = 8; y <= 82; ++y) {
    EXPECT_EQ(panel.At(39, y), kReadoutBorder) << y;
    EXPECT_EQ(panel.At(106, y), kReadoutBorder) << y;
  }
  for (int x = 39; x <= 106; ++x) {
    EXPECT_EQ(panel.At(x, 8), kReadoutBorder) << x;
    EXPECT_EQ(panel.At(x, 82), kReadoutBorder) << x;
  }
}

TEST(SkinAssets, PanelHasCaptionsAnEmptySwatchPlaceAndTheHintBelowIt) {
  const PixelBuffer& panel = Pixels("IMGMAIN");
  ASSERT_FALSE(panel.Empty());
  auto darkest = [&](int left, int top, int right, int bottom) {
    int least = 3 * 255;
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x) least = std::min(least, Brightness(panel.At(x, y)));
    return least;
  };
  // A caption in dark type left of each row.
  for (int row = 0; row < 5; ++row)
    EXPECT_LT(darkest(2, 9 + 15 * row, 37, 21 + 15 * row), 3 * 110) << row;
  // The swatch place is plain light grey.
  for (int y = 6; y < 54; ++y)
    for (int x = 115; x < 163; ++x) {
      ASSERT_TRUE(IsGrey(panel.At(x, y))) << x << "," << y;
      ASSERT_GT(Brightness(panel.At(x, y)), 3 * 200) << x << "," << y;
    }
  // Two lines of grey type under it.
  EXPECT_LT(darkest(108, 56, 169, 66), 3 * 170);
  EXPECT_LT(darkest(108, 67, 169, 80), 3 * 170);
}

struct ButtonPair {
  const char* normal;
  const char* pressed;
  TColor normalGlyph;
  TColor pressedGlyph;
};

TEST(SkinAssets, PressedAndOnPicturesMatchTheirNormalOnesAndHaveOrangeGlyphs) {
  const ButtonPair pairs[] = {
      {"IMGTOPO", "IMGTOPD", kGlyph, kOrange},    {"IMGMIN", "IMGMIND", kMinusGlyph, kOrange},
      {"IMGCLOSE", "IMGCLOSED", kGlyph, kOrange}, {"IMGMAGU", "IMGMAGD", kGlyph, kOrange},
      {"IMGHELP", "IMGHELPD", 0, kKeyOrange},     {"IMGMENU", "IMGMENUD", 0, kKeyOrange},
  };
  for (const ButtonPair& pair : pairs) {
    SCOPED_TRACE(pair.pressed);
    const PixelBuffer& normal = Pixels(pair.normal);
    const PixelBuffer& pressed = Pixels(pair.pressed);
    ASSERT_FALSE(normal.Empty());
    EXPECT_EQ(normal.Width(), pressed.Width());
    EXPECT_EQ(normal.Height(), pressed.Height());
    EXPECT_TRUE(Contains(pressed, pair.pressedGlyph));
    EXPECT_GT(Count(pressed, IsOrangeish), 4);
    EXPECT_EQ(Count(normal, IsOrangeish), 0);
    if (pair.normalGlyph != 0) {
      EXPECT_TRUE(Contains(normal, pair.normalGlyph));
    }
  }
}

TEST(SkinAssets, OrangePlusAndMinusHaveAFaintGreyGlow) {
  const std::pair<const char*, const char*> pairs[] = {
      {"IMGTOPO", "IMGTOPD"}, {"IMGMIN", "IMGMIND"}, {"IMGCLOSE", "IMGCLOSED"}};
  for (const auto& [normalName, litName] : pairs) {
    const PixelBuffer& normal = Pixels(normalName);
    const PixelBuffer& lit = Pixels(litName);
    ASSERT_FALSE(normal.Empty());
    // Pixels that stay grey but turn darker: the glow round the glyph.
    int glow = 0;
    for (int y = 0; y < lit.Height(); ++y)
      for (int x = 0; x < lit.Width(); ++x)
        glow += IsGrey(lit.At(x, y)) && IsGrey(normal.At(x, y)) &&
                Brightness(lit.At(x, y)) + 9 < Brightness(normal.At(x, y));
    if (std::string(litName) == "IMGCLOSED") {
      EXPECT_EQ(glow, 0) << litName;
    } else {
      EXPECT_GT(glow, 10) << litName;
    }
  }
}

// Width of the ink (pixels matching isInk) on the first and last rows that
// have any, in columns left..right.
std::pair<int, int> TipAndBaseWidths(const PixelBuffer& p, int left, int right,
                                     bool (*isInk)(TColor)) {
  std::vector<int> widths;
  for (int y = 0; y < p.Height(); ++y) {
    int width = 0;
    for (int x = left; x <= right; ++x) width += isInk(p.At(x, y));
    if (width > 0) widths.push_back(width);
  }
  if (widths.empty()) return {0, 0};
  return {widths.front(), widths.back()};
}

TEST(SkinAssets, MagnifierBarsPointTheTriangleDownWhileHiddenAndUpWhileShown) {
  const PixelBuffer& hidden = Pixels("IMGMAGU");
  const PixelBuffer& shown = Pixels("IMGMAGD");
  ASSERT_FALSE(hidden.Empty());
  // The triangle is the ink furthest right; find its columns in the orange bar.
  int right = 0;
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x)
      if (IsOrangeish(shown.At(x, y))) right = std::max(right, x);
  ASSERT_GT(right, 60);
  const auto [shownTop, shownBottom] = TipAndBaseWidths(shown, right - 8, right, IsOrangeish);
  EXPECT_LT(shownTop, shownBottom);
  const auto [hiddenTop, hiddenBottom] =
      TipAndBaseWidths(hidden, right - 8, right, [](TColor c) { return Brightness(c) < 3 * 120; });
  EXPECT_GT(hiddenTop, hiddenBottom);
}

TEST(SkinAssets, PressedKeysHaveADarkerFace) {
  const std::pair<const char*, const char*> keys[] = {{"IMGHELP", "IMGHELPD"},
                                                      {"IMGMENU", "IMGMENUD"}};
  for (const auto& [normalName, pressedName] : keys) {
    const PixelBuffer& normal = Pixels(normalName);
    const PixelBuffer& pressed = Pixels(pressedName);
    ASSERT_FALSE(normal.Empty());
    // A point of the face away from the glyph.
    EXPECT_LT(Brightness(pressed.At(4, 5)), Brightness(normal.At(4, 5))) << pressedName;
  }
}

// --- Cursors ---------------------------------------------------------------

std::uint32_t U16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

enum class Mask { Transparent, Black, White, Inverting };

struct Cursor {
  int hotX = -1;
  int hotY = -1;
  std::vector<Mask> pixels;  // 32 x 32, top row first
  Mask At(int x, int y) const { return pixels.at(static_cast<std::size_t>(y * 32 + x)); }
};

Cursor ParseCursor(const char* file) {
  const Bytes b = ReadFile(AssetsFolder() / "cursors" / file);
  Cursor cursor;
  EXPECT_EQ(b.size(), 326u) << file;
  if (b.size() != 326u) return cursor;
  EXPECT_EQ(U16(b, 0), 0u);
  EXPECT_EQ(U16(b, 2), 2u);  // cursor
  EXPECT_EQ(U16(b, 4), 1u);  // one image
  EXPECT_EQ(b[6], 32u);
  EXPECT_EQ(b[7], 32u);
  cursor.hotX = static_cast<int>(U16(b, 10));
  cursor.hotY = static_cast<int>(U16(b, 12));
  const std::size_t image = U32(b, 18);
  EXPECT_EQ(U32(b, 14), b.size() - image);
  EXPECT_EQ(U32(b, image), 40u);
  EXPECT_EQ(U32(b, image + 4), 32u);
  EXPECT_EQ(U32(b, image + 8), 64u);         // the XOR and AND masks together
  EXPECT_EQ(U16(b, image + 14), 1u);         // one bit per pixel
  EXPECT_EQ(U32(b, image + 40), 0x000000u);  // palette: black
  EXPECT_EQ(U32(b, image + 44), 0xFFFFFFu);  // and white
  const std::size_t xorMask = image + 48;
  const std::size_t andMask = xorMask + 128;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const std::size_t at = static_cast<std::size_t>((31 - y) * 4 + x / 8);
      const int bit = 0x80 >> (x % 8);
      const bool andBit = b[andMask + at] & bit;
      const bool xorBit = b[xorMask + at] & bit;
      cursor.pixels.push_back(andBit ? (xorBit ? Mask::Inverting : Mask::Transparent)
                                     : (xorBit ? Mask::White : Mask::Black));
    }
  return cursor;
}

void ExpectBlackOutlinedWhiteFigure(const Cursor& cursor) {
  ASSERT_EQ(cursor.pixels.size(), 32u * 32u);
  const auto count = [&](Mask m) {
    return std::count(cursor.pixels.begin(), cursor.pixels.end(), m);
  };
  EXPECT_EQ(count(Mask::Inverting), 0);
  EXPECT_GT(count(Mask::Black), 30);
  EXPECT_GT(count(Mask::White), 20);
  EXPECT_GT(count(Mask::Transparent), 32 * 32 / 2);
  // No white pixel touches the transparent surround: the outline is closed.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      if (cursor.At(x, y) != Mask::White) continue;
      const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
      for (const auto& [dx, dy] : steps) {
        const int nx = x + dx;
        const int ny = y + dy;
        const bool outside = nx < 0 || ny < 0 || nx > 31 || ny > 31;
        EXPECT_TRUE(!outside && cursor.At(nx, ny) != Mask::Transparent) << x << "," << y;
      }
    }
}

TEST(SkinAssets, HandCursorPointsItsFingertipAtTheHotSpot) {
  const Cursor hand = ParseCursor("hand.cur");
  EXPECT_EQ(hand.hotX, 20);
  EXPECT_EQ(hand.hotY, 10);
  ExpectBlackOutlinedWhiteFigure(hand);
  if (hand.pixels.empty()) return;
  // The fingertip is the top of the figure and the hot spot is on it; the
  // hand keeps to the lower right of the cell.
  EXPECT_EQ(hand.At(20, 10), Mask::Black);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (hand.At(x, y) != Mask::Transparent) {
        EXPECT_GE(y, 10) << x << "," << y;
        EXPECT_GE(x, 8) << x << "," << y;
      }
}

TEST(SkinAssets, DropperCursorHasItsTipAtTheHotSpotAndItsBulbAtTheUpperRight) {
  const Cursor dropper = ParseCursor("dropper.cur");
  EXPECT_EQ(dropper.hotX, 17);
  EXPECT_EQ(dropper.hotY, 31);
  ExpectBlackOutlinedWhiteFigure(dropper);
  if (dropper.pixels.empty()) return;
  // The tip is the one pixel of the bottom row.
  for (int x = 0; x < 32; ++x) EXPECT_EQ(dropper.At(x, 31) != Mask::Transparent, x == 17) << x;
  // The top of the figure is the solid black bulb, right of the tip.
  int top = 0;
  while (top < 32 &&
         std::all_of(dropper.pixels.begin() + top * 32, dropper.pixels.begin() + top * 32 + 32,
                     [](Mask m) { return m == Mask::Transparent; }))
    ++top;
  ASSERT_LT(top, 20);
  for (int y = top; y < top + 4; ++y)
    for (int x = 0; x < 32; ++x)
      if (dropper.At(x, y) != Mask::Transparent) {
        EXPECT_EQ(dropper.At(x, y), Mask::Black) << x << "," << y;
        EXPECT_GT(x, 20) << x << "," << y;
      }
}

// --- Program icon ----------------------------------------------------------

TEST(SkinAssets, IconHoldsTheEmblemAt16And32PixelsIn256Colours) {
  const Bytes b = ReadFile(AssetsFolder() / "icon" / "tintspot.ico");
  ASSERT_GT(b.size(), 6u + 2 * 16);
  EXPECT_EQ(U16(b, 0), 0u);
  EXPECT_EQ(U16(b, 2), 1u);  // icon
  ASSERT_EQ(U16(b, 4), 2u);
  std::set<int> sizes;
  for (int i = 0; i < 2; ++i) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    const int size = b[entry];
    SCOPED_TRACE(size);
    sizes.insert(size);
    EXPECT_EQ(b[entry + 1], size);
    EXPECT_EQ(b[entry + 2], 0u);       // 256 colours
    EXPECT_EQ(U16(b, entry + 6), 8u);  // bits per pixel
    const std::size_t length = U32(b, entry + 8);
    const std::size_t image = U32(b, entry + 12);
    const std::size_t pixels = image + 40 + 256 * 4;
    const std::size_t mask = pixels + static_cast<std::size_t>(size * size);
    const std::size_t maskStride = static_cast<std::size_t>((size + 31) / 32 * 4);
    ASSERT_EQ(length, 40 + 256 * 4 + static_cast<std::size_t>(size * size) + maskStride * size);
    ASSERT_LE(image + length, b.size());
    EXPECT_EQ(U32(b, image), 40u);
    EXPECT_EQ(static_cast<int>(U32(b, image + 4)), size);
    EXPECT_EQ(static_cast<int>(U32(b, image + 8)), 2 * size);
    EXPECT_EQ(U16(b, image + 14), 8u);

    auto colourAt = [&](int x, int y) {
      const std::size_t index = b[pixels + static_cast<std::size_t>((size - 1 - y) * size + x)];
      const std::size_t entryAt = image + 40 + 4 * index;  // blue, green, red
      return MakeColor(b[entryAt + 2], b[entryAt + 1], b[entryAt]);
    };
    auto transparentAt = [&](int x, int y) {
      const std::size_t at = mask + static_cast<std::size_t>(size - 1 - y) * maskStride +
                             static_cast<std::size_t>(x / 8);
      return (b[at] & (0x80 >> (x % 8))) != 0;
    };
    int transparent = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        if (transparentAt(x, y)) {
          ++transparent;
          // Masked pixels must be black, or they would invert the screen.
          EXPECT_EQ(colourAt(x, y), kBlack) << x << "," << y;
        }
    EXPECT_GT(transparent, 0);
    // The four squares at the centres of the four quarters.
    const int q = size / 4;
    const int h = size - 1 - q;
    const int centres[4][2] = {{q, q}, {h, q}, {q, h}, {h, h}};
    for (const auto& [x, y] : centres) EXPECT_FALSE(transparentAt(x, y)) << x << "," << y;
    const TColor green = colourAt(q, q);
    const TColor orange = colourAt(h, q);
    const TColor purple = colourAt(q, h);
    const TColor red = colourAt(h, h);
    EXPECT_GT(GreenOf(green), RedOf(green) + 60);
    EXPECT_GT(GreenOf(green), BlueOf(green) + 60);
    EXPECT_GT(RedOf(orange), GreenOf(orange) + 40);
    EXPECT_GT(GreenOf(orange), BlueOf(orange) + 60);
    EXPECT_GT(BlueOf(purple), GreenOf(purple) + 60);
    EXPECT_GT(RedOf(purple), GreenOf(purple) + 30);
    EXPECT_GT(RedOf(red), GreenOf(red) + 100);
    EXPECT_GT(RedOf(red), BlueOf(red) + 100);
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

}  // namespace
}  // namespace tintspot
