// The screen read on visuals of every depth, at the root's edges, the damage tracker, and the
// pointer's rest: while the pointer stays, ticks answer without a query; a device's motion is
// seen at the next tick, a warp (which reports no motion) within one rest's answers.
// GoogleTest comes before the X headers, whose macros (None, Bool) clash with it.
#include <gtest/gtest.h>
// (the X headers)
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "damage_tracker.h"
#include "pointer_rest.h"
#include "root_pointer.h"
#include "screen_capture.h"
#include "x_connection.h"
#include "xvfb_fixture.h"

namespace x11 = tintspot::x11;
using tintspot::PixelBuffer;
using tintspot::Rect;
using tintspot::ScreenPoint;

namespace {

// A window of another connection whose pixels are exactly the given pixel values (its
// background pixmap, so the server keeps it drawn).
Window RawPixelWindow(Display* display, const Rect& r,
                      const std::function<unsigned long(int, int)>& value) {
  const int screen = DefaultScreen(display);
  const unsigned depth = unsigned(DefaultDepth(display, screen));
  XImage* image = XCreateImage(display, DefaultVisual(display, screen), depth, ZPixmap, 0, nullptr,
                               unsigned(r.Width()), unsigned(r.Height()), 32, 0);
  image->data = static_cast<char*>(malloc(size_t(image->bytes_per_line) * size_t(r.Height())));
  for (int y = 0; y < r.Height(); ++y)
    for (int x = 0; x < r.Width(); ++x) XPutPixel(image, x, y, value(x, y));
  const Window root = DefaultRootWindow(display);
  const Pixmap pixmap =
      XCreatePixmap(display, root, unsigned(r.Width()), unsigned(r.Height()), depth);
  GC gc = XCreateGC(display, pixmap, 0, nullptr);
  XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, unsigned(r.Width()), unsigned(r.Height()));
  XFreeGC(display, gc);
  XDestroyImage(image);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixmap = pixmap;
  const Window window = XCreateWindow(
      display, root, r.left, r.top, unsigned(r.Width()), unsigned(r.Height()), 0, int(depth),
      InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixmap, &attributes);
  XMapRaised(display, window);
  XSync(display, False);
  return window;
}

class ScreenReadTest : public XvfbTest, public ::testing::WithParamInterface<const char*> {};

