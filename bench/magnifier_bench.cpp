// Costs of the magnifier's part of a sampling tick: the enlargement of the captured screen area
// into the 167 x 87 view plus the cross-hair, at each zoom level; and a whole tick of the main
// window against the simulated desktop, with the pointer moving and with nothing changed.
#include <benchmark/benchmark.h>

#include "fake_platform.h"
#include "frm_main.h"
#include "magnifier.h"

namespace {

using namespace tintspot;

// A source area as the capture leaves it: every pixel a colour of its own.
PixelBuffer CapturedArea(int zoomFactor) {
  const Rect area = MagnifierSource(ScreenPoint{640, 512}, zoomFactor, kMagWidth, kMagHeight);
  PixelBuffer source(area.Width(), area.Height());
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x)
      source.Set(x, y,
                 MakeColor(static_cast<std::uint8_t>(x * 3), static_cast<std::uint8_t>(y * 5),
                           static_cast<std::uint8_t>(x ^ y)));
  return source;
}

// One render of the view: enlargement and cross-hair. Argument: the zoom list's item index.
void BM_MagnifierRender(benchmark::State& state) {
  const int factor = ZoomFactorOf(static_cast<int>(state.range(0)));
  const PixelBuffer source = CapturedArea(factor);
  PixelBuffer view(kMagWidth, kMagHeight);
  for (auto _ : state) {
    EnlargeInto(source, view);
    InvertCrossHair(view);
    benchmark::DoNotOptimize(view.Pixels().data());
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::to_string(factor * 100) + "%");
  state.SetItemsProcessed(state.iterations() * kMagWidth * kMagHeight);
}
BENCHMARK(BM_MagnifierRender)->DenseRange(0, kZoomLevels - 1);

// A desktop whose every pixel differs from its neighbours, at the zoom list's item index.
struct TickSetup {
  testing::FakePlatform desktop;
  TfrmMain main{desktop};
  explicit TickSetup(int zoomIndex) {
    desktop.screen = [](int x, int y) {
      return MakeColor(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                       static_cast<std::uint8_t>(x + y));
    };
    desktop.SetIni("Magnifier", "Zoom", std::to_string(zoomIndex));
    main.FormCreate();
  }
};

// A whole sampling tick outside the window with the pointer moving (cursor, capture and colour
// read, enlargement, swatch, readouts, view copy) on the simulated desktop, whose screen reads
// and call log are included.
void BM_SamplingTick(benchmark::State& state) {
  TickSetup setup(static_cast<int>(state.range(0)));
  int step = 0;
  for (auto _ : state) {
    setup.desktop.cursor = ScreenPoint{200 + (step & 63), 150 + (step >> 6 & 63)};
    ++step;
    setup.main.Timer1Timer();
    setup.desktop.calls.clear();  // the fake's log would otherwise grow without end
  }
  if (setup.desktop.magnifierPaints != static_cast<int>(state.iterations()))
    state.SkipWithError("a tick did not paint the view");
  state.SetLabel(std::to_string(ZoomFactorOf(static_cast<int>(state.range(0))) * 100) + "%");
}
BENCHMARK(BM_SamplingTick)->Arg(0)->Arg(6);

// The same tick with the pointer and the screen still: it reads the screen and draws nothing.
void BM_SamplingTickUnchanged(benchmark::State& state) {
  TickSetup setup(static_cast<int>(state.range(0)));
  setup.desktop.cursor = ScreenPoint{200, 150};
  setup.main.Timer1Timer();
  for (auto _ : state) {
    setup.main.Timer1Timer();
    setup.desktop.calls.clear();
  }
  if (setup.desktop.magnifierPaints != 1 || setup.desktop.swatchPaints != 1)
    state.SkipWithError("a tick without change drew");
  state.SetLabel(std::to_string(ZoomFactorOf(static_cast<int>(state.range(0))) * 100) + "%");
}
BENCHMARK(BM_SamplingTickUnchanged)->Arg(0)->Arg(6);

}  // namespace

BENCHMARK_MAIN();
