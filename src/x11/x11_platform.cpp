#include "x11_platform.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "desktop_look.h"
#include "embedded_resources.h"
#include "message_box.h"
#include "move_loop.h"
#include "profile_file.h"
#include "settings_path.h"
#include "settings_value.h"
#include "shell.h"

namespace tintspot::x11 {
namespace {

// The sampling timer's period while the core's timer is off: the tooltips still keep time.
constexpr int kIdlePeriodMs = 50;

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

long long DistanceSquared(const Rect& a, const Rect& b) {
  const long long dx = std::max({0, b.left - a.right + 1, a.left - b.right + 1});
  const long long dy = std::max({0, b.top - a.bottom + 1, a.top - b.bottom + 1});
  return dx * dx + dy * dy;
}

}  // namespace

ProgramWindow X11Platform::WindowOf(Window window) const {
  if (window == 0) return ProgramWindow::None;
  if (window == shell_.main.id()) return ProgramWindow::Main;
  if (window == shell_.zoomList.field()) return ProgramWindow::ZoomList;
  if (window == shell_.zoomList.drop_down()) return ProgramWindow::ZoomListDropDown;
  if (window == shell_.help.window()) return ProgramWindow::HelpPopup;
  if (window == shell_.menu.window() || window == shell_.tooltips.window() ||
      IsMessageBoxWindow(window))
    return ProgramWindow::Other;
  return ProgramWindow::None;
}

void X11Platform::Tick() {
  MainWindowState& state = shell_.state;
  constexpr auto kShowWait = std::chrono::seconds(1);
  if (!state.shownOnce && state.showAsked != std::chrono::steady_clock::time_point{} &&
      state.showRetries < 3 && std::chrono::steady_clock::now() - state.showAsked > kShowWait &&
      !lost_) {
    ++state.showRetries;
    ShowMainWindow(shell_);
  }
  shell_.tooltips.Update();
  if (!shell_.children.Empty()) shell_.children.Reap();
  if (!coreTicking_ || lost_) return;
  try {
    const MainPainter::BatchScope batch(shell_.painter);
    shell_.core.Timer1Timer();
  } catch (...) {
    ShowHandlerError(shell_);
  }
}

void X11Platform::ReadDisplay() {
  shell_.monitors = ReadMonitors(shell_.display);
  std::vector<Rect> bounds;
  for (const MonitorInfo& monitor : shell_.monitors) bounds.push_back(monitor.bounds);
  shell_.capture.RefreshRootSize();
  shell_.capture.SetMonitorAreas(std::move(bounds));
}

// --- Reading the screen ---------------------------------------------------------------

std::optional<ScreenPoint> X11Platform::CursorPosition() {
  if (lost_) return std::nullopt;
  // Whatever was drawn may be a window mapped or moved under the pointer: the window there is
  // asked again.
  if (shell_.damage.Reports() != damageReportsSeen_) {
    damageReportsSeen_ = shell_.damage.Reports();
    shell_.pointerRest.Doubt();
  }
  if (pointerKnown_ && shell_.pointerRest.Resting()) return pointer_;
  Window root = 0, child = 0;
  int x = 0, y = 0, wx = 0, wy = 0;
  unsigned int mask = 0;
  // One round trip answers both where the pointer is and which top-level window is there.
  if (!XQueryPointer(shell_.display, shell_.root, &root, &child, &x, &y, &wx, &wy, &mask)) {
    pointerKnown_ = false;
    shell_.pointerRest.Queried(std::nullopt);
    return std::nullopt;
  }
  pointer_ = ScreenPoint{x, y};
  pointerChild_ = child;
  pointerKnown_ = true;
  shell_.pointerRest.Queried(pointer_);
  return pointer_;
}

ProgramWindow X11Platform::WindowAt(ScreenPoint point) {
  if (lost_) return ProgramWindow::None;
  Window child = 0;
  if (pointerKnown_ && point == pointer_) {
    child = pointerChild_;
  } else {
    int x = 0, y = 0;
    XTranslateCoordinates(shell_.display, shell_.root, shell_.root, point.x, point.y, &x, &y,
                          &child);
  }
  // Under a reparenting window manager the root's child is the frame around the main window
  // (asked again when an unknown window lies where the main window is: the frame may be new).
  const Rect& placed = shell_.state.placed;
  if (child != 0 && child != shell_.main.id() && child != shell_.state.frame &&
      placed.Contains(point) && WindowOf(child) == ProgramWindow::None)
    shell_.state.frame = TopLevelOf(shell_.display, shell_.main.id());
  if (child != 0 && (child == shell_.main.id() || child == shell_.state.frame)) {
    if (!placed.Contains(point)) return ProgramWindow::None;  // on the frame's own border
    const ScreenPoint client{point.x - placed.left, point.y - placed.top};
    return kZoomListBounds.Contains(client) ? ProgramWindow::ZoomList : ProgramWindow::Main;
  }
  return WindowOf(child);
}

std::vector<Rect> X11Platform::MonitorRects() {
  std::vector<Rect> rects;
  for (const MonitorInfo& monitor : shell_.monitors) rects.push_back(monitor.bounds);
  return rects;
}

int X11Platform::ScreenBitsPerPixel() {
  // As Windows counts a 24-bit true-colour screen: 32 bits a pixel.
  const int depth = DefaultDepth(shell_.display, DefaultScreen(shell_.display));
  return depth == 24 ? 32 : depth;
}

bool X11Platform::CopyScreen(const Rect& part, PixelBuffer& target, ScreenPoint targetAt) {
  return !lost_ && shell_.capture.ReadInto(part, target, targetAt);
}

TColor X11Platform::ScreenPixel(ScreenPoint point) {
  if (lost_) return kClrInvalid;
  const int screen = DefaultScreen(shell_.display);
  const Rect root = Rect::FromSize(0, 0, DisplayWidth(shell_.display, screen),
                                   DisplayHeight(shell_.display, screen));
  if (!root.Contains(point)) return kClrInvalid;
  if (!shell_.capture.Read(Rect::FromSize(point.x, point.y, 1, 1), part_)) return kClrInvalid;
  return part_.At(0, 0);
}

bool X11Platform::BeginScreenRead() {
  if (lost_) return false;
  shell_.damage.ReadBegins(NextRequest(shell_.display));
  return true;
}

bool X11Platform::ScreenChangedIn(const Rect& area) { return lost_ || shell_.damage.Changed(area); }

TColor X11Platform::SystemColor(SystemColour colour) { return SchemeColour(colour); }

// --- Drawing the main window -------------------------------------------------------------

std::vector<std::uint8_t> X11Platform::ResourceData(const char* name) {
  return EmbeddedBytes(name, ResourceKind::RCDATA);
}

void X11Platform::ShowPicture(Control control, const Picture& picture) {
  if (!lost_) shell_.painter.ShowPicture(control, picture);
}

void X11Platform::PaintSwatch(const PixelBuffer& swatch) {
  if (!lost_) shell_.painter.ShowSwatch(swatch);
}

void X11Platform::PaintMagnifier(const PixelBuffer& view) {
  if (!lost_) shell_.painter.ShowMagnifier(view);
}

void X11Platform::SetLabelText(Control label, const std::string& text) {
  if (!lost_) shell_.painter.ShowLabel(label, text);
}

TColor X11Platform::MagnifierPixel(ScreenPoint viewPoint) {
  const Rect& view = InfoOf(Control::pbMag).bounds;
  return shell_.painter.PixelAt(ScreenPoint{view.left + viewPoint.x, view.top + viewPoint.y});
}

// --- Placing the main window --------------------------------------------------------------

Rect X11Platform::WindowRect() { return shell_.state.placed; }

WindowShowState X11Platform::ShowState() {
  return shell_.state.iconic ? WindowShowState::Minimized : WindowShowState::Normal;
}

void X11Platform::MoveWindow(ScreenPoint topLeft) {
  Rect& placed = shell_.state.placed;
  placed = Rect::FromSize(topLeft.x, topLeft.y, placed.Width(), placed.Height());
  if (lost_) return;
  shell_.main.MoveTo(topLeft.x, topLeft.y);
  // As Windows reports a move it makes at once, before the window manager has its say; the
  // configure notice that follows reports where the window really is.
  shell_.core.MainWindowPlaced();
}

void X11Platform::SetWindowHeight(int height) {
  Rect& placed = shell_.state.placed;
  placed = Rect::FromSize(placed.left, placed.top, kMainWidth, height);
  if (lost_) return;
  shell_.main.Resize(kMainWidth, height);
  shell_.core.MainWindowPlaced();
}

void X11Platform::SetTopmost(bool topmost) {
  if (!lost_) shell_.main.SetAlwaysOnTop(topmost);
}

const MonitorInfo* X11Platform::PrimaryMonitor() const {
  for (const MonitorInfo& monitor : shell_.monitors)
    if (monitor.primary) return &monitor;
  return shell_.monitors.empty() ? nullptr : &shell_.monitors.front();
}

Rect X11Platform::WorkAreaFor(const Rect& window) {
  // As Windows picks a window's monitor: the one it overlaps most, else the nearest.
  const MonitorInfo* best = nullptr;
  long long bestOverlap = 0;
  long long bestDistance = std::numeric_limits<long long>::max();
  for (const MonitorInfo& monitor : shell_.monitors) {
    const Rect common = window.Intersection(monitor.bounds);
    const long long overlap = common.IsEmpty() ? 0 : (long long)common.Width() * common.Height();
    const long long distance = DistanceSquared(window, monitor.bounds);
    if (overlap > bestOverlap || (bestOverlap == 0 && overlap == 0 && distance < bestDistance)) {
      best = &monitor;
      bestOverlap = overlap;
      bestDistance = distance;
    }
  }
  if (best == nullptr) best = PrimaryMonitor();
  return best != nullptr ? best->work : Rect{};
}

std::vector<Rect> X11Platform::MonitorWorkAreas() {
  std::vector<Rect> areas;
  for (const MonitorInfo& monitor : shell_.monitors) areas.push_back(monitor.work);
  return areas;
}

int X11Platform::PrimaryScreenWidth() {
  const MonitorInfo* primary = PrimaryMonitor();
  return primary != nullptr ? primary->bounds.Width() : 0;
}

int X11Platform::PrimaryScreenHeight() {
  const MonitorInfo* primary = PrimaryMonitor();
  return primary != nullptr ? primary->bounds.Height() : 0;
}

void X11Platform::BeginWindowDrag() {
  if (lost_) return;
  ReleaseMouseCapture();
  shell_.moveLoop.Run();
}

void X11Platform::MinimizeApplication() {
  if (lost_) return;
  // Windows hides an owned popup with its owner and shows it again on restoring.
  if (shell_.help.Shown()) {
    shell_.state.helpHiddenWithMain = true;
    shell_.help.Hide();
  }
  shell_.main.Minimize();
}

void X11Platform::RequestClose() {
  Shell& shell = shell_;
  shell_.loop.Post([&shell] { CloseMainWindow(shell); });
}

// --- Mouse and keyboard -------------------------------------------------------------------

void X11Platform::CaptureMouse() {
  if (lost_ || shell_.state.captured) return;
  constexpr unsigned kMask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  shell_.state.captured =
      XGrabPointer(shell_.display, shell_.main.id(), False, kMask, GrabModeAsync, GrabModeAsync, 0,
                   0, CurrentTime) == GrabSuccess;
}

void X11Platform::ReleaseMouseCapture() {
  if (lost_ || !shell_.state.captured) return;
  shell_.state.captured = false;
  XUngrabPointer(shell_.display, CurrentTime);
  XFlush(shell_.display);
}

ProgramWindow X11Platform::FocusedWindow() {
  if (lost_) return ProgramWindow::None;
  const ProgramWindow focused = shell_.focus.AskFocused();
  if (focused != ProgramWindow::Main) return focused;
  return shell_.state.zoomFocused ? ProgramWindow::ZoomList : ProgramWindow::Main;
}

void X11Platform::FocusWindow(ProgramWindow window) {
  if (window != ProgramWindow::Main && window != ProgramWindow::ZoomList) return;
  shell_.state.zoomFocused = window == ProgramWindow::ZoomList;
  if (lost_) return;
  // Within the main window, as SetFocus moves it: the X focus stays on (or comes back to) the
  // main window, when the program has it. Only a viewable window can take the X focus.
  const bool ours = shell_.focus.AskFocused() == ProgramWindow::Main;
  shell_.zoomList.SetFocused(ours && shell_.state.zoomFocused);
  if (!ours || !shell_.state.mapped || shell_.state.iconic) return;
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(shell_.display, &focus, &revert);
  if (focus != shell_.main.id())
    XSetInputFocus(shell_.display, shell_.main.id(), RevertToParent, CurrentTime);
}

// --- The sampling timer and the zoom list ---------------------------------------------------

void X11Platform::StartTimer(int intervalMs) {
  coreTicking_ = true;
  corePeriodMs_ = TimerPeriodOf(intervalMs);
  shell_.loop.StartTimer(corePeriodMs_, [this] { Tick(); });
}

void X11Platform::StopTimer() {
  coreTicking_ = false;
  shell_.loop.StartTimer(kIdlePeriodMs, [this] { Tick(); });
}

int X11Platform::ZoomSelection() { return shell_.zoomList.Selection(); }

void X11Platform::SelectZoom(int index) {
  if (!lost_) shell_.zoomList.Select(index);
}

void X11Platform::EnableZoomList(bool enabled) {
  if (!lost_) shell_.zoomList.Enable(enabled);
}

// --- Settings file -------------------------------------------------------------------------

std::string X11Platform::SettingsPath() {
  if (settingsPath_.empty()) {
    const std::string folder = BinaryFolder();
    settingsPath_ = x11::SettingsPath(
        SettingsPlace{folder, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")}, FileExists);
    if (settingsPath_.empty()) settingsPath_ = kSettingsFileName;
  }
  return settingsPath_;
}

std::optional<std::string> X11Platform::ReadSetting(const char* section, const char* key) {
  return ReadProfileString(SettingsPath(), section, key, kSettingValueLimit);
}

bool X11Platform::WriteSetting(const char* section, const char* key, const std::string& value) {
  // The user's configuration folder is made with the first write (the first close).
  const std::string path = SettingsPath();
  return CreateFoldersFor(path) && WriteProfileString(path, section, key, value);
}

// --- Commands and auxiliary windows ----------------------------------------------------------

ClipboardResult X11Platform::SetClipboardText(const std::string& text) {
  if (lost_) return ClipboardResult::CannotOpen;
  return shell_.clipboard.Take(text, shell_.loop.LastEventTime()) ? ClipboardResult::Done
                                                                  : ClipboardResult::CannotSet;
}

void X11Platform::ShowErrorBox(const std::string& text) {
  if (lost_) return;
  shell_.painter.FlushBatch();  // the box's loop may run for long
  RunMessageBox(shell_.loop, shell_.main.id(), shell_.widgetEvents, "Tintspot", text,
                BoxIcon::Error);
}

void X11Platform::ShowInfoBox(const std::string& caption, const std::string& text) {
  if (lost_) return;
  shell_.painter.FlushBatch();
  RunMessageBox(shell_.loop, shell_.main.id(), shell_.widgetEvents, caption, text,
                BoxIcon::Information);
}

void X11Platform::OpenAddress(const std::string& address) {
  // The browser is started, not waited for; a desktop without xdg-open opens nothing, as a
  // Windows without a browser for the address does.
  shell_.children.Start("xdg-open", address);
}

MenuCommand X11Platform::TrackOptionsMenu(ScreenPoint point) {
  if (lost_) return MenuCommand::None;
  shell_.painter.FlushBatch();
  // The menu takes the pointer from the main window, as a Windows menu takes the capture: the
  // left press that opened it captured the pointer for the main window. That grab goes first,
  // so the menu's own grab is the only one while it shows (to another client the pointer is
  // grabbed only once the menu tracks it; the main window's grab held until then took the
  // clicks meant for the menu) and the capture is not thought held after the menu has gone.
  ReleaseMouseCapture();
  return shell_.menu.Track(point);
}

void X11Platform::PostMenuCommand(MenuCommand command) {
  Shell& shell = shell_;
  shell_.loop.Post([&shell, command] {
    try {
      shell.core.MenuItemClick(command);
    } catch (...) {
      ShowHandlerError(shell);
    }
  });
}

void X11Platform::ShowHelpPopup(ScreenPoint topLeft) {
  if (lost_) return;
  shell_.state.helpAt = topLeft;
  shell_.help.Show(topLeft);
}

void X11Platform::HideHelpPopup() {
  shell_.state.helpHiddenWithMain = false;
  if (!lost_) shell_.help.Hide();
}

void X11Platform::DestroyHelpPopup() {
  shell_.state.helpHiddenWithMain = false;
  if (!lost_) shell_.help.Destroy();
}

}  // namespace tintspot::x11
