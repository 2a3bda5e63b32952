// Costs of the work one sampling tick does in the core.
#include <benchmark/benchmark.h>

#include "colour_model.h"
#include "readout_texts.h"
#include "swatch.h"

namespace {

using namespace tintspot;

// One refresh of the readouts: the swatch with its shades (two RGBToHSB
// and two HSBToRGB, the latter in HSBText), the padlock choice, the 48 x 48
// composition with the padlock, and the five label texts.
void BM_ReadoutRefresh(benchmark::State& state) {
  // A 7 x 11 padlock: ink on a transparent key colour.
  Picture padlock{PixelBuffer(7, 11, kBlack), MakeColor(255, 0, 255)};
  for (int y = 0; y < 11; y += 2) padlock.pixels.Set(3, y, MakeColor(255, 0, 255));
  TColor colour = MakeColor(51, 102, 153);
  for (auto _ : state) {
    SwatchInputs inputs;
    inputs.colour = colour;
    inputs.centreFill = colour;
    inputs.darkShadow = MakeColor(106, 106, 106);
    inputs.padlock = HasContrast(colour, kBlack) ? &padlock : &padlock;
    PixelBuffer swatch = ComposeSwatch(inputs);
    ReadoutTexts texts = MakeReadoutTexts(colour, ScreenPoint{512, 384});
    benchmark::DoNotOptimize(swatch);
    benchmark::DoNotOptimize(texts);
    colour = (colour * 2654435761u + 12345u) & 0xFFFFFFu;  // a different colour each time
  }
}
BENCHMARK(BM_ReadoutRefresh);

void BM_ReadoutLine(benchmark::State& state) {
  TColor colour = 0;
  std::string line;
  for (auto _ : state) {
    line.clear();
    AppendReadoutLine(line, colour);
    benchmark::DoNotOptimize(line);
    colour = (colour + 0x010203u) & 0xFFFFFFu;
  }
}
BENCHMARK(BM_ReadoutLine);

}  // namespace

BENCHMARK_MAIN();
