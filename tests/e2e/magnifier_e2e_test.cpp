// The magnifier panel of the real program: the enlarged view around the cursor at every zoom
// level chosen in the drop-down list, the cross-hair, showing and hiding the panel, picking a
// colour out of the view, and the view frozen by the lock.
#include <cstdio>
#include <memory>

#include "app_probe.h"

namespace e2e {
namespace {

// Two patterns in which every pixel differs from its neighbours in every channel that moves:
// red follows x and green follows y, blue mixes both.
constexpr Rect kPatternA{400, 200, 240, 180};
constexpr Rect kPatternB{700, 500, 240, 180};
Rgb PatternA(int px, int py) { return {uint8_t(px), uint8_t(py), uint8_t(px * 3 + py * 7)}; }
Rgb PatternB(int px, int py) { return {uint8_t(255 - px), uint8_t(py + 60), uint8_t(px ^ py)}; }
Rgb ScreenA(Point p) { return PatternA(p.x - kPatternA.x, p.y - kPatternA.y); }
Rgb ScreenB(Point p) { return PatternB(p.x - kPatternB.x, p.y - kPatternB.y); }
constexpr Point kCentreA{520, 290};
constexpr Point kCentreB{820, 590};

class MagnifierTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    pattern_a_ = x().CreatePatternWindow(kPatternA, PatternA);
    pattern_b_ = x().CreatePatternWindow(kPatternB, PatternB);
  }

  // Starts the program at 100,100 with the panel shown and zoom item `zoom` selected.
  void Start(int zoom) {
    AppOptions options;
    options.ini = Ini(100, 100, 0, zoom, 1);
    app_ = std::make_unique<TintspotApp>(options);
    ASSERT_TRUE(app_->Start()) << app_->Log();
    probe_ = std::make_unique<AppProbe>(x(), *app_);
    ASSERT_EQ(probe_->Height(), kFullHeight);
  }

  // Waits until the view shows `expected`; the failure message tells what differs.
  ::testing::AssertionResult ViewBecomes(const Image& expected,
                                         milliseconds timeout = milliseconds(5000)) {
    std::string difference;
    if (WaitUntil([&] { return (difference = Difference(probe_->View(), expected)).empty(); },
                  timeout)) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "view: " << difference;
  }

  AppProbe& probe() { return *probe_; }

  PatternWindow pattern_a_, pattern_b_;
  std::unique_ptr<TintspotApp> app_;
  std::unique_ptr<AppProbe> probe_;
};

// Until the first sample the view is white with a black frame: started under the pointer, the
// program skips every tick, so that is what it shows, and what a press in it picks.
TEST_F(MagnifierTest, ViewBeforeTheFirstSampleIsWhiteWithABlackFrame) {
  x().MovePointer(100 + 85, 100 + 60);  // where the readouts will be
  Start(0);
  Image expected{kView.width, kView.height,
                 std::vector<Rgb>(size_t(kView.width) * kView.height, Rgb{255, 255, 255})};
  for (int px = 0; px < kView.width; ++px) {
    expected.pixels[px] = expected.pixels[size_t(kView.height - 1) * kView.width + px] = Rgb{};
  }
  for (int py = 0; py < kView.height; ++py) {
    expected.pixels[size_t(py) * kView.width] = Rgb{};
    expected.pixels[size_t(py) * kView.width + kView.width - 1] = Rgb{};
  }
  EXPECT_TRUE(ViewBecomes(expected));
  EXPECT_TRUE(
      HoldsFor([&] { return Difference(probe().View(), expected).empty(); }, milliseconds(300)));
  probe().Press({kView.x + 1, kView.y + 1});  // inside the frame: white
  EXPECT_TRUE(WaitUntil(
      [&] {
        return probe().Swatch() == Rgb{255, 255, 255};
      },
      milliseconds(3000)))
      << probe().Swatch();
  probe().Press({kView.x, kView.y + 40});  // on the frame: black
  EXPECT_TRUE(WaitUntil([&] { return probe().Swatch() == Rgb{}; }, milliseconds(3000)))
      << probe().Swatch();
}

// At each zoom level the view shows (167 div zoom) x (87 div zoom) screen pixels centred on the
// cursor, each enlarged to a solid block, with the cross-hair arms inverted around the centre.
// Every level is chosen with the mouse in the dropped-down list and takes effect once the pointer
// is back on the screen outside the program.
TEST_F(MagnifierTest, EveryZoomLevelChosenInTheListEnlargesTheAreaAroundTheCursor) {
  ASSERT_NO_FATAL_FAILURE(Start(0));
  x().MovePointer(kCentreA.x, kCentreA.y);
  ASSERT_TRUE(ViewBecomes(ExpectedView(ScreenA, kCentreA, 1))) << "100% from the settings";

  for (int index : {1, 2, 3, 4, 5, 6, 0}) {
    SCOPED_TRACE("zoom item " + std::to_string(index));
    ASSERT_TRUE(probe().ChooseZoom(index));
    // A cursor a little off the pattern's centre each time, so no level can pass by showing the
    // area around an earlier cursor.
    const Point cursor{kCentreA.x + 3 * index - 7, kCentreA.y - 2 * index + 5};
    x().MovePointer(cursor.x, cursor.y);
    EXPECT_TRUE(ViewBecomes(ExpectedView(ScreenA, cursor, kZoomFactors[index])));
  }
}

