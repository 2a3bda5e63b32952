#include "scene.h"

#include <X11/extensions/XTest.h>

#include <cmath>

namespace livebench {
namespace {

// Away from the programs' windows, which all sit at (40,40).
constexpr e2e::Rect kGradient{720, 440, 500, 500};
constexpr e2e::Rect kProbe{1000, 80, 160, 160};

e2e::Rgb GradientAt(int x, int y) { return {uint8_t(x / 2), uint8_t(y / 2), uint8_t(x + y)}; }

unsigned long Pixel(e2e::Rgb c) {  // Xvfb's 24-bit TrueColor visual
  return (unsigned long)(c.r) << 16 | (unsigned long)(c.g) << 8 | c.b;
}

}  // namespace

Scene::Scene(e2e::XDriver& x) : x_(x) {
  gradient_ = x_.CreatePatternWindow(kGradient, GradientAt);
  Display* d = x_.display();
  probe_ = XCreateSimpleWindow(d, x_.root(), kProbe.x, kProbe.y, unsigned(kProbe.width),
                               unsigned(kProbe.height), 0, 0, Pixel({128, 128, 128}));
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  XChangeWindowAttributes(d, probe_, CWOverrideRedirect, &attributes);
  XMapRaised(d, probe_);
  x_.Sync();
}

Scene::~Scene() {
  XDestroyWindow(x_.display(), probe_);
  x_.Sync();
}

e2e::Point Scene::ProbeCentre() const {
  return {kProbe.x + kProbe.width / 2, kProbe.y + kProbe.height / 2};
}

void Scene::SetProbe(e2e::Rgb colour) {
  XSetWindowBackground(x_.display(), probe_, Pixel(colour));
  XClearWindow(x_.display(), probe_);
  XFlush(x_.display());
}

void Scene::MovePointer(e2e::Point to) {
  XTestFakeMotionEvent(x_.display(), -1, to.x, to.y, CurrentTime);
  XFlush(x_.display());
}

e2e::Point Scene::PathPoint(long step) const {
  const double cx = kGradient.x + kGradient.width / 2.0, cy = kGradient.y + kGradient.height / 2.0;
  const double radius = kGradient.width / 2.0 - 30;
  return {int(cx + radius * std::sin(double(step) * 0.045)),
          int(cy + radius * std::sin(double(step) * 0.0617 + 0.5))};
}

}  // namespace livebench
