#include "text_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace tintspot::x11 {

struct TextFace::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  Smoothing smoothing = Smoothing::kNone;

  // One character as the face draws and measures it, rasterised once: labels are drawn again
  // at every sampling tick, and loading a glyph costs far more than copying its bits.
  struct Glyph {
    bool drawn = false;  // the face could rasterise it
    int advance = 0;     // the drawn advance
    int measured = 0;    // the advance a text extent counts
    int left = 0, top = 0, width = 0, rows = 0;
    std::vector<std::uint8_t> coverage;  // rows x width, 0..255
    bool two_level = true;               // every coverage 0 or 255
  };
  mutable std::array<std::optional<Glyph>, 256> glyphs;

  ~Impl() {
    if (face != nullptr) FT_Done_Face(face);
    if (library != nullptr) FT_Done_FreeType(library);
  }

  const Glyph& GlyphOf(unsigned char character) const {
    std::optional<Glyph>& slot = glyphs[character];
    if (!slot) slot = MakeGlyph(character);
    return *slot;
  }

  // How wide a text's box is: drawn characters follow each other by their drawn advances.
  int DrawnWidth(const std::string& text) const {
    int width = 0;
    for (char c : text) width += GlyphOf(static_cast<unsigned char>(c)).advance;
    return width;
  }

  // Calls ink(x, y, coverage) for every covered pixel of every drawn glyph of `text` inside
  // `box`, the baseline `ascent` below `at`: glyph by glyph, so a pixel two glyphs cover comes
  // twice.
  template <typename Ink>
  void EachGlyphPixel(const std::string& text, ScreenPoint at, int ascent, const Rect& box,
                      Ink ink) const {
    int pen = at.x;
    for (char c : text) {
      const Glyph& glyph = GlyphOf(static_cast<unsigned char>(c));
      if (!glyph.drawn) continue;
      const int left = pen + glyph.left, top = at.y + ascent - glyph.top;
      const Rect cell = Rect::FromSize(left, top, glyph.width, glyph.rows).Intersection(box);
      for (int y = cell.top; y < cell.bottom; ++y) {
        const std::uint8_t* row = &glyph.coverage[size_t(y - top) * size_t(glyph.width)];
        for (int x = cell.left; x < cell.right; ++x)
          if (row[x - left] != 0) ink(x, y, unsigned(row[x - left]));
      }
      pen += glyph.advance;
    }
  }

  // Calls plot(x, y, coverage) for every pixel inside `clip` that `text` covers, its box's top
  // left corner at `at` (the box and its cut as Render makes them). Two-level glyphs, those of
  // every unsmoothed face, go straight to their pixels: overlapping ink is ink either way, and a
  // label redrawn at every tick is spared building its mask.
  template <typename Plot>
  void Walk(const TextFace& face, const std::string& text, ScreenPoint at, const Rect& clip,
            Plot plot) const {
    const Rect box = Rect::FromSize(at.x, at.y, DrawnWidth(text), face.Height()).Intersection(clip);
    if (box.IsEmpty()) return;
    const bool two_level = std::all_of(text.begin(), text.end(), [&](char c) {
      return GlyphOf(static_cast<unsigned char>(c)).two_level;
    });
    if (two_level) {
      EachGlyphPixel(text, at, face.Ascent(), box, plot);
      return;
    }
    const CoverageMask mask = face.Render(text);
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x)
        if (const unsigned a = mask.At(x - at.x, y - at.y)) plot(x, y, a);
  }

 private:
  // Loads and rasterises one character; false when the face cannot.
  bool Load(unsigned char character) const {
    const FT_UInt index = FT_Get_Char_Index(face, character);
    const FT_Int32 target =
        smoothing == Smoothing::kNone ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | target) != 0) return false;
    const FT_Render_Mode mode =
        smoothing == Smoothing::kNone ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
    return face->glyph->format == FT_GLYPH_FORMAT_BITMAP || FT_Render_Glyph(face->glyph, mode) == 0;
  }

  int Advance() const { return int((face->glyph->advance.x + 32) >> 6); }

  Glyph MakeGlyph(unsigned char character) const {
    Glyph glyph;
    // The advance a text extent counts: the hinted outline's, also where the face draws the
    // character from an embedded bitmap of another width (as Wine's GDI measures such faces).
    const FT_UInt index = FT_Get_Char_Index(face, character);
    const bool outlined =
        FT_IS_SCALABLE(face) && FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP) == 0;
    if (outlined) glyph.measured = Advance();
    if (!Load(character)) return glyph;
    glyph.drawn = true;
    glyph.advance = Advance();
    if (!outlined) glyph.measured = glyph.advance;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = int(bitmap.width);
    glyph.rows = int(bitmap.rows);
    glyph.coverage.resize(size_t(glyph.width) * size_t(glyph.rows));
    for (int row = 0; row < glyph.rows; ++row) {
      const unsigned char* line = bitmap.buffer + ptrdiff_t(row) * bitmap.pitch;
      for (int col = 0; col < glyph.width; ++col) {
        glyph.coverage[size_t(row) * size_t(glyph.width) + size_t(col)] =
            std::uint8_t(bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                             ? (((line[col / 8] >> (7 - col % 8)) & 1u) ? 255u : 0u)
                             : line[col]);
      }
    }
    glyph.two_level = std::all_of(glyph.coverage.begin(), glyph.coverage.end(),
                                  [](std::uint8_t c) { return c == 0 || c == 255; });
    return glyph;
  }
};