// Every pixel value of a 256 x 256 window (all 65536 of a 16-bit visual; spread over the range
// on deeper ones) reads as the colour the server itself gives the value (XQueryColors), through
// the shared segment and through XGetImage.
TEST_P(ScreenReadTest, EveryPixelReadsAsTheServersOwnColourOfIt) {
  StartServer(GetParam());
  const Rect area = Rect::FromSize(100, 50, 256, 256);
  Visual* visual = DefaultVisual(display(), DefaultScreen(display()));
  const unsigned long all = visual->red_mask | visual->green_mask | visual->blue_mask;
  std::mt19937 random(7);
  std::vector<unsigned long> values(65536);
  for (size_t i = 0; i < values.size(); ++i) values[i] = all == 0xFFFF ? i : random() & all;
  values[1] = all;  // white
  values[2] = 0;    // black
  RawPixelWindow(display(), area,
                 [&](int x, int y) { return values[size_t(y) * 256 + size_t(x)]; });

  std::vector<XColor> expected(values.size());
  for (size_t i = 0; i < values.size(); ++i) expected[i].pixel = values[i];
  XQueryColors(display(), DefaultColormap(display(), DefaultScreen(display())), expected.data(),
               int(expected.size()));

  for (int max_side : {256, 16}) {  // 16: larger areas go through XGetImage
    x11::ScreenCapture capture(display(), max_side, max_side);
    EXPECT_TRUE(capture.UsesSharedMemory());
    PixelBuffer out;
    ASSERT_TRUE(capture.Read(area, out));
    int wrong = 0;
    std::string first;
    for (size_t i = 0; i < values.size(); ++i) {
      const auto want =
          tintspot::MakeColor(expected[i].red >> 8, expected[i].green >> 8, expected[i].blue >> 8);
      const auto got = out.At(int(i % 256), int(i / 256));
      if (got != want && wrong++ == 0)
        first = "pixel value " + std::to_string(values[i]) + ": " + std::to_string(got) +
                " instead of " + std::to_string(want);
    }
    EXPECT_EQ(wrong, 0) << GetParam() << ", segment side " << max_side << ", first " << first;
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, ScreenReadTest,
                         ::testing::Values("640x480x16", "640x480x24", "640x480x30"));

class ScreenEdgeTest : public XvfbTest {};

// Areas reaching beyond the root: the part outside reads black, the part inside as shown, and
// no X error arises (an unclipped read would be a BadMatch).
TEST_F(ScreenEdgeTest, OutsideTheRootReadsBlackWithoutAnXError) {
  StartServer("320x240x24");
  x11::InstallErrorLog();
  const unsigned long colour = 0x123456;
  RawPixelWindow(display(), Rect::FromSize(0, 0, 320, 240), [&](int, int) { return colour; });
  x11::ScreenCapture capture(display(), 41, 21);
  for (const Rect& area : {Rect::FromSize(300, 225, 41, 21), Rect::FromSize(-20, -10, 41, 21),
                           Rect::FromSize(400, 300, 41, 21), Rect::FromSize(-30, 100, 400, 30)}) {
    PixelBuffer out;
    ASSERT_TRUE(capture.Read(area, out));
    int wrong = 0;
    for (int y = 0; y < area.Height(); ++y) {
      for (int x = 0; x < area.Width(); ++x) {
        const bool inside = Rect{0, 0, 320, 240}.Contains({area.left + x, area.top + y});
        wrong += out.At(x, y) != (inside ? tintspot::MakeColor(0x12, 0x34, 0x56) : 0u);
      }
    }
    EXPECT_EQ(wrong, 0) << area.left << "," << area.top;
  }
  XSync(display(), False);
  EXPECT_EQ(x11::ErrorCount(), 0u);
}

class DamageTest : public XvfbTest {
 protected:
  // One tick as the shell runs it: the pointer query (a round trip), the question, and the read
  // (a round trip) when the answer asks for one.
  bool Tick(x11::DamageTracker& tracker, const Rect& area) {
    x11::QueryRootPointer(display(), root());
    const bool changed = tracker.Changed(area);
    if (!changed) return false;
    tracker.ReadBegins(NextRequest(display()));
    XImage* read = XGetImage(display(), root(), area.left, area.top, unsigned(area.Width()),
                             unsigned(area.Height()), AllPlanes, ZPixmap);
    if (read != nullptr) XDestroyImage(read);
    return changed;
  }
};

// Another client draws into its own window under the sampled area: the next tick knows;
// drawings elsewhere and quiet periods leave the area unchanged.
TEST_F(DamageTest, AnotherClientsDrawingUnderTheAreaIsSeenAtTheNextTick) {
  StartServer();
  Display* other = XOpenDisplay(server_.display.c_str());
  ASSERT_NE(other, nullptr);
  const Window window = XCreateSimpleWindow(other, DefaultRootWindow(other), 300, 300, 60, 60, 0, 0,
                                            WhitePixel(other, 0));
  XMapWindow(other, window);
  GC gc = XCreateGC(other, window, 0, nullptr);
  XSync(other, False);

  x11::DamageTracker tracker(display());
  ASSERT_TRUE(tracker.Available());
  const Rect area = Rect::FromSize(290, 290, 41, 21);  // covers 300..330 x 300..310 of it
  EXPECT_TRUE(Tick(tracker, area)) << "the first question knows no history";
  EXPECT_TRUE(Tick(tracker, area)) << "the watch begins at the second";
  EXPECT_FALSE(Tick(tracker, area));

  struct Step {
    int x, y;  // a 5 x 5 fill at this point of the window; -1: none
    bool changed;
  };
  const Step steps[] = {{40, 40, false}, {-1, -1, false}, {10, 5, true},
                        {-1, -1, false}, {28, 8, true},   {35, 0, false}};
  std::vector<double> latencies_ms;
  for (const Step& step : steps) {
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    const auto drawn = std::chrono::steady_clock::now();
    if (step.x >= 0) {
      XFillRectangle(other, window, gc, step.x, step.y, 5, 5);
      XSync(other, False);
    }
    EXPECT_EQ(Tick(tracker, area), step.changed) << "fill at " << step.x << "," << step.y;
    if (step.changed)
      latencies_ms.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - drawn)
              .count());
  }
  EXPECT_TRUE(Tick(tracker, Rect::FromSize(0, 0, 41, 21))) << "another area";
  for (double ms : latencies_ms) std::cout << "[damage] drawn to seen: " << ms << " ms\n";
  XFreeGC(other, gc);
  XCloseDisplay(other);
}

