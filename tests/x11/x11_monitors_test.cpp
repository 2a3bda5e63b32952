// Monitors from RandR 1.5 (two monitors defined through XRRSetMonitor on an Xvfb, the primary
// not at 0,0), the work area clipped to each, and the change notifications.
// GoogleTest comes before the X headers, whose macros (None, Bool) clash with it.
#include <gtest/gtest.h>
// (the X headers)
#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include "monitors.h"
#include "xvfb_fixture.h"

namespace x11 = tintspot::x11;
using tintspot::Rect;

namespace {

class MonitorsTest : public XvfbTest {
 protected:
  // A monitor that holds `output` (if not 0) stands in for the one the server made for it.
  void AddMonitor(const char* name, const Rect& r, bool primary, RROutput output = 0) {
    XRRMonitorInfo info{};
    info.name = XInternAtom(display(), name, False);
    info.primary = primary;
    info.x = r.left;
    info.y = r.top;
    info.width = r.Width();
    info.height = r.Height();
    info.mwidth = r.Width() / 4;
    info.mheight = r.Height() / 4;
    info.noutput = output != 0 ? 1 : 0;
    info.outputs = &output;
    XRRSetMonitor(display(), root(), &info);
    XSync(display(), False);
  }
  void SetWorkArea(const std::vector<long>& work) {
    XChangeProperty(display(), root(), XInternAtom(display(), "_NET_WORKAREA", False), XA_CARDINAL,
                    32, PropModeReplace, reinterpret_cast<const unsigned char*>(work.data()),
                    int(work.size()));
    XSync(display(), False);
  }
};

TEST_F(MonitorsTest, RandrMonitorsWithTheirPrimaryAndClippedWorkAreas) {
  StartServer("1600x800x24");
  int major = 0, minor = 0;
  ASSERT_TRUE(XRRQueryVersion(display(), &major, &minor));
  ASSERT_GE(major * 100 + minor, 105);
  // Without a window manager: one monitor, the whole root, its own work area.
  auto monitors = x11::ReadMonitors(display());
  ASSERT_EQ(monitors.size(), 1u);
  EXPECT_TRUE(monitors[0].bounds == Rect::FromSize(0, 0, 1600, 800));
  EXPECT_TRUE(monitors[0].work == monitors[0].bounds);
  EXPECT_TRUE(monitors[0].primary);

  x11::MonitorWatch watch(display());
  XRRScreenResources* resources = XRRGetScreenResources(display(), root());
  ASSERT_GE(resources->noutput, 1);
  AddMonitor("LEFT", Rect::FromSize(0, 0, 1000, 800), false, resources->outputs[0]);
  XRRFreeScreenResources(resources);
  AddMonitor("RIGHT", Rect::FromSize(1000, 100, 600, 500), true);
  // A panel of 30 pixels along the top of the whole screen and one of 40 along its right.
  SetWorkArea({0, 30, 1560, 770});
  int changes = 0;
  while (XPending(display()) > 0) {
    XEvent event;
    XNextEvent(display(), &event);
    changes += watch.IsChange(event);
  }
  EXPECT_GE(changes, 1);

  monitors = x11::ReadMonitors(display());
  struct Expected {
    Rect bounds, work;
    bool primary;
  };
  const Expected expected[] = {
      {Rect::FromSize(0, 0, 1000, 800), Rect::FromSize(0, 30, 1000, 770), false},
      {Rect::FromSize(1000, 100, 600, 500), Rect::FromSize(1000, 100, 560, 500), true}};
  ASSERT_EQ(monitors.size(), 2u);
  for (const Expected& e : expected) {
    const auto found =
        std::find_if(monitors.begin(), monitors.end(),
                     [&](const x11::MonitorInfo& m) { return m.bounds == e.bounds; });
    ASSERT_NE(found, monitors.end()) << e.bounds.left;
    EXPECT_TRUE(found->work == e.work)
        << e.bounds.left << ": " << found->work.left << "," << found->work.top << " "
        << found->work.Width() << "x" << found->work.Height();
    EXPECT_EQ(found->primary, e.primary) << e.bounds.left;
  }
}

}  // namespace
