// A long run of the sampler: the pointer goes from colour to colour every few hundred
// milliseconds for over a minute, so that every tick samples and repaints, while the program's
// memory is watched. A leak of a bitmap, a device context or a buffer per tick shows as steady
// growth; running out of GDI objects would stop the drawing, which the swatch checks would see.
#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

#include "app_probe.h"

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kRunTime = std::chrono::seconds(65);
constexpr auto kWarmUp = std::chrono::seconds(10);
constexpr auto kSampleEvery = std::chrono::seconds(5);
constexpr auto kMoveEvery = milliseconds(250);
constexpr long kGrowthMarginKb = 2048;

struct MemorySample {
  double seconds;
  long resident_kb;     // VmRSS of the Wine process
  long working_set_kb;  // GetProcessMemoryInfo's working set, as the program's own Windows sees it
  long pagefile_kb;     // and its committed private memory (touched or not)
};

class SoakTest : public E2eTest {
 protected:
  MemorySample Sample(TintspotApp& app, Clock::time_point start) {
    MemorySample sample{SecondsSince(start), app.ResidentKilobytes().value_or(-1), -1, -1};
    RunResult resources = session().RunWinHelper({"resources", TintspotApp::kCaption});
    auto values = ParseKeyValues(resources.output);
    if (resources.exit_code == 0 && !values["working_set"].empty()) {
      sample.working_set_kb = std::stol(values["working_set"]) / 1024;
      sample.pagefile_kb = std::stol(values["pagefile"]) / 1024;
    }
    if (gdi_objects_.empty()) gdi_objects_ = values["gdi_objects"];
    std::printf("[soak] t=%5.1f s  resident=%ld KB  working_set=%ld KB  pagefile=%ld KB\n",
                sample.seconds, sample.resident_kb, sample.working_set_kb, sample.pagefile_kb);
    std::fflush(stdout);
    return sample;
  }

  // Start, end and largest figure after the warm-up; fails on growth beyond the margin and on a
  // climb at every single sample.
  void CheckFlat(const std::vector<MemorySample>& samples, long MemorySample::*figure,
                 const char* name) {
    ASSERT_GE(samples.size(), 3u) << name;
    long first = samples.front().*figure, last = samples.back().*figure, most = first;
    int climbs = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
      most = std::max(most, samples[i].*figure);
      if (samples[i].*figure > samples[i - 1].*figure) ++climbs;
    }
    std::printf("[soak] %s after warm-up: start %ld KB, end %ld KB, max %ld KB\n", name, first,
                last, most);
    std::fflush(stdout);
    EXPECT_GT(first, 0) << name;
    EXPECT_LE(last, first + kGrowthMarginKb) << name << " grew";
    EXPECT_LE(most, first + 2 * kGrowthMarginKb) << name << " peaked";
    EXPECT_FALSE(climbs == int(samples.size()) - 1 && last - first > 256)
        << name << " rose at every sample";
  }

  std::string gdi_objects_;
};

TEST_F(SoakTest, SamplingForOverAMinuteKeepsMemoryFlatAndTheSwatchDrawn) {
  // Magnifier shown: every tick also renders and copies the enlarged view.
  TintspotApp app({"[General]\r\nX=600\r\nY=400\r\n[Magnifier]\r\nZoom=2\r\nShowMag=1\r\n"});
  ASSERT_TRUE(app.Start()) << app.Log();
  const Rgb dark = DarkShadow(session());
  const SwatchColour colours[] = {kSteelBlue, kWhite, kMidGrey};
  ColourPatches patches(x(), {kSteelBlue.colour, kWhite.colour, kMidGrey.colour});
  std::vector<Image> swatches;
  for (const SwatchColour& c : colours) swatches.push_back(ExpectedSwatch(c, dark));

  const auto start = Clock::now();
  auto next_sample = start;
  std::vector<MemorySample> after_warm_up;
  int moves = 0, missed = 0;
  while (Clock::now() - start < kRunTime) {
    if (Clock::now() >= next_sample) {
      MemorySample sample = Sample(app, start);
      if (Clock::now() - start >= kWarmUp) after_warm_up.push_back(sample);
      next_sample += kSampleEvery;
    }
    const auto slot_end = Clock::now() + kMoveEvery;
    const size_t index = size_t(moves++) % 3;
    Point at = patches.Centre(index);
    x().MovePointer(at.x, at.y);
    // Every change of colour must reach the screen: a program out of drawing resources stops.
    if (!AppProbe(x(), app).SwatchBecomes(swatches[index], milliseconds(2000))) ++missed;
    std::this_thread::sleep_for(slot_end - Clock::now());
    ASSERT_TRUE(app.Running()) << "the program ended during the run";
  }
  after_warm_up.push_back(Sample(app, start));
  std::printf(
      "[soak] %d pointer moves in %.0f s, %d swatch changes missed; GetGuiResources "
      "reports %s GDI objects (Wine answers 0)\n",
      moves, SecondsSince(start), missed, gdi_objects_.c_str());
  std::fflush(stdout);
  EXPECT_EQ(missed, 0);
  CheckFlat(after_warm_up, &MemorySample::resident_kb, "resident");
  CheckFlat(after_warm_up, &MemorySample::working_set_kb, "working set");
  CheckFlat(after_warm_up, &MemorySample::pagefile_kb, "pagefile");

  // Still sampling correctly at the end.
  for (size_t index : {1u, 0u}) {
    Point at = patches.Centre(index);
    x().MovePointer(at.x, at.y);
    EXPECT_TRUE(AppProbe(x(), app).SwatchBecomes(swatches[index])) << colours[index].colour;
  }
  EXPECT_TRUE(app.Close()) << app.Log();
}

}  // namespace
}  // namespace e2e
