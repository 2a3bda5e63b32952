// xdriver_cli: the test driver from the shell, for trying things by hand on $DISPLAY.
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "xdriver.h"

namespace {

const char* const kUsage =
    "usage: xdriver_cli COMMAND ...\n"
    "  move X Y | warp X Y | pointer\n"
    "  click [BUTTON] | dclick [BUTTON] | down BUTTON | up BUTTON\n"
    "  key KEYSYM [ctrl+shift+alt] | repeat KEYSYM COUNT\n"
    "  pixel X Y | screenshot X Y W H FILE.png\n"
    "  find NAME | focus WINDOW | close WINDOW | clipboard\n"
    "  pattern X Y W H RRGGBB SECONDS\n";

int Arg(const std::vector<std::string>& a, size_t i) { return std::stoi(a.at(i), nullptr, 0); }

unsigned Modifiers(const std::string& text) {
  unsigned m = e2e::kNoModifier;
  if (text.find("ctrl") != std::string::npos) m |= e2e::kCtrl;
  if (text.find("shift") != std::string::npos) m |= e2e::kShift;
  if (text.find("alt") != std::string::npos) m |= e2e::kAlt;
  return m;
}

KeySym Keysym(const std::string& name) {
  KeySym k = XStringToKeysym(name.c_str());
  if (k == NoSymbol) throw std::runtime_error("unknown keysym " + name);
  return k;
}

int Dispatch(e2e::XDriver& x, const std::vector<std::string>& a) {
  const std::string& c = a.at(0);
  auto button = [&](size_t i) { return e2e::Button(a.size() > i ? Arg(a, i) : 1); };
  auto rect = [&] { return e2e::Rect{Arg(a, 1), Arg(a, 2), Arg(a, 3), Arg(a, 4)}; };
  if (c == "move") {
    x.MovePointer(Arg(a, 1), Arg(a, 2));
  } else if (c == "warp") {
    x.WarpPointer(Arg(a, 1), Arg(a, 2));
  } else if (c == "pointer") {
    std::cout << x.PointerPosition() << "\n";
  } else if (c == "click") {
    x.Click(button(1));
  } else if (c == "dclick") {
    x.DoubleClick(button(1));
  } else if (c == "down") {
    x.ButtonDown(button(1));
  } else if (c == "up") {
    x.ButtonUp(button(1));
  } else if (c == "key") {
    x.TapKey(Keysym(a.at(1)), a.size() > 2 ? Modifiers(a[2]) : 0);
  } else if (c == "repeat") {
    const int presses = x.RepeatKey(Keysym(a.at(1)), Arg(a, 2));
    std::cout << presses << "\n";
    return presses >= Arg(a, 2) ? 0 : 1;
  } else if (c == "pixel") {
    std::cout << x.PixelAt(Arg(a, 1), Arg(a, 2)) << "\n";
  } else if (c == "screenshot") {
    return x.SaveScreenshot(rect(), a.at(5)) ? 0 : 1;
  } else if (c == "find") {
    auto windows = x.FindWindows(a.at(1));
    for (Window w : windows) {
      std::cout << "0x" << std::hex << w << std::dec << " " << x.Geometry(w).value_or(e2e::Rect{})
                << " pid " << x.WindowPid(w).value_or(0) << "\n";
    }
    return windows.empty() ? 1 : 0;
  } else if (c == "focus") {
    x.Focus(Window(Arg(a, 1)));
  } else if (c == "close") {
    x.SendDeleteWindow(Window(Arg(a, 1)));
  } else if (c == "clipboard") {
    auto text = x.ClipboardText();
    if (!text) return 1;
    std::cout << *text << "\n";
  } else if (c == "pattern") {
    unsigned long rgb = std::stoul(a.at(5), nullptr, 16);
    auto window = x.CreatePatternWindow(
        rect(), e2e::Rgb{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
    std::this_thread::sleep_for(std::chrono::seconds(Arg(a, 6)));
  } else {
    std::cerr << kUsage;
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    e2e::XDriver x;
    return Dispatch(x, args);
  } catch (const std::exception& e) {
    std::cerr << "xdriver_cli: " << e.what() << "\n";
    return 2;
  }
}