// A press on the magnifier button, with any mouse button, hides a shown panel (window 125 high)
// and shows a hidden one (234 high); a double click toggles twice. Sampling goes on into the
// view while it is hidden, so the panel comes back with what was sampled meanwhile.
TEST_F(MagnifierTest, MagnifierButtonShowsAndHidesThePanel) {
  ASSERT_NO_FATAL_FAILURE(Start(2));
  x().MovePointer(kCentreA.x, kCentreA.y);
  ASSERT_TRUE(ViewBecomes(ExpectedView(ScreenA, kCentreA, 3)));

  probe().Press(kMagButton);
  EXPECT_TRUE(WaitUntil([&] { return probe().Height() == kCompactHeight; }, milliseconds(5000)));

  x().MovePointer(kCentreB.x, kCentreB.y);  // sampled while the panel is hidden
  // Let some ticks pass over pattern B: its colour reaches the swatch.
  ASSERT_TRUE(WaitUntil([&] { return probe().Swatch() == ScreenB(kCentreB); }, milliseconds(5000)));

  probe().Press(kMagButton, Button::kRight);
  ASSERT_TRUE(WaitUntil([&] { return probe().Height() == kFullHeight; }, milliseconds(5000)));
  // The pointer stays over the button, where no tick samples: what shows is the hidden capture.
  EXPECT_TRUE(ViewBecomes(ExpectedView(ScreenB, kCentreB, 3)));

  x().DoubleClick();
  EXPECT_TRUE(WaitUntil([&] { return probe().Height() == kFullHeight; }, milliseconds(2000)));
  EXPECT_TRUE(HoldsFor([&] { return probe().Height() == kFullHeight; }, milliseconds(400)));

  probe().Press(kMagButton, Button::kMiddle);
  EXPECT_TRUE(WaitUntil([&] { return probe().Height() == kCompactHeight; }, milliseconds(5000)));
}

// A press in the view, with any button, puts the colour drawn at that point on the swatch and
// the readouts: the cursor's pixel at the centre, its inverse on a cross-hair arm, a neighbour's
// colour on a neighbouring block. The view stays as it is; the next tick outside samples again.
TEST_F(MagnifierTest, PressInTheViewPicksTheColourShownThere) {
  ASSERT_NO_FATAL_FAILURE(Start(6));  // 2800%: 5 x 3 blocks, the cross-hair inside the middle one
  x().MovePointer(kCentreA.x, kCentreA.y);
  const Image view = ExpectedView(ScreenA, kCentreA, 28);
  ASSERT_TRUE(ViewBecomes(view));
  ASSERT_EQ(probe().Swatch(), ScreenA(kCentreA));

  struct Pick {
    Point at;  // in the view
    Button button;
    Rgb expected;
  };
  const Pick picks[] = {
      {{kViewCentreX - 2, kViewCentreY}, Button::kLeft, Inverse(ScreenA(kCentreA))},
      {{10, 80}, Button::kMiddle, ScreenA({kCentreA.x - 2, kCentreA.y + 1})},
      {{kViewCentreX, kViewCentreY + 5}, Button::kRight, Inverse(ScreenA(kCentreA))},
      {{160, 5}, Button::kLeft, ScreenA({kCentreA.x + 2, kCentreA.y - 1})},
      {{kViewCentreX, kViewCentreY}, Button::kLeft, ScreenA(kCentreA)},
  };
  for (const Pick& pick : picks) {
    SCOPED_TRACE("pick at " + std::to_string(pick.at.x) + "," + std::to_string(pick.at.y));
    ASSERT_EQ(view.at(pick.at.x, pick.at.y), pick.expected) << "test data";
    probe().Press({kView.x + pick.at.x, kView.y + pick.at.y}, pick.button);
    EXPECT_TRUE(WaitUntil([&] { return probe().Swatch() == pick.expected; }, milliseconds(3000)))
        << probe().Swatch();
  }

  // The readouts follow the pick: a pick on an arm, then the RGB readout copied.
  probe().Press({kView.x + kViewCentreX + 3, kView.y + kViewCentreY});
  const Rgb inverse = Inverse(ScreenA(kCentreA));
  ASSERT_TRUE(WaitUntil([&] { return probe().Swatch() == inverse; }, milliseconds(3000)));
  probe().Press(kLblRgb);
  std::optional<std::string> text;
  EXPECT_TRUE(WaitUntil([&] { return (text = x().ClipboardText()) == ToString(inverse); },
                        milliseconds(3000)))
      << text.value_or("(none)");

  EXPECT_TRUE(Difference(probe().View(), view).empty()) << "a pick changed the view";
  EXPECT_FALSE(probe().Locked());
  // Outside the window the next tick samples the screen again.
  x().MovePointer(kCentreB.x, kCentreB.y);
  EXPECT_TRUE(WaitUntil([&] { return probe().Swatch() == ScreenB(kCentreB); }, milliseconds(3000)));
}

