// libFuzzer target for the GIF decoder. Besides surviving any input under
// the sanitizers, the decoder must keep its promises: exactly one of picture
// and error, sizes within the limit, and a picture that comes back unchanged
// through the encoder whenever it has at most 256 colours.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gif_decoder.h"
#include "gif_encoder.h"

namespace {

// Re-encoding very large pictures would only slow the search down.
constexpr int kMaxRoundTripPixels = 1 << 18;

[[noreturn]] void Broken(const char* what) {
  std::fprintf(stderr, "gif_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tintspot;
  const GifResult result = DecodeGif(data, size);
  if (result.picture.has_value() == !result.error.empty()) Broken("need a picture or an error");
  if (!result.picture) return 0;

  const Picture& picture = *result.picture;
  const PixelBuffer& pixels = picture.pixels;
  if (pixels.Width() < 1 || pixels.Width() > kGifMaxDimension || pixels.Height() < 1 ||
      pixels.Height() > kGifMaxDimension) {
    Broken("picture size out of range");
  }
  if (pixels.Width() * pixels.Height() > kMaxRoundTripPixels) return 0;

  const GifEncoding encoding = EncodeGif(picture);
  if (!encoding.bytes) {
    // Only an image table plus a different background colour can exceed
    // what one table holds.
    if (encoding.error.find("more than 256 colours") == std::string::npos) Broken("not encodable");
    return 0;
  }
  const GifResult again = DecodeGif(encoding.bytes->data(), encoding.bytes->size());
  if (!again.picture) Broken("re-encoded picture not readable");
  if (!(again.picture->pixels == pixels)) Broken("pixels changed in a round trip");
  if (again.picture->transparent != picture.transparent) Broken("transparency changed");
  return 0;
}
