// Helpers for the GIF tests: pictures, and GIF files assembled part by part
// with LZW codes written out by hand.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gif_decoder.h"
#include "gif_encoder.h"
#include "pixel_buffer.h"

namespace tintspot::gif_test {

using Bytes = std::vector<std::uint8_t>;

inline GifResult Decode(const Bytes& bytes) { return DecodeGif(bytes.data(), bytes.size()); }

// The encoder's bytes; empty (and a test failure) when it refuses.
Bytes Encode(const Picture& picture);

// A picture whose pixel (x, y) is colourAt(x, y).
template <typename F>
Picture MakePicture(int width, int height, F colourAt, std::optional<TColor> transparent = {}) {
  Picture picture{PixelBuffer(width, height), transparent};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.pixels.Set(x, y, colourAt(x, y));
  }
  return picture;
}

// A deterministic pseudo-random sequence for "noisy" pictures.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }

 private:
  std::uint32_t state_;
};

// LZW codes as (code, width in bits), packed from the least significant bit.
Bytes PackCodes(const std::vector<std::pair<int, int>>& codes);

// Every part of a GIF file that the tests vary.
struct GifParts {
  std::string signature = "GIF89a";
  int screenWidth = 1;
  int screenHeight = 1;
  std::vector<TColor> global;  // none when empty; a power of two from 2 to 256
  int background = 0;
  std::optional<int> transparentIndex;  // writes a Graphic Control Extension
  int left = 0;
  int top = 0;
  int width = 1;
  int height = 1;
  bool interlaced = false;
  std::vector<TColor> local;  // none when empty
  int minCodeSize = 2;
  Bytes data;  // LZW bytes, cut into sub-blocks by Build
};

Bytes Build(const GifParts& parts);

}  // namespace tintspot::gif_test