// A server without DAMAGE: every question answers "changed".
TEST_F(DamageTest, WithoutTheExtensionEveryAreaHasChanged) {
  StartServer("640x480x24", {"-extension", "DAMAGE"});
  int event_base = 0, error_base = 0;
  ASSERT_FALSE(XDamageQueryExtension(display(), &event_base, &error_base));
  x11::DamageTracker tracker(display());
  EXPECT_FALSE(tracker.Available());
  const Rect area = Rect::FromSize(10, 10, 41, 21);
  for (int tick = 0; tick < 3; ++tick) EXPECT_TRUE(Tick(tracker, area)) << tick;
}

class PointerRestTest : public XvfbTest {
 protected:
  // One tick as the shell runs it: the events the connection brought, then the pointer, asked
  // only when the rest does not know where it is.
  ScreenPoint Tick(x11::PointerRest& rest) {
    while (XPending(display()) > 0) {
      XEvent event;
      XNextEvent(display(), &event);
      rest.HandleEvent(event);
    }
    if (known_ && rest.Resting()) return at_;
    ++queries_;
    const std::optional<ScreenPoint> at = x11::QueryRootPointer(display(), root());
    rest.Queried(at);
    known_ = at.has_value();
    return at_ = at.value_or(at_);
  }
  // Ticks `count` times; how many of them queried.
  int Ticks(x11::PointerRest& rest, int count) {
    const int before = queries_;
    for (int i = 0; i < count; ++i) Tick(rest);
    return queries_ - before;
  }
  // Another client moves the pointer; the server has handled it, and what it sent this
  // connection has arrived, before the next tick.
  void Moved(Display* other, bool warp, int x, int y) {
    if (warp) XWarpPointer(other, 0, DefaultRootWindow(other), 0, 0, 0, 0, x, y);
    if (!warp) XTestFakeMotionEvent(other, -1, x, y, CurrentTime);
    XSync(other, False);
    XSync(display(), False);
  }

  bool known_ = false;
  ScreenPoint at_;
  int queries_ = 0;
};

TEST_F(PointerRestTest, AStillPointerIsAnsweredWithoutQueriesUntilItMoves) {
  StartServer();
  Display* other = XOpenDisplay(server_.display.c_str());
  ASSERT_NE(other, nullptr);
  x11::PointerRest rest(display());
  ASSERT_TRUE(rest.Available());
  constexpr int kAnswers = x11::PointerRest::kAnswersBetweenQueries;
  constexpr int kStill = x11::PointerRest::kStillQueries;
  Moved(other, false, 100, 100);
  // The still queries, and the one that confirms the reports were asked for in time.
  EXPECT_EQ(Ticks(rest, kStill + 2), kStill + 2);
  Moved(other, false, 200, 150);
  EXPECT_EQ(Tick(rest), (ScreenPoint{200, 150})) << "a device's motion, at the next tick";
  EXPECT_EQ(Ticks(rest, kStill + 1), kStill + 1)
      << "while it moves the reports are not asked for: the rest begins anew";
  EXPECT_EQ(Ticks(rest, 3 * kAnswers), 3) << "one query in every " << kAnswers << " ticks";

  Moved(other, true, 50, 60);
  int seenAfter = 0;
  while (Tick(rest) != ScreenPoint{50, 60} && seenAfter < 2 * kAnswers) ++seenAfter;
  EXPECT_LT(seenAfter, kAnswers) << "a warp, by the rest's next query";

  Ticks(rest, 2 * kAnswers);
  rest.Doubt();
  EXPECT_EQ(Ticks(rest, 1), 1) << "a doubt asks at once";
  XCloseDisplay(other);
}

}  // namespace
