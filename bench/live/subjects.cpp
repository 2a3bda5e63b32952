#include "subjects.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "subprocess.h"
#include "tintspot_app.h"
#include "wait_until.h"
#include "wine_session.h"

namespace livebench {
namespace {

using e2e::milliseconds;
using e2e::WineSession;

// The window of process `pid` captioned `caption`, once it is viewable.
std::optional<Window> WaitForWindow(const std::string& caption, pid_t pid, milliseconds timeout) {
  std::optional<Window> found;
  e2e::WaitUntil(
      [&] {
        for (Window w : WineSession::Get().x().FindWindows(caption)) {
          if (WineSession::Get().x().WindowPid(w) == pid) found = w;
        }
        return found.has_value();
      },
      timeout);
  return found;
}

class TintspotSubject : public Subject {
 public:
  TintspotSubject(const std::string& name, const std::string& exe) : Subject(name), exe_(exe) {}
  bool HasMagnifier() const override { return true; }

  bool Start(bool magnifier_shown) override {
    // The window at (40,40), the magnifier at 400% (the fourth zoom item).
    std::ostringstream ini;
    ini << "[General]\r\nX=40\r\nY=40\r\nonTop=0\r\n[Magnifier]\r\nZoom=3\r\nShowMag="
        << (magnifier_shown ? 1 : 0) << "\r\n";
    setenv("TINTSPOT_EXE", exe_.c_str(), 1);  // the exe TintspotApp copies into its folder
    app_ = std::make_unique<e2e::TintspotApp>(e2e::AppOptions{ini.str()});
    if (app_->Start()) return true;
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

// A program run as one process of our own, found by its window.
class ProcessSubject : public Subject {
 public:
  using Subject::Subject;

  std::vector<pid_t> Pids() override {
    return process_.Running() ? std::vector<pid_t>{process_.pid()} : std::vector<pid_t>{};
  }

  std::optional<e2e::Rect> WindowRect() override {
    return window_ ? WineSession::Get().x().Geometry(*window_) : std::nullopt;
  }

 protected:
  e2e::Process process_;
  std::optional<Window> window_;
};

class FloorSubject : public ProcessSubject {
 public:
  FloorSubject(const std::string& name, const std::string& exe, const std::string& variant)
      : ProcessSubject(name), exe_(exe), variant_(variant) {}

  bool Start(bool) override {
    WineSession& session = WineSession::Get();
    const std::string folder = session.NewFolder("floor");
    std::vector<std::string> args = {exe_};
    if (!variant_.empty()) args.push_back(variant_);
    process_ = session.StartWine(args, folder, folder + ".log");
    window_ = WaitForWindow(kCaption, process_.pid(), milliseconds(30000));
    if (window_) return true;
    std::cerr << "[bench] " << name() << " showed no window\n";
    process_.Kill();
    return false;
  }

  void Stop() override {
    process_.Kill();
    window_.reset();
  }

 private:
  static constexpr const char* kCaption = "Tintspot floor";
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
  explicit GpickSubject(const std::string& name) : ProcessSubject(name) {}
  bool UsesWine() const override { return false; }

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
    process_ = e2e::Process(options);
    window_ = WaitForWindow("New palette - Gpick", process_.pid(), milliseconds(30000));
    if (!window_) {
      std::cerr << "[bench] " << name() << " showed no window\n";
      process_.Kill();
      return false;
    }
    session.x().Focus(*window_);  // live picking runs while the window is active
    return true;
  }

  void Stop() override {
    if (window_) WineSession::Get().x().SendDeleteWindow(*window_);
    if (!process_.Wait(milliseconds(5000))) process_.Kill();
    window_.reset();
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

std::unique_ptr<Subject> MakeTintspot(const std::string& name, const std::string& exe_path) {
  return std::make_unique<TintspotSubject>(name, exe_path);
}

std::unique_ptr<Subject> MakeFloor(const std::string& name, const std::string& floor_exe,
                                   const std::string& variant) {
  return std::make_unique<FloorSubject>(name, floor_exe, variant);
}

std::unique_ptr<Subject> MakeGpick(const std::string& name) {
  return std::make_unique<GpickSubject>(name);
}

bool GpickInstalled() { return e2e::InPath("gpick"); }

}  // namespace livebench
