#include "ppm_file.h"

#include <fstream>
#include <stdexcept>

namespace e2e {

void WritePpm(const std::string& path, const Image& image) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << image.width << " " << image.height << "\n255\n";
  for (const Rgb& c : image.pixels) out << char(c.r) << char(c.g) << char(c.b);
  if (!out) throw std::runtime_error("cannot write " + path);
}

Image ReadPpm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxval = 0;
  Image image;
  in >> magic >> image.width >> image.height >> maxval;
  in.get();
  if (!in || magic != "P6" || maxval != 255) throw std::runtime_error("not a PPM: " + path);
  image.pixels.resize(size_t(image.width) * image.height);
  for (Rgb& c : image.pixels) {
    char rgb[3];
    in.read(rgb, 3);
    c = {uint8_t(rgb[0]), uint8_t(rgb[1]), uint8_t(rgb[2])};
  }
  if (!in) throw std::runtime_error("short PPM: " + path);
  return image;
}

}  // namespace e2e
