// The main window's scene: what each point of the client area shows, and
// which changes reach the window in which copy.
#include "scene.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

#include "fake_platform.h"
#include "scene_painter.h"

namespace tintspot {
namespace {

constexpr TColor kMain = MakeColor(10, 20, 30), kHole = MakeColor(1, 2, 3);
constexpr TColor kTop = MakeColor(40, 50, 60), kSwatch = MakeColor(70, 80, 90);
constexpr TColor kView = MakeColor(100, 110, 120), kFrame = MakeColor(129, 127, 130);

// Runs the operations for area as a shell would; a text paints its clip.
void Draw(Scene& scene, const Rect& area, std::vector<std::uint32_t>& bits) {
  RasterImage image{bits.data(), kMainWidth, kMainHeightFull};
  for (const DrawOp& op : scene.Compose(area)) {
    DrawOp box = op;
    box.kind = DrawKind::Fill;
    box.colour = op.look ? op.look->colour : op.colour;
    Rasterise(op.kind == DrawKind::Text ? box : op, image);
  }
}

TEST(Scene, EachPointShowsTheTopmostContentInItsClip) {
  testing::FakePlatform desktop;
  const TColor face = desktop.systemColours[SystemColour::ButtonFace] = MakeColor(9, 8, 7);
  Scene scene([&](SystemColour c) { return desktop.SystemColor(c); });
  Picture main{PixelBuffer(171, 90, kMain), kHole};
  main.pixels.Set(5, 5, kHole);
  scene.SetPicture(Control::imgMain, main);
  scene.SetPicture(Control::imgTop, Picture{PixelBuffer(20, 19, kTop), std::nullopt});
  scene.SetSwatch(PixelBuffer(48, 48, kSwatch));
  scene.SetMagnifier(PixelBuffer(167, 87, kView));
  scene.SetLabel(Control::lblRGB, "1,2,3");
  std::vector<std::uint32_t> bits(kMainWidth * kMainHeightFull, 0xDEADu);
  Draw(scene, Rect{-5, -5, 400, 400}, bits);
  // An emptied label redrawn alone: its area shows the picture below again.
  scene.SetLabel(Control::lblHEX, "4");
  Draw(scene, InfoOf(Control::lblHEX).bounds, bits);
  Draw(scene, scene.SetLabel(Control::lblHEX, ""), bits);

  const struct {
    ScreenPoint at;
    TColor shows;
  } cases[] = {
      {{5, 24}, face},                    // a transparent pixel of imgMain
      {{6, 24}, kMain},                   //
      {{50, 45}, MakeColor(0, 51, 128)},  // the label's text over imgMain
      {{50, 60}, kMain},                  // the emptied label
      {{115, 5}, kTop},                   //
      {{120, 30}, kSwatch},               //
      {{80, 124}, kFrame},                // the frame around the magnifier
      {{100, 233}, kFrame},
      {{0, 180}, kFrame},
      {{170, 180}, kFrame},
      {{1, 125}, face},    // between frame and view
      {{10, 130}, kView},  //
      {{100, 220}, face},  // below the view: the zoom list's place
  };
  for (const auto& c : cases)
    EXPECT_EQ(bits[c.at.y * kMainWidth + c.at.x], ToRasterPixel(c.shows))
        << c.at.x << "," << c.at.y;
}

TEST(Scene, ChangesReachTheWindowOncePerBatchOrRepaint) {
  Scene scene([](SystemColour) { return kBlack; });
  using Copies = Scene::Copies;
  const Rect a = Rect::FromSize(0, 0, 10, 10), b = Rect::FromSize(20, 20, 5, 5);
  const Rect overA = Rect::FromSize(5, 5, 10, 10), aAndOverA{0, 0, 15, 15};
  const Rect beyond{160, 200, 300, 300}, inside{160, 200, 171, 234};
  // Two labels' rows two pixels apart, and one 17 rows below the second.
  const Rect row1 = Rect::FromSize(40, 28, 66, 13), row2 = Rect::FromSize(40, 43, 66, 13);
  const Rect farRow = Rect::FromSize(40, 73, 66, 13), rows1And2{40, 28, 106, 56};
  using Step = std::function<Copies()>;
  auto redrawn = [&](const Rect& r) { return Step([&scene, r] { return scene.Redrawn(r); }); };
  const Step begin = [&] { return scene.BeginBatch(); };
  const Step end = [&] { return scene.EndBatch(); };
  const struct {
    const char* what;
    std::vector<Step> steps;
    std::vector<Copies> copies;
  } cases[] = {
      {"unbatched", {redrawn(a)}, {{a}}},
      {"one batch: apart parts stay apart, overlapping ones merge",
       {begin, redrawn(a), redrawn(b), redrawn(overA), redrawn(a), end},
       {{}, {}, {}, {}, {}, {b, aAndOverA}}},
      {"one batch: neighbouring rows merge, a farther one does not",
       {begin, redrawn(row1), redrawn(row2), redrawn(farRow), end},
       {{}, {}, {}, {}, {rows1And2, farRow}}},
      {"a tick within a tick",
       {begin, redrawn(a), begin, redrawn(b), end, end},
       {{}, {}, {a}, {}, {b}, {}}},
      {"flushed before a message loop",
       {begin, redrawn(a), [&] { return scene.FlushBatch(); }, end},
       {{}, {}, {a}, {}}},
      {"a repaint in a batch",
       {begin, redrawn(a), [&] { return Copies{scene.BeginRepaint(beyond)}; }, redrawn(b),
        [&] { return scene.EndRepaint().redrawn; }, end},
       {{}, {}, {inside}, {}, {b}, {a}}},
  };
  for (const auto& c : cases)
    for (std::size_t i = 0; i < c.steps.size(); ++i)
      EXPECT_EQ(c.steps[i](), c.copies[i]) << c.what << ", step " << i;

  // One part more than a batch keeps apart: all become their bounds.
  scene.BeginBatch();
  for (int i = 0; i < 9; ++i) scene.Redrawn(Rect::FromSize(3 + i * 10, 2, 5, 5));
  EXPECT_EQ(scene.EndBatch(), (Copies{Rect{3, 2, 88, 7}}));
}

// A shell's painter: what a tick drew reaches the window once, at the end of the tick, also
// when the tick ends in an error; outside a tick at once.
TEST(ScenePainter, ATicksDrawingIsShownAtItsEndOnEveryPath) {
  struct Recorder final : ScenePainter {
    Recorder() : ScenePainter([](SystemColour) { return kBlack; }) {}
    void Compose(const Rect& area) override { composed.push_back(area); }
    void PresentNow(const Scene::Copies& parts) override {
      if (!parts.empty()) shown.push_back(parts);
    }
    std::vector<Rect> composed;
    std::vector<Scene::Copies> shown;
  } painter;
  const Rect swatch = InfoOf(Control::Pixel).bounds, view = InfoOf(Control::pbMag).bounds;
  try {
    const ScenePainter::BatchScope tick(painter);
    painter.ShowSwatch(PixelBuffer(48, 48, kSwatch));
    painter.ShowMagnifier(PixelBuffer(167, 87, kView));
    EXPECT_TRUE(painter.shown.empty()) << "shown before the tick's end";
    throw std::runtime_error("the tick failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(painter.composed, (std::vector<Rect>{swatch, view}));
  ASSERT_EQ(painter.shown.size(), 1u);
  EXPECT_EQ(painter.shown[0], (Scene::Copies{swatch, view}));
  painter.ShowLabel(Control::lblRGB, "1,2,3");
  EXPECT_EQ(painter.shown.back(), (Scene::Copies{InfoOf(Control::lblRGB).bounds}));
}

}  // namespace
}  // namespace tintspot
