#include "typeface.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <stdexcept>

namespace skin {

namespace {

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library created = nullptr;
    if (FT_Init_FreeType(&created) != 0) throw std::runtime_error("cannot start FreeType");
    return created;
  }();
  return library;
}

// Light hinting snaps horizontal stems and the baseline to whole pixel rows,
// which keeps small type sharp, and leaves the widths alone so that letters
// can be placed at fractions of a pixel and keep their even spacing.
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_LIGHT;

}  // namespace

struct Typeface::Face {
  FT_Face face = nullptr;

  // Loads the glyph's outline; when render, moves it right by shift (in
  // 64ths of a pixel) and renders it.
  FT_GlyphSlot Load(char c, bool render, FT_Pos shift = 0) const {
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(c));
    if (FT_Load_Glyph(face, index, kLoadFlags) != 0)
      throw std::runtime_error(std::string("cannot load glyph ") + c);
    if (!render) return face->glyph;
    FT_Outline_Translate(&face->glyph->outline, shift, 0);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_LIGHT) != 0)
      throw std::runtime_error(std::string("cannot render glyph ") + c);
    return face->glyph;
  }
};

Typeface::Typeface(const std::string& path, int pixelSize) : face_(new Face) {
  if (FT_New_Face(Library(), path.c_str(), 0, &face_->face) != 0) {
    delete face_;
    throw std::runtime_error("cannot open font " + path);
  }
  FT_Set_Pixel_Sizes(face_->face, 0, static_cast<FT_UInt>(pixelSize));
}

Typeface::~Typeface() {
  FT_Done_Face(face_->face);
  delete face_;
}

int Typeface::Width(const std::string& text) const {
  long pen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    pen += face_->Load(text[i], false)->linearHoriAdvance >> 10;
    if (i + 1 < text.size()) pen += tracking_ * 64;
  }
  return static_cast<int>((pen + 32) / 64);
}

int Typeface::CapHeight() const {
  const FT_GlyphSlot slot = face_->Load('H', true);
  return slot->bitmap_top;
}

void Typeface::Draw(PixelBuffer& image, int x, int baseline, const std::string& text,
                    TColor ink) const {
  long pen = static_cast<long>(x) * 64;
  for (char c : text) {
    // The glyph goes to the whole pixel left of the pen, shifted right by
    // the pen's fraction.
    const long whole = pen >> 6;
    const FT_GlyphSlot slot = face_->Load(c, true, pen & 63);
    const FT_Bitmap& bitmap = slot->bitmap;
    const int left = static_cast<int>(whole) + slot->bitmap_left;
    const int top = baseline - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row)
      for (unsigned column = 0; column < bitmap.width; ++column) {
        const unsigned char value =
            bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + column];
        Cover(image, left + static_cast<int>(column), top + static_cast<int>(row), ink,
              value / 255.0);
      }
    pen += (slot->linearHoriAdvance >> 10) + tracking_ * 64;
  }
}

}  // namespace skin
