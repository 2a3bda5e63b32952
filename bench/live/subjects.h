// The programs the live benchmark measures: a Tintspot.exe, the floor program (floor.exe) and,
// when it is installed, the GTK colour picker gpick. Each runs on the session's X server; the
// Win32 ones in the session's Wine prefix.
#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "xdriver.h"

namespace livebench {

class Subject {
 public:
  virtual ~Subject() = default;
  const std::string& name() const { return name_; }
  virtual bool UsesWine() const { return true; }
  // Only Tintspot can hide its magnifier.
  virtual bool HasMagnifier() const { return false; }

  // Starts the program with the magnifier shown or hidden (where it has one) and waits until
  // its window is up; false (with a message on stderr) if it does not come up.
  virtual bool Start(bool magnifier_shown) = 0;
  virtual void Stop() = 0;
  // The program's own processes (the Win32 program's Wine process, or gpick).
  virtual std::vector<pid_t> Pids() = 0;
  // The program's main window on the screen.
  virtual std::optional<e2e::Rect> WindowRect() = 0;

 protected:
  explicit Subject(std::string name) : name_(std::move(name)) {}

 private:
  std::string name_;
};

std::unique_ptr<Subject> MakeTintspot(const std::string& name, const std::string& exe_path);
// `variant`: "" (the floor tick), "empty" (a tick doing nothing) or "getpixel" (the floor tick
// and one GetPixel on the screen); see floor_tick.cpp.
std::unique_ptr<Subject> MakeFloor(const std::string& name, const std::string& floor_exe,
                                   const std::string& variant);
std::unique_ptr<Subject> MakeGpick(const std::string& name);

// True if the gpick program is installed.
bool GpickInstalled();

}  // namespace livebench
