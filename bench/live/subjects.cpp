#include "subjects.h"

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "subprocess.h"
#include "tintspot_app.h"
#include "wait_until.h"
#include "wine_session.h"

namespace livebench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using e2e::milliseconds;
using e2e::WineSession;

// Tintspot's settings for the benchmark: the window at (40,40), the magnifier at 400% (the
// fourth zoom item), shown or hidden.
std::string TintspotIni(bool magnifier_shown) {
  std::ostringstream ini;
  ini << "[General]\r\nX=40\r\nY=40\r\nonTop=0\r\n[Magnifier]\r\nZoom=3\r\nShowMag="
      << (magnifier_shown ? 1 : 0) << "\r\n";
  return ini.str();
}

// Waits until Tintspot's window at `rect` shows its pictures (a window only mapped, not yet
// painted, is of one or two colours); false after `timeout`. Looks every 2 ms.
bool WaitPainted(const std::optional<e2e::Rect>& rect, milliseconds timeout) {
  if (!rect) return false;
  return e2e::WaitUntil(
      [&] {
        e2e::Image image = WineSession::Get().x().Capture(*rect);
        std::set<uint32_t> colours;
        for (int y = 0; y < image.height && colours.size() < 8; ++y) {
          for (int x = 0; x < image.width && colours.size() < 8; ++x) {
            const e2e::Rgb c = image.at(x, y);
            colours.insert(uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b);
          }
        }
        return colours.size() >= 8;
      },
      timeout, milliseconds(2));
}

class WindowsTintspotSubject : public Subject {
 public:
  WindowsTintspotSubject(const std::string& name, const std::string& exe)
      : Subject(name, Kind::kWindows), exe_(exe) {}
  std::string Binary() const override { return exe_; }

  bool Start(bool magnifier_shown) override {
    setenv("TINTSPOT_EXE", exe_.c_str(), 1);  // the exe TintspotApp copies into its folder
    app_ = std::make_unique<e2e::TintspotApp>(e2e::AppOptions{TintspotIni(magnifier_shown)});
    const auto launched = Clock::now();
    if (app_->Start()) {
      if (!WaitPainted(WindowRect(), milliseconds(10000))) {
        std::cerr << "[bench] " << name() << ": its window shows no pictures\n";
      }
      start_seconds_ = e2e::SecondsSince(launched);
      return true;
    }
    std::cerr << "[bench] " << name() << " did not start: " << app_->Log() << "\n";
    app_.reset();
    return false;
  }

  void Stop() override {
    if (app_ && !app_->Close()) app_->Kill();
    app_.reset();
  }

  std::vector<pid_t> Pids() override {
    return app_ ? std::vector<pid_t>{pid_t(app_->pid())} : std::vector<pid_t>{};
  }

  std::optional<e2e::Rect> WindowRect() override { return app_ ? app_->Geometry() : std::nullopt; }

 private:
  std::string exe_;
  std::unique_ptr<e2e::TintspotApp> app_;
};

// A program run as one process of our own, found by its window (its caption and _NET_WM_PID).
class ProcessSubject : public Subject {
 public:
  using Subject::Subject;

  std::vector<pid_t> Pids() override {
    return process_.Running() ? std::vector<pid_t>{process_.pid()} : std::vector<pid_t>{};
  }

  std::optional<e2e::Rect> WindowRect() override {
    return window_ ? WineSession::Get().x().Geometry(*window_) : std::nullopt;
  }

  void Raise() override {
    if (!window_) return;
    Display* display = WineSession::Get().x().display();
    XRaiseWindow(display, *window_);
    XFlush(display);
  }

  // Asks the window to close, as a user would, and waits for the end.
  void Stop() override {
    if (window_ && process_.Running()) {
      WineSession::Get().x().SendDeleteWindow(*window_);
      if (!process_.Wait(milliseconds(5000))) process_.Kill();
    }
    process_.Kill();
    window_.reset();
  }

 protected:
  // Starts the process (or, with `wine`, `wine argv...`) and waits for its viewable window
  // captioned `caption`, looking every 2 ms so that the start time is close to exact.
  bool Launch(const e2e::SpawnOptions& options, const std::string& caption, bool wine = false) {
    WineSession& session = WineSession::Get();
    const auto launched = Clock::now();
    process_ = wine ? session.StartWine(options.argv, options.cwd, options.output_path)
                    : e2e::Process(options);
    window_.reset();
    e2e::WaitUntil(
        [&] {
          for (Window w : session.x().FindWindows(caption)) {
            if (session.x().WindowPid(w) == process_.pid()) window_ = w;
          }
          return window_.has_value() || !process_.Running();
        },
        milliseconds(30000), milliseconds(2));
    start_seconds_ = e2e::SecondsSince(launched);
    if (window_) return true;
    std::cerr << "[bench] " << name() << " showed no window"
              << (process_.Running() ? "" : " and ended") << "; its output is in "
              << options.output_path << "\n";
    process_.Kill();
    return false;
  }

  void Kill() {
    process_.Kill();
    window_.reset();
  }

  e2e::Process process_;
  std::optional<Window> window_;
};

// The native binary, copied into a folder of its own with the benchmark's tSpot.ini beside it
// (where the program looks first), its configuration folder a fresh one as well.
class NativeTintspotSubject : public ProcessSubject {
 public:
  NativeTintspotSubject(const std::string& name, const std::string& binary)
      : ProcessSubject(name, Kind::kNative), binary_(binary) {}
  std::string Binary() const override { return binary_; }