// Locked by a press on the swatch, the view keeps the last capture while the pointer goes over
// another pattern; a press in the frozen view still picks, and keeps the lock and the view.
// Unlocked, the view follows the pointer again.
TEST_F(MagnifierTest, LockedViewStaysFrozenAndStillPicks) {
  ASSERT_NO_FATAL_FAILURE(Start(3));  // 400%
  x().MovePointer(kCentreA.x, kCentreA.y);
  const Image frozen = ExpectedView(ScreenA, kCentreA, 4);
  ASSERT_TRUE(ViewBecomes(frozen));

  probe().Press(kSwatchCentre);
  ASSERT_TRUE(WaitUntil([&] { return probe().Locked(); }, milliseconds(3000)));
  x().MovePointer(kCentreB.x, kCentreB.y);
  EXPECT_TRUE(HoldsFor(
      [&] {
        return Difference(probe().View(), frozen).empty() && probe().Locked() &&
               probe().Swatch() == ScreenA(kCentreA);
      },
      milliseconds(600)));

  // View pixel 92 lies on the block of the screen pixel two to the right of the cursor.
  const Point at{92, kViewCentreY - 1};
  const Rgb picked = frozen.at(at.x, at.y);
  ASSERT_EQ(picked, ScreenA({kCentreA.x + 2, kCentreA.y})) << "test data";
  probe().Press({kView.x + at.x, kView.y + at.y});
  EXPECT_TRUE(WaitUntil([&] { return probe().Swatch() == picked; }, milliseconds(3000)));
  x().MovePointer(kCentreB.x + 5, kCentreB.y + 5);
  EXPECT_TRUE(HoldsFor(
      [&] {
        return probe().Locked() && probe().Swatch() == picked &&
               Difference(probe().View(), frozen).empty();
      },
      milliseconds(400)));

  probe().Press(kSwatchCentre);
  ASSERT_TRUE(WaitUntil([&] { return !probe().Locked(); }, milliseconds(3000)));
  x().MovePointer(kCentreB.x, kCentreB.y);
  EXPECT_TRUE(ViewBecomes(ExpectedView(ScreenB, kCentreB, 4)));
}

// With the pointer still, a change of the screen under it still reaches the swatch, the readouts
// and the view: a window appearing under the pointer, another over it, and that one going again.
TEST_F(MagnifierTest, ScreenChangeUnderAStillPointerReachesSwatchReadoutsAndView) {
  Start(3);
  x().MovePointer(kCentreA.x, kCentreA.y);
  ASSERT_TRUE(ViewBecomes(ExpectedView(ScreenA, kCentreA, 4)));
  const Rect cover{kCentreA.x - 7, kCentreA.y - 4, 15, 9};  // within the 41 x 21 source area
  bool useHex = false;
  auto expectShown = [&](Rgb colour) {
    SCOPED_TRACE(ToString(colour));
    auto screen = [&](Point p) {
      const bool covered = p.x >= cover.x && p.x < cover.x + cover.width && p.y >= cover.y &&
                           p.y < cover.y + cover.height;
      return covered ? colour : ScreenA(p);
    };
    EXPECT_TRUE(ViewBecomes(ExpectedView(screen, kCentreA, 4)));
    EXPECT_TRUE(WaitUntil([&] { return probe().Swatch() == colour; }, milliseconds(3000)));
    // The readout as it stands, copied with a click on it (RGB and HEX in turn, so that two
    // clicks never make a double click); the pointer then returns.
    char hex[7];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", colour.r, colour.g, colour.b);
    const std::string rgb =
        std::to_string(colour.r) + "," + std::to_string(colour.g) + "," + std::to_string(colour.b);
    const std::string expected = useHex ? hex : rgb;
    probe().Press(useHex ? kLblHex : kLblRgb);
    useHex = !useHex;
    std::optional<std::string> text;
    EXPECT_TRUE(
        WaitUntil([&] { return (text = x().ClipboardText()) == expected; }, milliseconds(3000)))
        << text.value_or("(none)");
    x().MovePointer(kCentreA.x, kCentreA.y);
  };
  PatternWindow steel = x().CreatePatternWindow(cover, Rgb{51, 102, 153});
  expectShown(Rgb{51, 102, 153});
  PatternWindow red = x().CreatePatternWindow(cover, Rgb{200, 30, 60});
  expectShown(Rgb{200, 30, 60});
  red.Destroy();
  expectShown(Rgb{51, 102, 153});
}

}  // namespace
}  // namespace e2e