namespace {

int RoundedScale(long font_units, int ppem, int units_per_em) {
  return int(std::lround(double(font_units) * ppem / units_per_em));
}

// Bitmap fonts: the strike whose height is nearest to the asked one.
void SelectStrike(FT_Face face, int logfont_height) {
  const int wanted = std::abs(logfont_height);
  int best = 0;
  for (int i = 1; i < face->num_fixed_sizes; ++i) {
    if (std::abs(face->available_sizes[i].height - wanted) <
        std::abs(face->available_sizes[best].height - wanted))
      best = i;
  }
  if (FT_Select_Size(face, best) != 0) throw std::runtime_error("cannot select the font's size");
}

}  // namespace

TextFace::TextFace(const std::string& path, int logfont_height, Smoothing smoothing)
    : impl_(std::make_unique<Impl>()) {
  impl_->smoothing = smoothing;
  if (FT_Init_FreeType(&impl_->library) != 0) throw std::runtime_error("FreeType did not start");
  if (FT_New_Face(impl_->library, path.c_str(), 0, &impl_->face) != 0)
    throw std::runtime_error("cannot open the font " + path);
  FT_Face face = impl_->face;
  if (!FT_IS_SCALABLE(face)) {
    SelectStrike(face, logfont_height);
    ascent_ = int(face->size->metrics.ascender >> 6);
    descent_ = int(-face->size->metrics.descender >> 6);
    average_width_ = impl_->GlyphOf('x').measured;
    return;
  }
  // GDI's ascent and descent are the OS/2 table's Windows values; the cell height is their sum.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const long win_ascent = os2 != nullptr ? os2->usWinAscent : face->ascender;
  const long win_descent = os2 != nullptr ? os2->usWinDescent : -face->descender;
  const int units = face->units_per_EM;
  int ppem = logfont_height < 0 ? -logfont_height : 0;
  if (logfont_height > 0)
    ppem = int(std::lround(double(logfont_height) * units / double(win_ascent + win_descent)));
  if (ppem == 0) ppem = RoundedScale(win_ascent + win_descent, 12, units);
  if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(ppem)) != 0)
    throw std::runtime_error("cannot size the font " + path);
  ascent_ = RoundedScale(win_ascent, ppem, units);
  descent_ = RoundedScale(win_descent, ppem, units);
  average_width_ = os2 != nullptr && os2->xAvgCharWidth > 0
                       ? RoundedScale(os2->xAvgCharWidth, ppem, units)
                       : impl_->GlyphOf('x').measured;
}

TextFace::~TextFace() = default;

int TextFace::AdvanceWidth(const std::string& text) const {
  int width = 0;
  for (char c : text) width += impl_->GlyphOf(static_cast<unsigned char>(c)).measured;
  return width;
}

CoverageMask TextFace::Render(const std::string& text) const {
  CoverageMask mask;
  mask.width = impl_->DrawnWidth(text);
  mask.height = Height();
  mask.coverage.assign(size_t(mask.width) * size_t(mask.height), 0);
  impl_->EachGlyphPixel(text, ScreenPoint{0, 0}, ascent_,
                        Rect::FromSize(0, 0, mask.width, mask.height),
                        [&](int x, int y, unsigned value) {
                          auto& cell = mask.coverage[size_t(y) * size_t(mask.width) + size_t(x)];
                          cell = std::uint8_t(std::max<unsigned>(cell, value));
                        });
  return mask;
}

namespace {

unsigned Mixed(unsigned fg, unsigned bg, unsigned a) {
  return (fg * a + bg * (255 - a) + 127) / 255;
}

}  // namespace

void TextFace::Draw(const std::string& text, int x, int y, TColor colour, PixelBuffer& target,
                    const Rect& clip) const {
  const Rect inside = clip.Intersection(Rect::FromSize(0, 0, target.Width(), target.Height()));
  impl_->Walk(*this, text, ScreenPoint{x, y}, inside, [&](int px, int py, unsigned a) {
    const TColor under = target.At(px, py);
    target.Set(
        px, py,
        MakeColor(Mixed(RedOf(colour), RedOf(under), a), Mixed(GreenOf(colour), GreenOf(under), a),
                  Mixed(BlueOf(colour), BlueOf(under), a)));
  });
}

void TextFace::DrawRaster(const std::string& text, int x, int y, std::uint32_t ink,
                          RasterImage& image, const Rect& clip) const {
  const Rect inside = clip.Intersection(Rect::FromSize(0, 0, image.width, image.height));
  impl_->Walk(*this, text, ScreenPoint{x, y}, inside, [&](int px, int py, unsigned a) {
    std::uint32_t& pixel = image.bits[std::size_t(py) * std::size_t(image.width) + std::size_t(px)];
    if (a == 255) {
      pixel = ink;
      return;
    }
    std::uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8)
      mixed |= Mixed((ink >> shift) & 0xFFu, (pixel >> shift) & 0xFFu, a) << shift;
    pixel = mixed;
  });
}

}  // namespace tintspot::x11
