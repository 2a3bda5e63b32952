// Writes the seed corpus of the GIF fuzz target into the directory given as
// the only argument: encoder output for varied pictures, and variants of it
// with an interlaced image, a local colour table and a partly covered screen.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "gif_encoder.h"

namespace {

using tintspot::MakeColor;
using tintspot::Picture;
using tintspot::PixelBuffer;
using tintspot::TColor;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t noiseState = 1;
unsigned Noise() {
  noiseState = noiseState * 1664525u + 1013904223u;
  return noiseState >> 8;
}

template <typename F>
Picture Make(int width, int height, F colourAt, std::optional<TColor> transparent = {}) {
  Picture picture{PixelBuffer(width, height), transparent};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.pixels.Set(x, y, colourAt(x, y));
  }
  return picture;
}

std::size_t ImageDescriptorAt(const Bytes& file) {
  std::size_t at = 13 + 3 * (2u << (file[10] & 7));
  if (file[at] == 0x21) at += 8;  // Graphic Control Extension
  return at;
}

Bytes Interlaced(Bytes file) {
  file[ImageDescriptorAt(file) + 9] |= 0x40;  // same data read in four passes
  return file;
}

Bytes WithLocalTable(const Bytes& file) {
  const std::size_t tableEnd = 13 + 3 * (2u << (file[10] & 7));
  const std::size_t image = ImageDescriptorAt(file);
  Bytes out(file.begin(), file.begin() + 13);
  out[10] &= 0x7F;
  out.insert(out.end(), file.begin() + tableEnd, file.begin() + image + 9);
  out.push_back(static_cast<std::uint8_t>(0x80 | (file[10] & 7)));
  out.insert(out.end(), file.begin() + 13, file.begin() + tableEnd);
  out.insert(out.end(), file.begin() + image + 10, file.end());
  return out;
}

Bytes OnWiderScreen(Bytes file) {
  file[6] = static_cast<std::uint8_t>(file[6] + 3);  // small seeds only
  file[11] = 1;                                      // background index
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gif_seeds DIRECTORY\n");
    return 2;
  }
  const TColor key = MakeColor(255, 0, 255);
  const std::vector<Picture> pictures = {
      Make(1, 1, [](int, int) { return MakeColor(18, 52, 86); }),
      Make(2, 2, [](int x, int y) { return MakeColor(x * 255, y * 255, 0); }),
      Make(
          7, 11, [&](int x, int y) { return (x + y) % 4 ? tintspot::kBlack : key; }, key),
      Make(16, 16, [](int x, int y) { return MakeColor(x * 16 + y, 0, 0); }),
      Make(40, 30, [](int, int) { return MakeColor(Noise() % 5, 0, 0); }),
      Make(80, 60, [](int, int) { return MakeColor(Noise() % 256, 1, 2); }),
      Make(
          5, 13, [](int x, int y) { return MakeColor(y * 19, x * 50, 7); }, MakeColor(0, 0, 7)),
  };
  std::vector<Bytes> seeds;
  for (const Picture& picture : pictures) {
    const tintspot::GifEncoding encoding = tintspot::EncodeGif(picture);
    if (!encoding.bytes) {
      std::fprintf(stderr, "gif_seeds: %s\n", encoding.error.c_str());
      return 1;
    }
    seeds.push_back(*encoding.bytes);
  }
  seeds.push_back(Interlaced(seeds[6]));
  seeds.push_back(WithLocalTable(seeds[2]));
  seeds.push_back(WithLocalTable(Interlaced(seeds[4])));
  seeds.push_back(OnWiderScreen(seeds[1]));

  for (std::size_t i = 0; i < seeds.size(); ++i) {
    const std::string path = std::string(argv[1]) + "/seed-" + std::to_string(i) + ".gif";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(seeds[i].data(), 1, seeds[i].size(), file) != seeds[i].size()) {
      std::fprintf(stderr, "gif_seeds: cannot write %s\n", path.c_str());
      return 1;
    }
    std::fclose(file);
  }
  return 0;
}
