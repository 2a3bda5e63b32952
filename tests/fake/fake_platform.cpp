#include "fake_platform.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

#include "settings_value.h"
#include "skin.h"

namespace tintspot::testing {
FakePlatform::FakePlatform() {
  monitors.push_back({Rect::FromSize(0, 0, 1920, 1080), Rect::FromSize(0, 0, 1920, 1040)});
  systemColours[SystemColour::DarkShadow] = MakeColor(106, 106, 106);
  systemColours[SystemColour::ButtonFace] = MakeColor(212, 208, 200);
  resources = LoadCommittedSkin();
}

std::map<std::string, std::vector<std::uint8_t>> LoadCommittedSkin() {
  // Read once per process: the fuzz targets build a desktop per input.
  static const std::map<std::string, std::vector<std::uint8_t>> skin = [] {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const SkinEntry& entry : SkinEntries()) {
      std::string name = entry.resource;
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      std::ifstream in(std::string(TINTSPOT_ASSETS_DIR) + "/skin/" + name + ".gif",
                       std::ios::binary);
      files[entry.resource] = std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    return files;
  }();
  return skin;
}

std::vector<std::string> FakePlatform::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& call : calls)
    if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
  return found;
}

int FakePlatform::CountCalls(const std::string& prefix) const {
  return static_cast<int>(CallsStartingWith(prefix).size());
}

bool FakePlatform::OnSomeMonitor(int x, int y) const {
  for (const FakeMonitor& m : monitors)
    if (m.bounds.Contains(ScreenPoint{x, y})) return true;
  return false;
}

std::optional<ScreenPoint> FakePlatform::CursorPosition() {
  Log("CursorPosition");
  if (cursorReadFails) return std::nullopt;
  return cursor;
}

ProgramWindow FakePlatform::WindowAt(ScreenPoint point) {
  Log("WindowAt");
  if (minimized || cursorOverOtherWindow || !window.Contains(point)) return ProgramWindow::None;
  return windowAtCursor.value_or(ProgramWindow::Main);
}

std::vector<Rect> FakePlatform::MonitorRects() {
  ++layoutQueries;
  std::vector<Rect> rects;
  for (const FakeMonitor& m : monitors) rects.push_back(m.bounds);
  return rects;
}

bool FakePlatform::BeginScreenRead() {
  ++screenReads;
  Log("BeginScreenRead");
  return !screenReadFails;
}

bool FakePlatform::CopyScreen(const Rect& part, PixelBuffer& target, ScreenPoint targetAt) {
  Log("CopyScreen(" + std::to_string(part.left) + "," + std::to_string(part.top) + "," +
      std::to_string(part.Width()) + "x" + std::to_string(part.Height()) + ")");
  if (copyFails) return false;
  for (int y = 0; y < part.Height(); ++y)
    for (int x = 0; x < part.Width(); ++x) {
      const int sx = part.left + x, sy = part.top + y;
      TColor colour = OnSomeMonitor(sx, sy) ? screen(sx, sy) : kOffMonitorCopy;
      if (bitsPerPixel < 24) colour &= 0x00F8FCF8u;
      target.Set(targetAt.x + x, targetAt.y + y, colour);
    }
  return true;
}

bool FakePlatform::ScreenChangedIn(const Rect& area) {
  const bool sameArea = lastChangeArea_ == area;
  lastChangeArea_ = area;
  return !tellsScreenChanges || std::exchange(screenDrawnOn, false) || !sameArea;
}

TColor FakePlatform::ScreenPixel(ScreenPoint point) {
  Log("ScreenPixel");
  if (!OnSomeMonitor(point.x, point.y)) return kClrInvalid;
  return screen(point.x, point.y);
}

void FakePlatform::EndScreenRead() { Log("EndScreenRead"); }

TColor FakePlatform::SystemColor(SystemColour colour) {
  auto found = systemColours.find(colour);
  return found == systemColours.end() ? 0 : found->second;
}

std::vector<std::uint8_t> FakePlatform::ResourceData(const char* name) {
  auto found = resources.find(name);
  return found == resources.end() ? std::vector<std::uint8_t>{} : found->second;
}

void FakePlatform::ShowPicture(Control control, const Picture& picture) {
  Log(std::string("ShowPicture(") + InfoOf(control).name + ")");
  pictures[control] = picture;
}

void FakePlatform::PaintSwatch(const PixelBuffer& pixels) {
  Log("PaintSwatch");
  swatch = pixels;
  ++swatchPaints;
}

void FakePlatform::PaintMagnifier(const PixelBuffer& view) {
  Log("PaintMagnifier");
  magnifier = view;
  ++magnifierPaints;
}

void FakePlatform::SetLabelText(Control label, const std::string& text) {
  Log(std::string("SetLabelText(") + InfoOf(label).name + "," + text + ")");
  labels[label] = text;
}

TColor FakePlatform::MagnifierPixel(ScreenPoint p) {
  Log("MagnifierPixel");
  if (magnifierPixelAnswer) return *magnifierPixelAnswer;
  // What the window shows there: nothing readable while the panel is cut off.
  if (!magnifier || window.Height() < 234 || !magnifier->Contains(p.x, p.y)) return kClrInvalid;
  return magnifier->At(p.x, p.y);
}

Rect FakePlatform::WindowRect() { return window; }

WindowShowState FakePlatform::ShowState() {
  return minimized ? WindowShowState::Minimized : WindowShowState::Normal;
}

