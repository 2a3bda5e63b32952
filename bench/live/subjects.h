// The programs the live benchmark measures: the native tintspot, a Tintspot.exe under Wine, the
// native floor program (floor_x11), the Win32 floor program (floor.exe) and, when it is
// installed, the GTK colour picker gpick. Each runs on the session's X server; the Win32 ones in
// the session's Wine prefix.
#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "xdriver.h"

namespace livebench {

enum class Kind {
  kNative,     // a native tintspot binary
  kWindows,    // a Tintspot.exe under Wine
  kFloor,      // the native floor program, the yardstick of the ratios
  kWineFloor,  // floor.exe under Wine (and its variants)
  kGpick,
};

class Subject {
 public:
  virtual ~Subject() = default;
  const std::string& name() const { return name_; }
  Kind kind() const { return kind_; }
  bool UsesWine() const { return kind_ == Kind::kWindows || kind_ == Kind::kWineFloor; }
  bool IsTintspot() const { return kind_ == Kind::kNative || kind_ == Kind::kWindows; }
  // Only Tintspot can hide its magnifier.
  bool HasMagnifier() const { return IsTintspot(); }
  // The program file whose size and libraries the report shows; empty for none.
  virtual std::string Binary() const { return ""; }

  // Starts the program with the magnifier shown or hidden (where it has one) and waits until
  // its window is up; false (with a message on stderr) if it does not come up.
  virtual bool Start(bool magnifier_shown) = 0;
  virtual void Stop() = 0;
  // The program's own processes (the Win32 program's Wine process, or the native one).
  virtual std::vector<pid_t> Pids() = 0;
  // The program's main window on the screen.
  virtual std::optional<e2e::Rect> WindowRect() = 0;
  // Puts the program's main window above the others (where the benchmark knows the window).
  virtual void Raise() {}
  // Seconds from the launch to the window being viewable (for Tintspot: and painted), of the
  // last successful Start().
  double start_seconds() const { return start_seconds_; }

 protected:
  Subject(std::string name, Kind kind) : name_(std::move(name)), kind_(kind) {}
  double start_seconds_ = 0;

 private:
  std::string name_;
  Kind kind_;
};

std::unique_ptr<Subject> MakeWindowsTintspot(const std::string& name, const std::string& exe_path);
std::unique_ptr<Subject> MakeNativeTintspot(const std::string& name, const std::string& binary);
// `variant`: "" (the floor tick), "--pixel" or "--view" (the floor tick and a picker's X
// traffic); see floor_x11.cpp.
std::unique_ptr<Subject> MakeNativeFloor(const std::string& name, const std::string& binary,
                                         const std::string& variant = "");
// `variant`: "" (the floor tick), "empty" (a tick doing nothing) or "getpixel" (the floor tick
// and one GetPixel on the screen); see floor_tick.cpp.
std::unique_ptr<Subject> MakeWineFloor(const std::string& name, const std::string& floor_exe,
                                       const std::string& variant);
std::unique_ptr<Subject> MakeGpick(const std::string& name);

// True if the gpick program is installed.
bool GpickInstalled();

}  // namespace livebench