  bool Start(bool magnifier_shown) override {
    WineSession& session = WineSession::Get();
    const std::string folder = session.NewFolder("tintspot-native");
    fs::copy_file(binary_, folder + "/tintspot");
    std::ofstream(folder + "/tSpot.ini", std::ios::binary) << TintspotIni(magnifier_shown);
    e2e::SpawnOptions options;
    options.argv = {folder + "/tintspot"};
    options.cwd = folder;
    options.env = {
        {"DISPLAY", session.display()}, {"HOME", folder}, {"XDG_CONFIG_HOME", folder + "/config"}};
    options.output_path = folder + ".log";
    const auto launched = Clock::now();
    if (!Launch(options, "Tintspot")) return false;
    if (!WaitPainted(WindowRect(), milliseconds(10000))) {
      std::cerr << "[bench] " << name() << ": its window shows no pictures\n";
    }
    start_seconds_ = e2e::SecondsSince(launched);
    return true;
  }

 private:
  std::string binary_;
};

constexpr const char* kFloorCaption = "Tintspot floor";

class NativeFloorSubject : public ProcessSubject {
 public:
  NativeFloorSubject(const std::string& name, const std::string& binary, const std::string& variant)
      : ProcessSubject(name, Kind::kFloor), binary_(binary), variant_(variant) {}
  std::string Binary() const override { return binary_; }

  bool Start(bool) override {
    WineSession& session = WineSession::Get();
    const std::string folder = session.NewFolder("floor-x11");
    e2e::SpawnOptions options;
    options.argv = {binary_};
    if (!variant_.empty()) options.argv.push_back(variant_);
    options.cwd = folder;
    options.env = {{"DISPLAY", session.display()}};
    options.output_path = folder + ".log";
    return Launch(options, kFloorCaption);
  }

  void Stop() override { Kill(); }  // it has no close handling

 private:
  std::string binary_;
  std::string variant_;
};

class WineFloorSubject : public ProcessSubject {
 public:
  WineFloorSubject(const std::string& name, const std::string& exe, const std::string& variant)
      : ProcessSubject(name, Kind::kWineFloor), exe_(exe), variant_(variant) {}

  bool Start(bool) override {
    const std::string folder = WineSession::Get().NewFolder("floor");
    e2e::SpawnOptions options;
    options.argv = {exe_};
    if (!variant_.empty()) options.argv.push_back(variant_);
    options.cwd = folder;
    options.output_path = folder + ".log";
    return Launch(options, kFloorCaption, true);
  }

  void Stop() override { Kill(); }  // it has no close handling

 private:
  std::string exe_;
  std::string variant_;
};

// gpick samples the screen under the pointer on a timer while its main window is active (has
// the X focus), showing the colour in the middle hexagon of its "Color picker" tab: that is its
// live picking mode. The timer's rate is the option picker.refresh_rate (Preferences, Picker,
// "Refresh rate"), which gpick keeps in ~/.config/gpick/settings.xml as an int32 (written as a
// float it is not read: gpick then runs at its default of about 30 updates a second). Every
// start gets a fresh home folder with a settings.xml that sets it to 100 Hz and puts the window
// at (40,40). gpick stops near 60 updates a second even so.
class GpickSubject : public ProcessSubject {
 public:
  explicit GpickSubject(const std::string& name) : ProcessSubject(name, Kind::kGpick) {}

  bool Start(bool) override {
    WineSession& session = WineSession::Get();
    const std::string home = session.NewFolder("gpick-home");
    std::filesystem::create_directories(home + "/.config/gpick");
    std::ofstream(home + "/.config/gpick/settings.xml") << kSettings;
    e2e::SpawnOptions options;
    options.argv = {"gpick"};
    options.cwd = home;
    options.env = {{"DISPLAY", session.display()},
                   {"HOME", home},
                   {"XDG_CONFIG_HOME", home + "/.config"},
                   {"NO_AT_BRIDGE", "1"}};
    options.output_path = home + ".log";
    if (!Launch(options, "New palette - Gpick")) return false;
    session.x().Focus(*window_);  // live picking runs while the window is active
    return true;
  }

 private:
  static constexpr const char* kSettings =
      R"(<?xml version="1.0" encoding="UTF-8"?><root><gpick type="dynv">)"
      R"(<main type="dynv"><color_source type="string">color_picker</color_source>)"
      R"(<window type="dynv"><height type="int32">447</height><width type="int32">640</width>)"
      R"(<x type="int32">40</x><y type="int32">40</y></window></main>)"
      R"(<picker type="dynv"><refresh_rate type="int32">100</refresh_rate></picker>)"
      R"(</gpick></root>)";
};

}  // namespace

std::unique_ptr<Subject> MakeWindowsTintspot(const std::string& name, const std::string& exe_path) {
  return std::make_unique<WindowsTintspotSubject>(name, exe_path);
}

std::unique_ptr<Subject> MakeNativeTintspot(const std::string& name, const std::string& binary) {
  return std::make_unique<NativeTintspotSubject>(name, binary);
}

std::unique_ptr<Subject> MakeNativeFloor(const std::string& name, const std::string& binary,
                                         const std::string& variant) {
  return std::make_unique<NativeFloorSubject>(name, binary, variant);
}

std::unique_ptr<Subject> MakeWineFloor(const std::string& name, const std::string& floor_exe,
                                       const std::string& variant) {
  return std::make_unique<WineFloorSubject>(name, floor_exe, variant);
}

std::unique_ptr<Subject> MakeGpick(const std::string& name) {
  return std::make_unique<GpickSubject>(name);
}

bool GpickInstalled() { return e2e::InPath("gpick"); }

}  // namespace livebench
