#include "desktop_probe.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <fstream>

#include "tintspot_app.h"

namespace e2e {
namespace {

std::optional<Window> NativeWindow(XDriver& x, const std::string& caption) {
  auto found = x.FindWindows(caption, /*viewable_only=*/false);
  if (found.empty()) return std::nullopt;
  return found.back();
}

const char* Flag(bool on) { return on ? "1" : "0"; }

}  // namespace

std::map<std::string, std::string> WindowInfo(WineSession& session, const std::string& caption) {
  if (!NativeBuild()) return ParseKeyValues(session.RunWinHelper({"info", caption}).output);
  XDriver& x = session.x();
  auto window = NativeWindow(x, caption);
  if (!window) return {};
  std::map<std::string, std::string> info;
  const Rect r = x.Geometry(*window).value_or(Rect{});
  info["rect"] = std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) +
                 "," + std::to_string(r.height);
  const auto wm_state = x.Property32(*window, "WM_STATE");
  info["iconic"] =
      Flag((!wm_state.empty() && wm_state[0] == IconicState) || !x.IsWindowViewable(*window));
  const auto net_state = x.Property32(*window, "_NET_WM_STATE");
  const unsigned long above = x.AtomOf("_NET_WM_STATE_ABOVE");
  // A popup of its own (override-redirect) is above every window a manager stacks.
  info["topmost"] = Flag(std::find(net_state.begin(), net_state.end(), above) != net_state.end() ||
                         x.IsOverrideRedirect(*window));
  info["foreground"] = Flag(x.IsInside(x.FocusedWindow(), *window));
  info["pid"] = std::to_string(x.WindowPid(*window).value_or(0));
  return info;
}

void MinimizeWindow(WineSession& session, const std::string& caption) {
  if (!NativeBuild()) {
    session.RunWinHelper({"minimize", caption});
    return;
  }
  XDriver& x = session.x();
  if (auto window = NativeWindow(x, caption)) {
    XIconifyWindow(x.display(), *window, DefaultScreen(x.display()));
    x.Sync();
  }
}

void RestoreWindow(WineSession& session, const std::string& caption) {
  if (!NativeBuild()) {
    session.RunWinHelper({"restore", caption});
    return;
  }
  XDriver& x = session.x();
  if (auto window = NativeWindow(x, caption)) {
    XMapRaised(x.display(), *window);
    x.SendRootMessage(*window, "_NET_ACTIVE_WINDOW", {2, CurrentTime, 0});  // 2: from a pager
  }
}

bool ClipboardSetter::Set(WineSession& session, const std::string& text, std::string* error) {
  if (!NativeBuild()) {
    RunResult set = session.RunWinHelper({"clipboard-set", text});
    *error = set.output;
    return set.exit_code == 0;
  }
  const std::string file = session.root() + "/clipboard.txt";
  std::ofstream(file, std::ios::binary) << text;
  SpawnOptions options;
  options.argv = {"xclip", "-selection", "clipboard", "-quiet", "-i", file};
  options.env = {{"DISPLAY", session.display()}};
  owner_ = std::make_unique<Process>(options);
  *error = "xclip ended at once";
  return owner_->Running();
}

}  // namespace e2e