void FakePlatform::MoveWindow(ScreenPoint topLeft) {
  Log("MoveWindow(" + std::to_string(topLeft.x) + "," + std::to_string(topLeft.y) + ")");
  window = window.MovedTo(topLeft.x, topLeft.y);
}

void FakePlatform::SetWindowHeight(int height) {
  Log("SetWindowHeight(" + std::to_string(height) + ")");
  window.bottom = window.top + height;
}

void FakePlatform::SetTopmost(bool on) {
  Log(std::string("SetTopmost(") + (on ? "1" : "0") + ")");
  topmost = on;
}

Rect FakePlatform::WorkAreaFor(const Rect& rect) {
  // The monitor with the largest overlap, else the nearest (first) one.
  const FakeMonitor* best = &monitors.front();
  long bestArea = -1;
  for (const FakeMonitor& m : monitors) {
    const long w =
        std::max(0, std::min(rect.right, m.bounds.right) - std::max(rect.left, m.bounds.left));
    const long h =
        std::max(0, std::min(rect.bottom, m.bounds.bottom) - std::max(rect.top, m.bounds.top));
    if (w * h > bestArea) {
      bestArea = w * h;
      best = &m;
    }
  }
  return best->workArea;
}

std::vector<Rect> FakePlatform::MonitorWorkAreas() {
  std::vector<Rect> areas;
  for (const FakeMonitor& m : monitors) areas.push_back(m.workArea);
  return areas;
}

int FakePlatform::PrimaryScreenWidth() { return monitors.front().bounds.Width(); }
int FakePlatform::PrimaryScreenHeight() { return monitors.front().bounds.Height(); }

void FakePlatform::CaptureMouse() {
  Log("CaptureMouse");
  captured = true;
}

void FakePlatform::ReleaseMouseCapture() {
  Log("ReleaseMouseCapture");
  captured = false;
}

void FakePlatform::FocusWindow(ProgramWindow window) {
  Log(window == ProgramWindow::Main ? "FocusWindow(Main)" : "FocusWindow(ZoomList)");
  focus = window;
}

void FakePlatform::BeginWindowDrag() {
  Log("BeginWindowDrag");
  captured = false;
  ++dragsStarted;
}

void FakePlatform::MinimizeApplication() {
  Log("MinimizeApplication");
  minimized = true;
}

void FakePlatform::RequestClose() {
  Log("RequestClose");
  closeRequested = true;
}

void FakePlatform::StartTimer(int intervalMs) {
  Log("StartTimer(" + std::to_string(intervalMs) + ")");
  timerRunning = true;
  timerInterval = intervalMs;
}

void FakePlatform::StopTimer() {
  Log("StopTimer");
  timerRunning = false;
}

int FakePlatform::ZoomSelection() { return zoomSelection; }

void FakePlatform::SelectZoom(int index) {
  Log("SelectZoom(" + std::to_string(index) + ")");
  zoomSelection = index;
}

void FakePlatform::EnableZoomList(bool enabled) {
  Log(std::string("EnableZoomList(") + (enabled ? "1" : "0") + ")");
  zoomEnabled = enabled;
}

std::optional<std::string> FakePlatform::ReadSetting(const char* section, const char* key) {
  Log(std::string("ReadSetting(") + section + "," + key + ")");
  return ini.Read(section, key, kSettingValueLimit);
}

bool FakePlatform::WriteSetting(const char* section, const char* key, const std::string& value) {
  Log(std::string("WriteSetting(") + section + "," + key + "," + value + ")");
  if (!settingsWritable || writesBeforeFailure == 0) return false;
  if (writesBeforeFailure > 0) --writesBeforeFailure;
  SetIni(section, key, value);
  return true;
}

std::string FakePlatform::SettingsPath() { return settingsPath; }

ClipboardResult FakePlatform::SetClipboardText(const std::string& text) {
  Log("SetClipboardText(" + text + ")");
  if (clipboardHeld) return ClipboardResult::CannotOpen;
  if (clipboardRefuses) return ClipboardResult::CannotSet;
  clipboard = text;
  return ClipboardResult::Done;
}

void FakePlatform::ShowErrorBox(const std::string& text) {
  Log("ShowErrorBox(" + text + ")");
  errorBoxes.push_back(text);
  if (duringErrorBox) duringErrorBox();
}

void FakePlatform::ShowInfoBox(const std::string& caption, const std::string& text) {
  Log("ShowInfoBox(" + caption + ")");
  infoBoxes.emplace_back(caption, text);
}

void FakePlatform::OpenAddress(const std::string& address) {
  Log("OpenAddress(" + address + ")");
  openedAddresses.push_back(address);
}

MenuCommand FakePlatform::TrackOptionsMenu(ScreenPoint point) {
  Log("TrackOptionsMenu(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")");
  menuShownAt = point;
  captured = false;
  if (duringMenu) duringMenu();
  menuShownAt.reset();
  return menuChoice;
}

void FakePlatform::ShowHelpPopup(ScreenPoint topLeft) {
  Log("ShowHelpPopup(" + std::to_string(topLeft.x) + "," + std::to_string(topLeft.y) + ")");
  helpPopupAt = topLeft;
}

void FakePlatform::HideHelpPopup() {
  Log("HideHelpPopup");
  helpPopupAt.reset();
}

void FakePlatform::DestroyHelpPopup() {
  Log("DestroyHelpPopup");
  helpDestroyed = true;
}

}  // namespace tintspot::testing
