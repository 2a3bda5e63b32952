// x11_draw_text: draws texts the way `winhelper draw-text` does (centred in a box, cut off at
// it, DrawText's DT_CENTER placement), with the X11 build's TextFace instead of GDI, so that
// the two results can be compared pixel by pixel.
//
//   x11_draw_text IN OUT FONT_FILE HEIGHT R,G,B none|gray LEFT TOP WIDTH HEIGHT TEXT [...]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "text_face.h"

using tintspot::MakeColor;
using tintspot::PixelBuffer;
using tintspot::Rect;

namespace {

bool ReadPpm(const std::string& path, PixelBuffer* image) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int width = 0, height = 0, max = 0;
  in >> magic >> width >> height >> max;
  in.get();
  if (magic != "P6" || width <= 0 || height <= 0 || max != 255) return false;
  *image = PixelBuffer(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned char rgb[3];
      if (!in.read(reinterpret_cast<char*>(rgb), 3)) return false;
      image->Set(x, y, MakeColor(rgb[0], rgb[1], rgb[2]));
    }
  return true;
}

bool WritePpm(const std::string& path, const PixelBuffer& image) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << image.Width() << " " << image.Height() << "\n255\n";
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const auto c = image.At(x, y);
      const char rgb[3] = {char(tintspot::RedOf(c)), char(tintspot::GreenOf(c)),
                           char(tintspot::BlueOf(c))};
      out.write(rgb, 3);
    }
  return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 12 || (argc - 7) % 5 != 0) {
    std::cerr << "usage: x11_draw_text IN OUT FONT HEIGHT R,G,B none|gray L T W H TEXT...\n";
    return 2;
  }
  PixelBuffer image;
  if (!ReadPpm(argv[1], &image)) return 1;
  unsigned r = 0, g = 0, b = 0;
  if (std::sscanf(argv[5], "%u,%u,%u", &r, &g, &b) != 3) return 2;
  const auto smoothing = std::string(argv[6]) == "gray" ? tintspot::x11::Smoothing::kGray
                                                        : tintspot::x11::Smoothing::kNone;
  const tintspot::x11::TextFace face(argv[3], std::atoi(argv[4]), smoothing);
  for (int i = 7; i + 4 < argc; i += 5) {
    const Rect box = Rect::FromSize(std::atoi(argv[i]), std::atoi(argv[i + 1]),
                                    std::atoi(argv[i + 2]), std::atoi(argv[i + 3]));
    const std::string text = argv[i + 4];
    const int x = (box.left + box.right - face.AdvanceWidth(text)) / 2;
    face.Draw(text, x, box.top, MakeColor(r, g, b), image, box);
  }
  return WritePpm(argv[2], image) ? 0 : 1;
}
